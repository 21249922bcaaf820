// The controls of the main window and how they are laid out.
#include <QAction>
#include <QCalendarWidget>
#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>
#include <QWidgetAction>
#include <algorithm>
#include <iterator>

#include "lookup/records.h"
#include "window/application.h"
#include "window/controls.h"
#include "window/image_list.h"
#include "window/key_filters.h"
#include "window/main_window.h"
#include "window/regions.h"
#include "window/results_pane.h"

namespace window {
namespace {

QLineEdit* NewEdit(const char* name, QWidget* parent, bool readOnly = false) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setReadOnly(readOnly);
    return edit;
}

}  // namespace

void MainWindow::BuildLayout() {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralPanel"));
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(4, 4, 4, 0);

    auto* top = new QHBoxLayout;
    top->addWidget(BuildEntryGroup(), 3);
    top->addWidget(BuildParameterGroup(), 2);
    top->addWidget(BuildRequestGroup(), 3);
    column->addLayout(top);
    resultsPane_ = new ResultsPane(icons_, this);
    paneLanguageBox = resultsPane_->LanguageBox();
    column->addWidget(resultsPane_, 1);
    setCentralWidget(central);

    QStatusBar* statusLine = statusBar();
    statusLine->setObjectName(QStringLiteral("statusLine"));
    statusLabel = new QLabel(statusLine);
    statusLabel->setObjectName(QStringLiteral("statusLabel"));
    statusLine->addWidget(statusLabel, 1);
    runProgress = new QProgressBar(statusLine);
    runProgress->setObjectName(QStringLiteral("runProgress"));
    runProgress->setMaximumWidth(220);
    runProgress->setTextVisible(false);
    runProgress->setAccessibleName(tr("Progress of the search"));
    runProgress->hide();
    statusLine->addPermanentWidget(runProgress);

    // Keyboard focus moves through the entry fields to "Find", then to the request
    // parameters and the two panes. The mirrors are read-only copies: a click still
    // selects their text, Tab passes them by.
    for (QLineEdit* mirror : {nameMirror, addressMirror, regionMirror, dateMirror, numberMirror}) {
        mirror->setFocusPolicy(Qt::ClickFocus);
    }
    QList<QWidget*> tabOrder = {nameEdit,   addressEdit,        regionBox,
                                dateEdit,   datePickerButton,   numberEdit,
                                findButton, requestLanguageBox, dictionaryBox};
    tabOrder += resultsPane_->FocusChain();
    for (qsizetype i = 1; i < tabOrder.size(); ++i) {
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
    }

    setWindowTitle(tr("Vendrake"));
    setMinimumSize(800, 300);
    resize(1000, 720);
}

// The date box with the button that drops a calendar down under it.
QLayout* MainWindow::BuildDateRow(QWidget* parent) {
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

QWidget* MainWindow::BuildEntryGroup() {
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

QWidget* MainWindow::BuildParameterGroup() {
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

QWidget* MainWindow::BuildRequestGroup() {
    auto* group = new QGroupBox(tr("Following items will be requested data"), this);
    group->setObjectName(QStringLiteral("requestGroup"));
    auto* form = new QFormLayout(group);
    nameMirror = NewEdit("nameMirror", group, true);
    addressMirror = NewEdit("addressMirror", group, true);
    regionMirror = NewEdit("regionMirror", group, true);
    dateMirror = NewEdit("dateMirror", group, true);
    numberMirror = NewEdit("numberMirror", group, true);
    findButton = new QPushButton(tr("Find"), group);
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

void MainWindow::BuildMenus() {
    QMenuBar* mainMenu = menuBar();
    mainMenu->setObjectName(QStringLiteral("mainMenu"));
    QMenu* file = mainMenu->addMenu(tr("&File"));
    file->setObjectName(QStringLiteral("fileMenu"));
    auto add = [this](QMenu* menu, const char* name, const QString& text, auto handler) {
        QAction* action = menu->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this,
                [this, handler]() { Guarded(this, [this, handler]() { (this->*handler)(); }); });
        return action;
    };
    add(file, "clearAction", tr("Clear all"), &MainWindow::ClearResults);
    add(file, "saveAction", tr("Save..."), &MainWindow::OnSaveClicked)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    add(file, "saveAsAction", tr("Save as..."), &MainWindow::OnSaveAsClicked)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    file->addSeparator();
    add(file, "exportAction", tr("Export"), &MainWindow::OnExportClicked)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    QAction* load =
        add(file, "loadListAction", tr("Загрузить данные"), &MainWindow::OnLoadListClicked);
    load->setIcon(icons_[kImageLoad]);
    load->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    QAction* stop = add(file, "stopAction", tr("Stop"), &MainWindow::OnStopClicked);
    stop->setShortcut(QKeySequence(Qt::Key_Escape));
    stop->setIcon(style()->standardIcon(QStyle::SP_BrowserStop));
    QToolBar* tools = addToolBar(tr("Search"));
    tools->setObjectName(QStringLiteral("searchToolBar"));
    tools->setMovable(false);
    tools->addAction(load);
    tools->addAction(stop);
    add(file, "proxyAction", tr("Proxy..."), &MainWindow::OnProxyClicked);
    add(file, "serviceHostAction", tr("Register service..."), &MainWindow::OnServiceHostClicked);
    file->addSeparator();
    QAction* exit = file->addAction(tr("Exit"));
    exit->setObjectName(QStringLiteral("exitAction"));
    exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(exit, &QAction::triggered, this, &QWidget::close);

    QMenu* help = mainMenu->addMenu(tr("&Help"));
    help->setObjectName(QStringLiteral("helpMenu"));
    add(help, "userGuideAction", tr("&User guide"), &MainWindow::OnUserGuideClicked)
        ->setShortcut(QKeySequence::HelpContents);
    add(help, "aboutAction", tr("&About"), &MainWindow::OnAboutClicked);

    detailMenu = new QMenu(this);
    detailMenu->setObjectName(QStringLiteral("detailMenu"));
    add(detailMenu, "copySelectedAction", tr("Копировать выделенное"),
        &MainWindow::OnCopySelectedClicked)
        ->setIcon(icons_[kImageCopy]);
    add(detailMenu, "copyAllAction", tr("Копировать все данные"), &MainWindow::OnCopyAllClicked)
        ->setIcon(icons_[kImageCopy]);
    resultsPane_->SetDetailMenu(detailMenu);
    SetDetailMenuEnabled(false);

    treeMenu = new QMenu(this);
    treeMenu->setObjectName(QStringLiteral("treeMenu"));
    add(treeMenu, "treeLoadListAction", tr("Загрузить данные"), &MainWindow::OnLoadListClicked)
        ->setIcon(icons_[kImageLoad]);
    add(treeMenu, "treeFindAction", tr("Ввести данные"), &MainWindow::OnFindClicked)
        ->setIcon(icons_[kImageEnter]);
    QTreeView* tree = resultsPane_->Tree();
    tree->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(tree, &QWidget::customContextMenuRequested, this,
            [this, tree](const QPoint& at) { treeMenu->popup(tree->viewport()->mapToGlobal(at)); });
}

// detailMenu opens on a right-click only while switched on.
void MainWindow::SetDetailMenuEnabled(bool on) {
    resultsPane_->SetDetailMenuEnabled(on);
}

}  // namespace window
