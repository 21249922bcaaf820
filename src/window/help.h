// The Help menu's texts: a short user guide and the About box.
#pragma once

#include <QDialog>
#include <QString>

namespace window {

// The user guide as rich text, in the user's language.
QString UserGuideHtml();

// The About box's text: version, licence and serviceRoot, the register address in use.
QString AboutHtml(const QString& serviceRoot);

// A window of its own with the user guide; closing it hides it for the next time.
class UserGuideDialog : public QDialog {
    Q_OBJECT
  public:
    explicit UserGuideDialog(QWidget* parent);
};

}  // namespace window
