#include "window/query_entry.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QDate>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidgetAction>
#include <algorithm>

#include "pages/register_numbers.h"
#include "platform/cp1251.h"
#include "translit/translit.h"
#include "window/application.h"
#include "window/controls.h"
#include "window/focus_button.h"
#include "window/key_filters.h"
#include "window/message_box.h"
#include "window/regions.h"
#include "window/shown_texts.h"

namespace window {
namespace {

QLineEdit* NewEdit(const char* name, QWidget* parent, bool readOnly = false) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setReadOnly(readOnly);
    return edit;
}

void SetIfChanged(QLineEdit* edit, const QString& text) {
    if (edit->text() != text) {
        edit->setText(text);
    }
}

}  // namespace

QueryEntry::QueryEntry(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("queryEntry"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(BuildEntryGroup(), 3);
    row->addWidget(BuildParameterGroup(), 2);
    row->addWidget(BuildRequestGroup(), 3);
    // The mirrors are read-only copies: a click still selects their text, Tab passes
    // them by.
    for (QLineEdit* mirror : {nameMirror, addressMirror, regionMirror, dateMirror, numberMirror}) {
        mirror->setFocusPolicy(Qt::ClickFocus);
    }
    ConnectHandlers();
}

QList<QWidget*> QueryEntry::FocusChain() const {
    return {nameEdit,   addressEdit, regionBox,          dateEdit,     datePickerButton,
            numberEdit, findButton,  requestLanguageBox, dictionaryBox};
}

void QueryEntry::ConnectHandlers() {
    auto on = [this](void (QueryEntry::*handler)()) {
        return [this, handler]() { Guarded(this, [this, handler]() { (this->*handler)(); }); };
    };
    connect(nameEdit, &QLineEdit::textChanged, this, on(&QueryEntry::OnNameChanged));
    connect(addressEdit, &QLineEdit::textChanged, this, on(&QueryEntry::OnAddressChanged));
    connect(regionMirror, &QLineEdit::textChanged, this, on(&QueryEntry::OnAddressChanged));
    connect(regionBox, &QComboBox::currentIndexChanged, this, on(&QueryEntry::OnRegionChanged));
    connect(dateEdit, &QLineEdit::textChanged, this, on(&QueryEntry::OnDateChanged));
    connect(dateEdit, &QLineEdit::editingFinished, this, on(&QueryEntry::OnDateEditingFinished));
    connect(numberEdit, &QLineEdit::textChanged, this, on(&QueryEntry::OnNumberChanged));
    connect(findButton, &QPushButton::clicked, this, &QueryEntry::findRequested);
    // Enter in an entry field searches, as "Find" does.
    for (QLineEdit* edit : {nameEdit, addressEdit, dateEdit, numberEdit}) {
        connect(edit, &QLineEdit::returnPressed, this, &QueryEntry::findRequested);
    }
}

// The date box with the button that drops a calendar down under it.
QLayout* QueryEntry::BuildDateRow(QWidget* parent) {
    dateEdit = NewEdit("dateEdit", parent);
    dateEdit->setMaxLength(10);
    dateEdit->installEventFilter(new KeyFilter(KeyFilter::Rule::Date, dateEdit));
    dateEdit->setPlaceholderText(tr("dd.mm.yyyy"));
    datePickerButton = new QToolButton(parent);
    datePickerButton->setObjectName(QStringLiteral("datePickerButton"));
    datePickerButton->setText(tr("..."));
    datePickerButton->setToolTip(tr("Pick a date"));
    datePickerButton->setPopupMode(QToolButton::InstantPopup);
    auto* calendarMenu = new QMenu(datePickerButton);
    auto* calendar = new QCalendarWidget(calendarMenu);
    calendar->setObjectName(QStringLiteral("datePickerCalendar"));
    // Month and day names in the user's language, although the program formats its
    // dates the Russian way.
    calendar->setLocale(QLocale::system());
    calendar->setFirstDayOfWeek(QLocale::system().firstDayOfWeek());
    auto* calendarAction = new QWidgetAction(calendarMenu);
    calendarAction->setDefaultWidget(calendar);
    calendarMenu->addAction(calendarAction);
    datePickerButton->setMenu(calendarMenu);
    // The calendar opens at the typed date, or at today when there is none.
    connect(calendarMenu, &QMenu::aboutToShow, this, [this, calendar] {
        const QDate typed = TypedDate();
        calendar->setSelectedDate(typed.isValid() ? typed : QDate::currentDate());
    });
    connect(calendar, &QCalendarWidget::clicked, this, [this, calendarMenu](const QDate& date) {
        dateEdit->setText(date.toString(QStringLiteral("dd.MM.yyyy")));
        calendarMenu->close();
    });
    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(dateEdit, 1);
    dateRow->addWidget(datePickerButton);
    return dateRow;
}

QWidget* QueryEntry::BuildEntryGroup() {
    auto* entryGroup = new QGroupBox(tr(" Enter data "), this);
    entryGroup->setObjectName(QStringLiteral("entryGroup"));
    auto* form = new QFormLayout(entryGroup);

    nameEdit = NewEdit("nameEdit", entryGroup);
    addressEdit = NewEdit("addressEdit", entryGroup);
    regionBox = new QComboBox(entryGroup);
    regionBox->setObjectName(QStringLiteral("regionBox"));
    regionBox->setEditable(false);
    regionBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    regionBox->setMinimumContentsLength(16);
    {
        const QSignalBlocker quiet(regionBox);
        for (int position = 0; position < RegionNames().size(); ++position) {
            regionBox->addItem(RegionDisplayName(position));
        }
        regionBox->setCurrentIndex(0);
    }

    QLayout* dateRow = BuildDateRow(entryGroup);

    numberEdit = NewEdit("numberEdit", entryGroup);
    numberEdit->setMaxLength(13);
    numberEdit->installEventFilter(new KeyFilter(KeyFilter::Rule::Digits, numberEdit));

    form->addRow(NewBuddyLabel(tr("Name:"), nameEdit, tr("Name")), nameEdit);
    form->addRow(NewBuddyLabel(tr("Address:"), addressEdit, tr("Address")), addressEdit);
    form->addRow(NewBuddyLabel(tr("Region:"), regionBox, tr("Region")), regionBox);
    form->addRow(NewBuddyLabel(tr("Date:"), dateEdit, tr("Date")), dateRow);
    form->addRow(NewBuddyLabel(tr("OGRN/INN:"), numberEdit, tr("OGRN/INN")), numberEdit);
    datePickerButton->setAccessibleName(tr("Pick a date"));
    return entryGroup;
}

QWidget* QueryEntry::BuildParameterGroup() {
    auto* group = new QGroupBox(tr(" Request parameters "), this);
    group->setObjectName(QStringLiteral("parameterGroup"));
    auto* column = new QVBoxLayout(group);
    requestLanguageBox = NewLanguageBox("requestLanguageBox", group);
    dictionaryBox = NewLanguageBox("dictionaryBox", group);
    column->addWidget(NewBuddyLabel(tr("Language of transliteration"), requestLanguageBox,
                                    tr("Language of transliteration")));
    column->addWidget(requestLanguageBox);
    column->addWidget(
        NewBuddyLabel(tr("Language of translation"), dictionaryBox, tr("Language of translation")));
    column->addWidget(dictionaryBox);
    column->addStretch(1);
    return group;
}

QWidget* QueryEntry::BuildRequestGroup() {
    auto* group = new QGroupBox(tr("Following items will be requested data"), this);
    group->setObjectName(QStringLiteral("requestGroup"));
    auto* form = new QFormLayout(group);
    nameMirror = NewEdit("nameMirror", group, true);
    addressMirror = NewEdit("addressMirror", group, true);
    regionMirror = NewEdit("regionMirror", group, true);
    dateMirror = NewEdit("dateMirror", group, true);
    numberMirror = NewEdit("numberMirror", group, true);
    findButton = new FocusButton(tr("Find"), group);
    findButton->setObjectName(QStringLiteral("findButton"));
    findButton->setDefault(true);
    form->addRow(NewBuddyLabel(tr("Name:"), nameMirror, tr("Requested name")), nameMirror);
    cyrillicNote = new QLabel(
        tr("The register answers only to names in Cyrillic letters: choose \"Русский\" for a "
           "name typed in Cyrillic or \"Latin to Russian\" for one typed in Latin letters."),
        group);
    cyrillicNote->setObjectName(QStringLiteral("cyrillicNote"));
    cyrillicNote->setWordWrap(true);
    cyrillicNote->setStyleSheet(QStringLiteral("QLabel { color: #a04000; }"));
    cyrillicNote->hide();
    form->addRow(cyrillicNote);
    form->addRow(NewBuddyLabel(tr("Address:"), addressMirror, tr("Requested address")),
                 addressMirror);
    form->addRow(NewBuddyLabel(tr("Region:"), regionMirror, tr("Requested region")), regionMirror);
    form->addRow(NewBuddyLabel(tr("Date:"), dateMirror, tr("Requested date")), dateMirror);
    form->addRow(NewBuddyLabel(tr("OGRN/INN:"), numberMirror, tr("Requested OGRN/INN")),
                 numberMirror);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(findButton);
    form->addRow(buttonRow);
    return group;
}

// The typed text, without its invisible characters, converted with the language of
// requestLanguageBox; a failed conversion gives an empty mirror. The failure is
// reported once: the following keystrokes stay quiet until the language choice changes
// or a conversion succeeds.
QString QueryEntry::Mirror(const QString& typed) {
    const QString source = WithoutInvisibles(typed);
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
void QueryEntry::OnNameChanged() {
    SetIfChanged(nameMirror, Mirror(nameEdit->text()));
    const QString name = nameMirror->text();
    const bool anyLetter =
        std::any_of(name.begin(), name.end(), [](QChar c) { return c.isLetter(); });
    const bool cyrillic = std::any_of(name.begin(), name.end(), [](QChar c) {
        return c.isLetter() && c.script() == QChar::Script_Cyrillic;
    });
    cyrillicNote->setVisible(anyLetter && !cyrillic);
}

void QueryEntry::OnAddressChanged() {
    SetIfChanged(addressMirror, Mirror(addressEdit->text()));
}

void QueryEntry::OnRegionChanged() {
    // The mirror shows the region as the query names it, whatever the box's language.
    SetIfChanged(regionMirror, Mirror(RegionNames().value(regionBox->currentIndex())));
}

void QueryEntry::OnDateChanged() {
    SetIfChanged(dateMirror, WithoutInvisibles(dateEdit->text()));
    if (!dateEdit->toolTip().isEmpty() && DateProblem().isEmpty()) {
        MarkDate(QString());
    }
}

QDate QueryEntry::TypedDate() const {
    return QDate::fromString(WithoutInvisibles(dateEdit->text()), QStringLiteral("dd.MM.yyyy"));
}

QString QueryEntry::DateProblem() const {
    const QString text = WithoutInvisibles(dateEdit->text());
    if (text.isEmpty() || TypedDate().isValid()) {
        return QString();
    }
    return tr("\"%1\" is not a date. Give the date as dd.mm.yyyy, for example 14.03.2002.")
        .arg(text);
}

// The register takes a real day as dd.mm.yyyy; anything else would only find nothing.
bool QueryEntry::CheckDate() {
    const QString problem = DateProblem();
    if (!problem.isEmpty()) {
        ShowMessage(this, problem);
    }
    return problem.isEmpty();
}

// Leaving the field with a day that does not exist marks the field and says why in the
// status bar; "Find" then refuses it with a message.
void QueryEntry::OnDateEditingFinished() {
    const QString problem = DateProblem();
    MarkDate(problem);
    if (!problem.isEmpty()) {
        emit notice(problem);
    }
}

void QueryEntry::MarkDate(const QString& problem) {
    dateEdit->setStyleSheet(
        problem.isEmpty() ? QString() : QStringLiteral("QLineEdit { border: 1px solid red; }"));
    dateEdit->setToolTip(problem);
}

// Besides the copy, an INN or OGRN whose check digit is wrong is marked; the search
// is not blocked, as the register may still know the number.
void QueryEntry::OnNumberChanged() {
    const QString text = WithoutInvisibles(numberEdit->text());
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

// The mirrors hold the typed text without its invisible characters; what a language's
// rules write is cleaned the same way.
lookup::SearchCriteria QueryEntry::TypedCriteria() const {
    const auto sendable = [](const QLineEdit* mirror) {
        return platform::Cp1251String::FromText(WithoutInvisibles(mirror->text()));
    };
    lookup::SearchCriteria criteria;
    criteria.name = sendable(nameMirror);
    criteria.address = sendable(addressMirror);
    criteria.region =
        platform::Cp1251String::FromText(RegionRequestValue(regionBox->currentIndex()));
    criteria.date = sendable(dateMirror);
    criteria.number = sendable(numberMirror);
    criteria.mode = lookup::SearchCriteria::ModeOf(criteria.name, criteria.number);
    return criteria;
}

// "Search for entered data..." and the criteria given, composed as Windows-1251 so
// that a character without a Windows-1251 form shows as "?". The row keeps these
// words as they are, for the files; the trees show them in the user's language.
QString QueryEntry::QueryNodeText() const {
    QString description;
    const auto add = [&description](const char* caption, const QString& value) {
        if (!value.isEmpty()) {
            description += QString::fromUtf8(caption) + value;
        }
    };
    add(kQueryNameCaption, nameMirror->text());
    add(kQueryAddressCaption, addressMirror->text());
    add(kQueryRegionCaption, RegionNames().value(regionBox->currentIndex()));
    add(kQueryDateCaption, dateMirror->text());
    add(kQueryNumberCaption, numberMirror->text());
    const QString text = QString::fromUtf8(kQueryRowStart) + description.mid(2) + QLatin1Char(')');
    return platform::FromCp1251(platform::ToCp1251(text));
}

}  // namespace window
