// Small builders of the controls the window's parts share.
#pragma once

#include <QString>

class QComboBox;
class QLabel;
class QWidget;

namespace window {

// A language box that offers only its entries: the languages or dictionaries installed.
QComboBox* NewLanguageBox(const char* name, QWidget* parent);

// A label that names field, which screen readers announce by accessibleName.
QLabel* NewBuddyLabel(const QString& text, QWidget* field, const QString& accessibleName);

}  // namespace window
