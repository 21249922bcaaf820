// The right results pane: rebuilt from the left one each time a firm's details are
// opened, translated through the chosen dictionary and transliterated.
#pragma once

#include <QString>
#include <string>
#include <string_view>

class QIcon;
class QTreeWidget;

namespace window {

// The tree as transfer bytes: one line per node in pre-order, one TAB per level of
// depth, the node's text, CR LF; Windows-1251.
std::string SerializeTree(const QTreeWidget& tree);

// Empties tree and rebuilds it from transfer bytes: leading TABs or blanks give the
// depth, a line more than one level deeper than the node before it ends the reading
// (what was built stays). Every node gets icon and starts collapsed.
void LoadTreeTransfer(QTreeWidget& tree, std::string_view bytes, const QIcon& icon);

// The left tree copied into the right one, every right node passed through
// the dictionary pass with `dictionary` (a dictionary name, possibly empty) and
// `language`, then the right list's captions set to the transliterated captions of
// the left list. Lists are QTreeWidgets of two columns (caption, value). Returns the
// first failure (English, naming the language or dictionary), or an empty string: the
// caller reports it once for the whole operation. A dictionary that cannot be read
// leaves the pane as it was; a node that cannot be converted keeps its
// dictionary-replaced text and a caption that cannot be converted is left empty.
QString RetranslatePane(const QTreeWidget& leftTree, QTreeWidget& rightTree,
                        const QTreeWidget& leftList, QTreeWidget& rightList,
                        const QString& language, const QString& dictionary, const QIcon& icon);

}  // namespace window
