// Copying the left detail list to the clipboard.
#pragma once

#include <optional>
#include <string>

class QTreeWidget;

namespace window {

// "Копировать выделенное": the selected row's value lines, each followed by CR LF,
// in Windows-1251; nothing when no row is selected.
std::optional<std::string> SelectedValueText(const QTreeWidget& list);

// "Копировать все данные": every row's caption, ": ", then its value lines each
// followed by CR LF (CR LF alone for no value), in Windows-1251.
std::string AllRowsText(const QTreeWidget& list);

// Puts Windows-1251 text on the system clipboard as plain text.
void CopyToBuffer(const std::string& s);

}  // namespace window
