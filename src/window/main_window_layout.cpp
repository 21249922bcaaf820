// The controls of the main window and how they are laid out.
#include <QAction>
#include <QCalendarWidget>
#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QWidgetAction>
#include <algorithm>
#include <iterator>

#include "lookup/records.h"
#include "window/application.h"
#include "window/image_list.h"
#include "window/key_filters.h"
#include "window/main_window.h"
#include "window/regions.h"

namespace window {
namespace {

// A value holding line breaks shows its first line; the cell keeps the whole text.
class FirstLineDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QString displayText(const QVariant& value, const QLocale& locale) const override {
        QString text = QStyledItemDelegate::displayText(value, locale);
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text.at(i);
            if (c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QChar::LineSeparator) {
                return text.left(i);
            }
        }
        return text;
    }
};

QLineEdit* NewEdit(const char* name, QWidget* parent, bool readOnly = false) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setReadOnly(readOnly);
    return edit;
}

QComboBox* NewLanguageBox(const char* name, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(12);
    return box;
}

QTreeWidget* NewTree(const char* name, const QList<QIcon>& icons, QWidget* parent) {
    auto* tree = new QTreeWidget(parent);
    tree->setObjectName(QString::fromLatin1(name));
    tree->setColumnCount(1);
    tree->setHeaderHidden(true);
    tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree->setIconSize(icons.value(kImageQuery).availableSizes().value(0, QSize(16, 16)));
    tree->setExpandsOnDoubleClick(false);
    return tree;
}

QTreeWidget* NewDetailList(const char* name, const QStringList& captions, QWidget* parent) {
    auto* list = new QTreeWidget(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setColumnCount(2);
    list->setHeaderHidden(true);
    list->setRootIsDecorated(false);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setUniformRowHeights(true);
    list->setItemDelegate(new FirstLineDelegate(list));
    // The caption column takes its captions' width; the value column the rest, so an
    // ordinary value fits without a horizontal scrollbar.
    list->header()->setStretchLastSection(true);
    list->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    for (const QString& caption : captions) {
        new QTreeWidgetItem(list, {caption, QString()});
    }
    // Tall enough for every row at once.
    const int rowHeight = std::max(list->sizeHintForRow(0), list->fontMetrics().height() + 4);
    list->setMinimumHeight(rowHeight * static_cast<int>(captions.size()) + 2 * list->frameWidth() +
                           2);
    return list;
}

// The detail lists' captions in field order, Russian or English.
QStringList FieldCaptions(bool english) {
    QStringList captions;
    for (const lookup::FirmField& field : lookup::FirmFields()) {
        captions << QCoreApplication::translate(
            "FirmField", english ? field.englishCaption : field.russianCaption);
    }
    return captions;
}

QLabel* NewLabel(const QString& text, QWidget* parent) {
    return new QLabel(text, parent);
}

// A label that names field, which screen readers announce by accessibleName.
QLabel* NewBuddyLabel(const QString& text, QWidget* field, const QString& accessibleName) {
    auto* label = new QLabel(text, field->parentWidget());
    label->setBuddy(field);
    field->setAccessibleName(accessibleName);
    return label;
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
    column->addWidget(BuildResultsArea(), 1);
    setCentralWidget(central);

    QStatusBar* statusLine = statusBar();
    statusLine->setObjectName(QStringLiteral("statusLine"));
    statusCountLabel = new QLabel(statusLine);
    statusCountLabel->setObjectName(QStringLiteral("statusCountLabel"));
    statusCountLabel->setFixedWidth(50);
    statusLabel = new QLabel(statusLine);
    statusLabel->setObjectName(QStringLiteral("statusLabel"));
    statusLine->addWidget(statusCountLabel);
    statusLine->addWidget(statusLabel, 1);

    // Keyboard focus moves as the controls are laid out: the entry fields, the
    // request parameters, the mirrors and "Find", then the left and the right pane.
    QWidget* const tabOrder[] = {
        nameEdit,         addressEdit,    regionBox,           dateEdit,
        datePickerButton, numberEdit,     requestLanguageBox,  dictionaryBox,
        nameMirror,       addressMirror,  regionMirror,        dateMirror,
        numberMirror,     findButton,     resultsTree,         detailList,
        paneLanguageBox,  translatedTree, translatedDetailList};
    for (std::size_t i = 1; i < std::size(tabOrder); ++i) {
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
    auto* calendarAction = new QWidgetAction(calendarMenu);
    calendarAction->setDefaultWidget(calendar);
    calendarMenu->addAction(calendarAction);
    datePickerButton->setMenu(calendarMenu);
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
        regionBox->addItems(RegionNames());
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

QWidget* MainWindow::BuildResultsArea() {
    resultsSplitter = new QSplitter(Qt::Horizontal, this);
    resultsSplitter->setObjectName(QStringLiteral("resultsSplitter"));
    resultsSplitter->setChildrenCollapsible(false);

    auto* originalPanel = new QWidget(resultsSplitter);
    originalPanel->setObjectName(QStringLiteral("originalPanel"));
    auto* left = new QVBoxLayout(originalPanel);
    left->setContentsMargins(0, 0, 0, 0);
    auto* leftTitle = new QHBoxLayout;
    auto* leftTitleLabel = NewLabel(tr("Search results in the original language"), originalPanel);
    leftTitle->addWidget(leftTitleLabel);
    leftTitle->addStretch(1);
    left->addLayout(leftTitle);
    auto* leftSplit = new QSplitter(Qt::Vertical, originalPanel);
    leftSplit->setObjectName(QStringLiteral("originalSplitter"));
    resultsTree = NewTree("resultsTree", icons_, leftSplit);
    leftTitleLabel->setBuddy(resultsTree);
    resultsTree->setAccessibleName(tr("Search results in the original language"));
    detailList = NewDetailList("detailList", FieldCaptions(false), leftSplit);
    detailList->setAccessibleName(tr("Details in the original language"));
    leftSplit->setStretchFactor(0, 3);
    leftSplit->setStretchFactor(1, 2);
    left->addWidget(leftSplit, 1);

    auto* translatedPanel = new QWidget(resultsSplitter);
    translatedPanel->setObjectName(QStringLiteral("translatedPanel"));
    auto* right = new QVBoxLayout(translatedPanel);
    right->setContentsMargins(0, 0, 0, 0);
    auto* rightTitle = new QHBoxLayout;
    paneLanguageBox = NewLanguageBox("paneLanguageBox", translatedPanel);
    rightTitle->addWidget(NewBuddyLabel(tr("Search results in your language"), paneLanguageBox,
                                        tr("Language of the results pane")));
    rightTitle->addWidget(paneLanguageBox);
    rightTitle->addStretch(1);
    right->addLayout(rightTitle);
    auto* rightSplit = new QSplitter(Qt::Vertical, translatedPanel);
    rightSplit->setObjectName(QStringLiteral("translatedSplitter"));
    translatedTree = NewTree("translatedTree", icons_, rightSplit);
    translatedTree->setAccessibleName(tr("Search results in your language"));
    translatedDetailList = NewDetailList("translatedDetailList", FieldCaptions(true), rightSplit);
    translatedDetailList->setAccessibleName(tr("Details in your language"));
    rightSplit->setStretchFactor(0, 3);
    rightSplit->setStretchFactor(1, 2);
    right->addWidget(rightSplit, 1);

    resultsSplitter->setStretchFactor(0, 1);
    resultsSplitter->setStretchFactor(1, 1);
    return resultsSplitter;
}

void MainWindow::BuildMenus() {
    QMenuBar* mainMenu = menuBar();
    mainMenu->setObjectName(QStringLiteral("mainMenu"));
    QMenu* file = mainMenu->addMenu(tr("File"));
    file->setObjectName(QStringLiteral("fileMenu"));
    auto add = [this](QMenu* menu, const char* name, const QString& text, auto handler) {
        QAction* action = menu->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this,
                [this, handler]() { Guarded(this, [this, handler]() { (this->*handler)(); }); });
        return action;
    };
    add(file, "clearAction", tr("Clear all"), &MainWindow::ClearResults);
    add(file, "saveAction", tr("Save..."), &MainWindow::OnSaveClicked);
    file->addSeparator();
    add(file, "exportAction", tr("Export"), &MainWindow::OnExportClicked);
    add(file, "loadListAction", tr("Загрузить данные"), &MainWindow::OnLoadListClicked)
        ->setIcon(icons_[kImageLoad]);
    add(file, "proxyAction", tr("Proxy..."), &MainWindow::OnProxyClicked);
    add(file, "serviceHostAction", tr("Register service..."), &MainWindow::OnServiceHostClicked);
    file->addSeparator();
    QAction* exit = file->addAction(tr("Exit"));
    exit->setObjectName(QStringLiteral("exitAction"));
    connect(exit, &QAction::triggered, this, &QWidget::close);

    QMenu* help = mainMenu->addMenu(tr("Help"));
    help->setObjectName(QStringLiteral("helpMenu"));
    add(help, "aboutAction", tr("About"), &MainWindow::OnAboutClicked);

    detailMenu = new QMenu(this);
    detailMenu->setObjectName(QStringLiteral("detailMenu"));
    add(detailMenu, "copySelectedAction", tr("Копировать выделенное"),
        &MainWindow::OnCopySelectedClicked)
        ->setIcon(icons_[kImageCopy]);
    add(detailMenu, "copyAllAction", tr("Копировать все данные"), &MainWindow::OnCopyAllClicked)
        ->setIcon(icons_[kImageCopy]);
    for (QTreeWidget* list : {detailList, translatedDetailList}) {
        connect(list, &QWidget::customContextMenuRequested, this, [this, list](const QPoint& at) {
            detailMenu->popup(list->viewport()->mapToGlobal(at));
        });
    }
    SetDetailMenuEnabled(false);

    treeMenu = new QMenu(this);
    treeMenu->setObjectName(QStringLiteral("treeMenu"));
    add(treeMenu, "treeLoadListAction", tr("Загрузить данные"), &MainWindow::OnLoadListClicked)
        ->setIcon(icons_[kImageLoad]);
    add(treeMenu, "treeFindAction", tr("Ввести данные"), &MainWindow::OnFindClicked)
        ->setIcon(icons_[kImageEnter]);
    resultsTree->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(resultsTree, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        treeMenu->popup(resultsTree->viewport()->mapToGlobal(at));
    });
}

// detailMenu opens on a right-click only while switched on.
void MainWindow::SetDetailMenuEnabled(bool on) {
    for (QTreeWidget* list : {detailList, translatedDetailList}) {
        list->setContextMenuPolicy(on ? Qt::CustomContextMenu : Qt::NoContextMenu);
    }
}

}  // namespace window
