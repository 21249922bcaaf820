// File > "Screening lists...": the list versions in the screening index, and importing
// a list file as a new version. The import runs off the window's thread; the dialog
// shows that it runs, and what it stored or why it could not.
#pragma once

#include <QDialog>
#include <QString>
#include <QThreadPool>
#include <string>

class QLabel;
class QProgressBar;
class QPushButton;
class QTreeWidget;

namespace window {

class ScreeningListsDialog : public QDialog {
    Q_OBJECT
  public:
    ScreeningListsDialog(std::string indexPath, QWidget* parent);
    // Waits for an import under way: the index is left with the version whole or not at all.
    ~ScreeningListsDialog() override;

    // Imports the list file at path as a new version, off this thread; refused while
    // another import runs.
    void ImportFile(const QString& path);
    bool importing() const { return importing_; }
    QTreeWidget* VersionList() const { return versionList; }
    // What the last import did, or why it did not.
    QString OutcomeText() const;

  signals:
    // A new version was stored: screening should load the lists again.
    void imported();

  private:
    void OnImportClicked();
    // Reads the versions off this thread and shows them.
    void ReadVersions();

    std::string indexPath_;
    bool importing_ = false;
    QThreadPool pool_;

    // Controls; each one's objectName is its member name.
    QTreeWidget* versionList = nullptr;
    QPushButton* importButton = nullptr;
    QProgressBar* importProgress = nullptr;
    QLabel* importOutcome = nullptr;
};

}  // namespace window
