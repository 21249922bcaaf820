// Query entry: the typed criteria and their read-only mirrors.
#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <algorithm>

#include "lookup/register_numbers.h"
#include "platform/cp1251.h"
#include "translit/translit.h"
#include "window/main_window.h"
#include "window/message_box.h"
#include "window/regions.h"

namespace window {
namespace {

void SetIfChanged(QLineEdit* edit, const QString& text) {
    if (edit->text() != text) {
        edit->setText(text);
    }
}

}  // namespace

// The source text converted with the language of requestLanguageBox; a failed conversion
// gives an empty mirror. The failure is reported once: the following keystrokes stay
// quiet until the language choice changes or a conversion succeeds.
QString MainWindow::Mirror(const QString& source) {
    translit::Outcome outcome = translit::ConvertText(source, requestLanguageBox->currentText());
    if (outcome.ok()) {
        if (!source.isEmpty()) {
            mirrorFailureShown_ = false;
        }
        return outcome.text;
    }
    if (!mirrorFailureShown_) {
        mirrorFailureShown_ = true;
        ShowMessage(this, outcome.error);
    }
    return QString();
}

// A name the register can find holds Cyrillic letters; one with letters but none of
// them Cyrillic would only find nothing.
void MainWindow::OnNameChanged() {
    SetIfChanged(nameMirror, Mirror(nameEdit->text()));
    const QString name = nameMirror->text();
    const bool anyLetter =
        std::any_of(name.begin(), name.end(), [](QChar c) { return c.isLetter(); });
    const bool cyrillic = std::any_of(name.begin(), name.end(), [](QChar c) {
        return c.isLetter() && c.script() == QChar::Script_Cyrillic;
    });
    cyrillicNote->setVisible(anyLetter && !cyrillic);
}

void MainWindow::OnAddressChanged() {
    SetIfChanged(addressMirror, Mirror(addressEdit->text()));
}

void MainWindow::OnRegionChanged() {
    // The mirror shows the region as the query names it, whatever the box's language.
    SetIfChanged(regionMirror, Mirror(RegionNames().value(regionBox->currentIndex())));
}

void MainWindow::OnDateChanged() {
    SetIfChanged(dateMirror, dateEdit->text());
    if (!dateEdit->toolTip().isEmpty() && DateProblem().isEmpty()) {
        MarkDate(QString());
    }
}

QDate MainWindow::TypedDate() const {
    return QDate::fromString(dateEdit->text(), QStringLiteral("dd.MM.yyyy"));
}

QString MainWindow::DateProblem() const {
    const QString text = dateEdit->text();
    if (text.isEmpty() || TypedDate().isValid()) {
        return QString();
    }
    return tr("\"%1\" is not a date. Give the date as dd.mm.yyyy, for example 14.03.2002.")
        .arg(text);
}

// The register takes a real day as dd.mm.yyyy; anything else would only find nothing.
bool MainWindow::CheckDate() {
    const QString problem = DateProblem();
    if (!problem.isEmpty()) {
        ShowMessage(this, problem);
    }
    return problem.isEmpty();
}

// Leaving the field with a day that does not exist marks the field and says why in the
// status bar; "Find" then refuses it with a message.
void MainWindow::OnDateEditingFinished() {
    const QString problem = DateProblem();
    MarkDate(problem);
    if (!problem.isEmpty()) {
        statusBar()->showMessage(problem);
    }
}

void MainWindow::MarkDate(const QString& problem) {
    dateEdit->setStyleSheet(
        problem.isEmpty() ? QString() : QStringLiteral("QLineEdit { border: 1px solid red; }"));
    dateEdit->setToolTip(problem);
}

// Besides the copy, an INN or OGRN whose check digit is wrong is marked; the search
// is not blocked, as the register may still know the number.
void MainWindow::OnNumberChanged() {
    const QString text = numberEdit->text();
    SetIfChanged(numberMirror, text);
    const std::string digits = text.toStdString();
    if (lookup::CheckRegisterNumber(digits) == lookup::NumberCheck::Invalid) {
        numberEdit->setStyleSheet(QStringLiteral("QLineEdit { border: 1px solid red; }"));
        numberEdit->setToolTip(text.size() == 13
                                   ? tr("The check digit of this OGRN does not match")
                                   : tr("The check digit of this INN does not match"));
    } else {
        numberEdit->setStyleSheet(QString());
        numberEdit->setToolTip(QString());
    }
}

lookup::SearchCriteria MainWindow::TypedCriteria() const {
    lookup::SearchCriteria criteria;
    criteria.name = platform::ToCp1251(nameMirror->text());
    criteria.address = platform::ToCp1251(addressMirror->text());
    criteria.region = platform::ToCp1251(RegionRequestValue(regionBox->currentIndex()));
    criteria.date = platform::ToCp1251(dateMirror->text());
    criteria.number = platform::ToCp1251(numberMirror->text());
    criteria.mode = lookup::SearchCriteria::ModeOf(criteria.name, criteria.number);
    return criteria;
}

}  // namespace window
