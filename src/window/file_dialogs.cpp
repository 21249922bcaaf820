#include "window/file_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

namespace window {

QString DocumentsFolder() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty()) {
        folder = QDir::homePath();
    }
    QDir().mkpath(folder);
    return QDir(folder).absolutePath() + QLatin1Char('/');
}

QString WithFilterExtension(const QString& path, const QString& filter) {
    static const QRegularExpression pattern(QStringLiteral("\\*\\.([A-Za-z0-9]+)"));
    const QRegularExpressionMatch m = pattern.match(filter);
    if (path.isEmpty() || !m.hasMatch() || !QFileInfo(path).suffix().isEmpty()) {
        return path;
    }
    return path + QLatin1Char('.') + m.captured(1);
}

// The dialog adds the extension itself, so that it asks before replacing the file
// with the extension; the name is checked again for dialogs that do not.
QString AskSaveFile(QWidget* parent, const QString& title, QString& folder, const QString& fileName,
                    const QString& filter) {
    const QString start =
        folder.isEmpty() || !QFileInfo(folder).isDir() ? DocumentsFolder() : folder;
    QFileDialog dialog(parent, title, start + fileName, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QFileInfo(WithFilterExtension(QStringLiteral("x"), filter)).suffix());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return QString();
    }
    const QString path = WithFilterExtension(dialog.selectedFiles().constFirst(), filter);
    folder = QFileInfo(path).absolutePath() + QLatin1Char('/');
    return path;
}

}  // namespace window
