// "Search the archive": every firm ever seen, found offline by words of its name or
// by its INN or OGRN (or their beginning), each with the check it was last seen in.
#pragma once

#include <QDialog>
#include <QThreadPool>
#include <string>
#include <vector>

#include "archive/archive_db.h"

class QLineEdit;
class QTreeWidget;

namespace window {

// Firms shown at most for one search.
constexpr int kArchiveSearchLimit = 500;

class ArchiveSearchDialog : public QDialog {
    Q_OBJECT
  public:
    ArchiveSearchDialog(std::string archivePath, QWidget* parent = nullptr);
    ~ArchiveSearchDialog() override;

    // Searches for text (as typed in the box).
    void Search(const QString& text);
    bool searching() const { return searching_; }
    QTreeWidget* List() const { return list_; }

  signals:
    // The check the chosen firm was last seen in, and the firm's numbers.
    void openRequested(qint64 checkId, const QString& ogrn, const QString& inn);

  private:
    // The firms a search found, or why it could not be made.
    using Found = platform::Result<std::vector<archive::FoundFirm>>;
    void Show(int generation, const Found& found);

    std::string path_;
    QThreadPool pool_;
    QLineEdit* box_ = nullptr;
    QTreeWidget* list_ = nullptr;
    int generation_ = 0;
    bool searching_ = false;
    bool fitted_ = false;  // the number columns took their content's width
};

}  // namespace window
