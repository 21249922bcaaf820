#include "window/controls.h"

#include <QComboBox>
#include <QLabel>

namespace window {

QComboBox* NewLanguageBox(const char* name, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    // Only the entries can be chosen: a typed name that is no language would be stored
    // and leave the box empty at the next start. Typing still jumps to an entry.
    box->setEditable(false);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(12);
    return box;
}

QLabel* NewBuddyLabel(const QString& text, QWidget* field, const QString& accessibleName) {
    auto* label = new QLabel(text, field->parentWidget());
    label->setBuddy(field);
    field->setAccessibleName(accessibleName);
    return label;
}

}  // namespace window
