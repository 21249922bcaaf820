#include "window/translated_pane.h"

#include <QIcon>
#include <QPixmap>
#include <QStringList>
#include <QTreeWidget>
#include <QTreeWidgetItem>
#include <QTreeWidgetItemIterator>
#include <algorithm>
#include <vector>

#include "platform/cp1251.h"
#include "translit/translit.h"

namespace window {
namespace {

void SerializeItem(const QTreeWidgetItem& item, int depth, std::string& out) {
    out.append(static_cast<size_t>(depth), '\t');
    out += platform::ToCp1251(item.text(0));
    out += "\r\n";
    for (int i = 0; i < item.childCount(); ++i) {
        SerializeItem(*item.child(i), depth + 1, out);
    }
}

// Splits transfer bytes into lines the way a text-file line reader does: a line ends
// at CR LF, at a lone CR or at a lone LF; a last line without an end is a line too,
// and nothing follows a final line end.
std::vector<std::string_view> SplitLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    size_t i = 0;
    while (i < bytes.size()) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(bytes.substr(start, i - start));
            i += (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < bytes.size()) {
        lines.push_back(bytes.substr(start));
    }
    return lines;
}

// The icon with its normal images also used for the selected state, so that a
// selected node shows the same image instead of one tinted by the style.
QIcon SameWhenSelected(const QIcon& icon) {
    const QList<QSize> sizes = icon.availableSizes();
    if (sizes.isEmpty()) {
        return icon;
    }
    QIcon out;
    for (const QSize& size : sizes) {
        const QPixmap pixmap = icon.pixmap(size);
        out.addPixmap(pixmap, QIcon::Normal);
        out.addPixmap(pixmap, QIcon::Selected);
    }
    return out;
}

// Rebuilds tree from the lines; false when a line lies more than one level below the
// node before it (the nodes built up to there stay).
bool BuildTree(QTreeWidget& tree, std::string_view bytes, const QIcon& givenIcon) {
    const QIcon icon = SameWhenSelected(givenIcon);
    // path[k] is the most recent node at level k on the way down to the last node.
    std::vector<QTreeWidgetItem*> path;
    for (std::string_view line : SplitLines(bytes)) {
        size_t depth = 0;
        while (depth < line.size() && (line[depth] == '\t' || line[depth] == ' ')) {
            ++depth;
        }
        const QString text = platform::FromCp1251(line.substr(depth));

        QTreeWidgetItem* parent = nullptr;
        if (path.empty()) {
            depth = 0;  // the first line is a root whatever its depth
        } else {
            const size_t level = path.size() - 1;
            if (depth > level + 1) {
                return false;
            }
            if (depth > 0) {
                parent = path[depth - 1];
            }
        }
        auto* node = new QTreeWidgetItem(QStringList{text});
        node->setIcon(0, icon);
        if (parent) {
            parent->addChild(node);
        } else {
            tree.addTopLevelItem(node);
        }
        path.resize(depth + 1);
        path[depth] = node;
    }
    return true;
}

}  // namespace

std::string SerializeTree(const QTreeWidget& tree) {
    std::string out;
    for (int i = 0; i < tree.topLevelItemCount(); ++i) {
        SerializeItem(*tree.topLevelItem(i), 0, out);
    }
    return out;
}

void LoadTreeTransfer(QTreeWidget& tree, std::string_view bytes, const QIcon& icon) {
    tree.clear();
    BuildTree(tree, bytes, icon);
    tree.collapseAll();
}

QString RetranslatePane(const QTreeWidget& leftTree, QTreeWidget& rightTree,
                        const QTreeWidget& leftList, QTreeWidget& rightList,
                        const QString& language, const QString& dictionary, const QIcon& icon) {
    // The language and the dictionary are looked up once for the whole pane; each node
    // then costs its dictionary pass and conversion only.
    const translit::Translator translator = translit::Translator::Open(language, dictionary);
    // A dictionary that cannot be read ends the re-translation before the copy: the
    // pane keeps what it showed.
    if (!translator.DictionaryError().isEmpty()) {
        return translator.DictionaryError();
    }
    QString firstError = translator.Error();

    // The left tree travels to the right one through its transfer bytes in memory.
    rightTree.clear();
    const bool complete = BuildTree(rightTree, SerializeTree(leftTree), icon);
    rightTree.collapseAll();
    if (!complete) {
        return firstError;
    }

    // A node that cannot be converted keeps its dictionary-replaced text.
    for (QTreeWidgetItemIterator it(&rightTree); *it; ++it) {
        translit::Outcome outcome = translator.Translate((*it)->text(0));
        if (!outcome.ok() && firstError.isEmpty()) {
            firstError = outcome.error;
        }
        (*it)->setText(0, outcome.text);
    }

    // A caption that cannot be converted is left empty.
    const int rows = std::min(leftList.topLevelItemCount(), rightList.topLevelItemCount());
    for (int i = 0; i < rows; ++i) {
        translit::Outcome outcome = translator.Convert(leftList.topLevelItem(i)->text(0));
        if (!outcome.ok() && firstError.isEmpty()) {
            firstError = outcome.error;
        }
        rightList.topLevelItem(i)->setText(0, outcome.text);
    }
    return firstError;
}

}  // namespace window
