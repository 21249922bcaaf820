// The upper half of the main window: the query's entry fields, the request parameters
// (the languages) and the read-only mirrors that show what goes to the register, with
// "Find". It checks what is typed (dates, check digits, Cyrillic names) and composes
// the query's criteria and its row text.
#pragma once

#include <QList>
#include <QString>
#include <QWidget>

#include "pages/search_criteria.h"

class QComboBox;
class QDate;
class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace window {

class QueryEntry : public QWidget {
    Q_OBJECT
  public:
    explicit QueryEntry(QWidget* parent);

    // The typed query's criteria (Windows-1251).
    lookup::SearchCriteria TypedCriteria() const;
    // The query row's text for the typed query, passed through Windows-1251.
    QString QueryNodeText() const;
    // True when the date field is empty or holds a real dd.mm.yyyy date; otherwise
    // says what is wrong.
    bool CheckDate();
    // A new language choice may fail to convert again, and says so once.
    void ResetMirrorFailure() { mirrorFailureShown_ = false; }
    // The controls in the order keyboard focus visits them.
    QList<QWidget*> FocusChain() const;

    // Controls; each one's objectName is its member name.
    QLineEdit* nameEdit = nullptr;
    QLineEdit* addressEdit = nullptr;
    QComboBox* regionBox = nullptr;
    QLineEdit* dateEdit = nullptr;
    QToolButton* datePickerButton = nullptr;
    QLineEdit* numberEdit = nullptr;
    QComboBox* requestLanguageBox = nullptr;
    QComboBox* dictionaryBox = nullptr;
    QLineEdit* nameMirror = nullptr;
    QLineEdit* addressMirror = nullptr;
    QLineEdit* regionMirror = nullptr;
    QLineEdit* dateMirror = nullptr;
    QLineEdit* numberMirror = nullptr;
    QLabel* cyrillicNote = nullptr;  // under the name mirror when it has no Cyrillic letter
    QPushButton* findButton = nullptr;

  signals:
    // "Find" or Enter in an entry field.
    void findRequested();
    // A short notice for the status bar (a date that does not exist, on leaving it).
    void notice(const QString& text);

  private:
    QWidget* BuildEntryGroup();
    QLayout* BuildDateRow(QWidget* parent);
    QWidget* BuildParameterGroup();
    QWidget* BuildRequestGroup();
    void ConnectHandlers();

    QString Mirror(const QString& typed);
    QDate TypedDate() const;
    // Why the date field's text is no date; empty when it is one or empty.
    QString DateProblem() const;
    void MarkDate(const QString& problem);

    void OnNameChanged();
    void OnAddressChanged();
    void OnRegionChanged();
    void OnDateChanged();
    void OnDateEditingFinished();
    void OnNumberChanged();

    // The mirrors reported their failure; quiet until the language choice changes or
    // a conversion succeeds.
    bool mirrorFailureShown_ = false;
};

}  // namespace window
