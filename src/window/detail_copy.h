// Copying a detail list to the clipboard.
#pragma once

#include <QString>
#include <optional>

class QTreeWidget;

namespace window {

// "Копировать выделенное": the selected row's value lines, each followed by CR LF;
// nothing when no row is selected.
std::optional<QString> SelectedValueText(const QTreeWidget& list);

// "Копировать все данные": every row's caption, ": ", then its value lines each
// followed by CR LF (CR LF alone for no value).
QString AllRowsText(const QTreeWidget& list);

// Puts text on the system clipboard as Unicode plain text, so that what is pasted is
// what the list shows in any language.
void CopyToBuffer(const QString& text);

}  // namespace window
