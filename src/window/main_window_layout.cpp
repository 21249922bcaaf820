// The controls of the main window and how they are laid out.
#include <QAction>
#include <QCalendarWidget>
#include <QComboBox>
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
    tree->setIconSize(icons.value(0).availableSizes().value(0, QSize(16, 16)));
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
    list->setColumnWidth(0, 100);
    list->setColumnWidth(1, 640);
    for (const QString& caption : captions) {
        new QTreeWidgetItem(list, {caption, QString()});
    }
    return list;
}

QLabel* NewLabel(const QString& text, QWidget* parent) {
    return new QLabel(text, parent);
}

}  // namespace

void TForm1::BuildLayout() {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("Panel1"));
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(4, 4, 4, 0);

    auto* top = new QHBoxLayout;
    top->addWidget(BuildEntryGroup(), 3);
    top->addWidget(BuildParameterGroup(), 2);
    top->addWidget(BuildRequestGroup(), 3);
    column->addLayout(top);
    column->addWidget(BuildResultsArea(), 1);
    setCentralWidget(central);

    QStatusBar* stat1 = statusBar();
    stat1->setObjectName(QStringLiteral("stat1"));
    statusPanel0_ = new QLabel(stat1);
    statusPanel0_->setObjectName(QStringLiteral("stat1Panel0"));
    statusPanel0_->setFixedWidth(50);
    statusPanel1_ = new QLabel(stat1);
    statusPanel1_->setObjectName(QStringLiteral("stat1Panel1"));
    stat1->addWidget(statusPanel0_);
    stat1->addWidget(statusPanel1_, 1);

    setWindowTitle(QStringLiteral("Vendrake"));
    setMinimumSize(800, 300);
    resize(1000, 640);
}

QWidget* TForm1::BuildEntryGroup() {
    auto* grp1 = new QGroupBox(QStringLiteral(" Enter data "), this);
    grp1->setObjectName(QStringLiteral("grp1"));
    auto* form = new QFormLayout(grp1);

    _edt1 = NewEdit("_edt1", grp1);
    _edt2 = NewEdit("_edt2", grp1);
    cbb1 = new QComboBox(grp1);
    cbb1->setObjectName(QStringLiteral("cbb1"));
    cbb1->setEditable(false);
    cbb1->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cbb1->setMinimumContentsLength(16);
    {
        const QSignalBlocker quiet(cbb1);
        cbb1->addItems(RegionNames());
        cbb1->setCurrentIndex(0);
    }

    _edt3 = NewEdit("_edt3", grp1);
    _edt3->setMaxLength(10);
    _edt3->installEventFilter(new KeyFilter(KeyFilter::Rule::Date, _edt3));
    _edt3->setPlaceholderText(QStringLiteral("dd.mm.yyyy"));
    dtp1 = new QToolButton(grp1);
    dtp1->setObjectName(QStringLiteral("dtp1"));
    dtp1->setText(QStringLiteral("..."));
    dtp1->setToolTip(QStringLiteral("Pick a date"));
    dtp1->setPopupMode(QToolButton::InstantPopup);
    auto* calendarMenu = new QMenu(dtp1);
    auto* calendar = new QCalendarWidget(calendarMenu);
    calendar->setObjectName(QStringLiteral("dtp1Calendar"));
    auto* calendarAction = new QWidgetAction(calendarMenu);
    calendarAction->setDefaultWidget(calendar);
    calendarMenu->addAction(calendarAction);
    dtp1->setMenu(calendarMenu);
    connect(calendar, &QCalendarWidget::clicked, this, [this, calendarMenu](const QDate& date) {
        _edt3->setText(date.toString(QStringLiteral("dd.MM.yyyy")));
        calendarMenu->close();
    });
    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(_edt3, 1);
    dateRow->addWidget(dtp1);

    _edt4 = NewEdit("_edt4", grp1);
    _edt4->setMaxLength(13);
    _edt4->installEventFilter(new KeyFilter(KeyFilter::Rule::Digits, _edt4));

    form->addRow(NewLabel(QStringLiteral("Name:"), grp1), _edt1);
    form->addRow(NewLabel(QStringLiteral("Address:"), grp1), _edt2);
    form->addRow(NewLabel(QStringLiteral("Region:"), grp1), cbb1);
    form->addRow(NewLabel(QStringLiteral("Date:"), grp1), dateRow);
    form->addRow(NewLabel(QStringLiteral("OGRN/INN:"), grp1), _edt4);
    return grp1;
}

QWidget* TForm1::BuildParameterGroup() {
    auto* group = new QGroupBox(QStringLiteral(" Request parameters "), this);
    group->setObjectName(QStringLiteral("GroupBox2"));
    auto* column = new QVBoxLayout(group);
    BoxLang = NewLanguageBox("BoxLang", group);
    BoxLangTranslate = NewLanguageBox("BoxLangTranslate", group);
    column->addWidget(NewLabel(QStringLiteral("Language of transliteration"), group));
    column->addWidget(BoxLang);
    column->addWidget(NewLabel(QStringLiteral("Language of translation"), group));
    column->addWidget(BoxLangTranslate);
    column->addStretch(1);
    return group;
}

QWidget* TForm1::BuildRequestGroup() {
    auto* group = new QGroupBox(QStringLiteral("Following items will be requested data"), this);
    group->setObjectName(QStringLiteral("GroupBox1"));
    auto* form = new QFormLayout(group);
    Edit1 = NewEdit("Edit1", group, true);
    Edit2 = NewEdit("Edit2", group, true);
    Edit6 = NewEdit("Edit6", group, true);
    Edit3 = NewEdit("Edit3", group, true);
    Edit4 = NewEdit("Edit4", group, true);
    Button1 = new QPushButton(QStringLiteral("Find"), group);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    form->addRow(NewLabel(QStringLiteral("Name:"), group), Edit1);
    form->addRow(NewLabel(QStringLiteral("Address:"), group), Edit2);
    form->addRow(NewLabel(QStringLiteral("Region:"), group), Edit6);
    form->addRow(NewLabel(QStringLiteral("Date:"), group), Edit3);
    form->addRow(NewLabel(QStringLiteral("OGRN/INN:"), group), Edit4);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(Button1);
    form->addRow(buttonRow);
    return group;
}

QWidget* TForm1::BuildResultsArea() {
    Splitter1 = new QSplitter(Qt::Horizontal, this);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setChildrenCollapsible(false);

    auto* panel2 = new QWidget(Splitter1);
    panel2->setObjectName(QStringLiteral("Panel2"));
    auto* left = new QVBoxLayout(panel2);
    left->setContentsMargins(0, 0, 0, 0);
    auto* leftTitle = new QHBoxLayout;
    leftTitle->addWidget(
        NewLabel(QStringLiteral("Search results in the original language"), panel2));
    leftTitle->addStretch(1);
    left->addLayout(leftTitle);
    auto* leftSplit = new QSplitter(Qt::Vertical, panel2);
    leftSplit->setObjectName(QStringLiteral("Splitter2"));
    tv1 = NewTree("tv1", il1, leftSplit);
    lv1 =
        NewDetailList("lv1",
                      {QStringLiteral("Название"), QStringLiteral("Адрес"), QStringLiteral("ОГРН"),
                       QStringLiteral("ГРН"), QStringLiteral("ИНН"), QStringLiteral("КПП"),
                       QStringLiteral("Дата записи"), QStringLiteral("Рег. орган"),
                       QStringLiteral("Адрес органа"), QStringLiteral("Регион")},
                      leftSplit);
    leftSplit->setStretchFactor(0, 3);
    leftSplit->setStretchFactor(1, 2);
    left->addWidget(leftSplit, 1);

    auto* panel3 = new QWidget(Splitter1);
    panel3->setObjectName(QStringLiteral("Panel3"));
    auto* right = new QVBoxLayout(panel3);
    right->setContentsMargins(0, 0, 0, 0);
    auto* rightTitle = new QHBoxLayout;
    rightTitle->addWidget(NewLabel(QStringLiteral("Search results in your language"), panel3));
    ComboBox2 = NewLanguageBox("ComboBox2", panel3);
    rightTitle->addWidget(ComboBox2);
    rightTitle->addStretch(1);
    right->addLayout(rightTitle);
    auto* rightSplit = new QSplitter(Qt::Vertical, panel3);
    rightSplit->setObjectName(QStringLiteral("Splitter3"));
    TreeView1 = NewTree("TreeView1", il1, rightSplit);
    ListView1 =
        NewDetailList("ListView1",
                      {QStringLiteral("Name"), QStringLiteral("Address"),
                       QStringLiteral("Principal state registration number"), QStringLiteral("GRN"),
                       QStringLiteral("VATIN"), QStringLiteral("Reason code of registration"),
                       QStringLiteral("Posting date"), QStringLiteral("Registration authority"),
                       QStringLiteral("Address of the authority"), QStringLiteral("Region")},
                      rightSplit);
    rightSplit->setStretchFactor(0, 3);
    rightSplit->setStretchFactor(1, 2);
    right->addWidget(rightSplit, 1);

    Splitter1->setStretchFactor(0, 1);
    Splitter1->setStretchFactor(1, 1);
    return Splitter1;
}

void TForm1::BuildMenus() {
    QMenuBar* MainMenu1 = menuBar();
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    QMenu* file = MainMenu1->addMenu(QStringLiteral("File"));
    file->setObjectName(QStringLiteral("N5"));
    auto add = [this](QMenu* menu, const char* name, const QString& text, auto handler) {
        QAction* action = menu->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this,
                [this, handler]() { Guarded(this, [this, handler]() { (this->*handler)(); }); });
        return action;
    };
    add(file, "N6", QStringLiteral("Clear all"), &TForm1::ClearResults);
    add(file, "N10", QStringLiteral("Save..."), &TForm1::btn3Click);
    file->addSeparator();
    add(file, "N11", QStringLiteral("Export"), &TForm1::ExportClick);
    add(file, "N12", QStringLiteral("Загрузить данные"), &TForm1::N3Click)
        ->setIcon(il1[kImageLoad]);
    add(file, "N9", QStringLiteral("Proxy..."), &TForm1::btn4Click);
    file->addSeparator();
    QAction* exit = file->addAction(QStringLiteral("Exit"));
    exit->setObjectName(QStringLiteral("N8"));
    connect(exit, &QAction::triggered, this, &QWidget::close);

    QMenu* help = MainMenu1->addMenu(QStringLiteral("Help"));
    help->setObjectName(QStringLiteral("N7"));
    add(help, "N13", QStringLiteral("About"), &TForm1::AboutClick);

    pm1 = new QMenu(this);
    pm1->setObjectName(QStringLiteral("pm1"));
    add(pm1, "N1", QStringLiteral("Копировать выделенное"), &TForm1::N1Click)
        ->setIcon(il1[kImageCopy]);
    add(pm1, "N2", QStringLiteral("Копировать все данные"), &TForm1::N2Click)
        ->setIcon(il1[kImageCopy]);
    for (QTreeWidget* list : {lv1, ListView1}) {
        connect(list, &QWidget::customContextMenuRequested, this,
                [this, list](const QPoint& at) { pm1->popup(list->viewport()->mapToGlobal(at)); });
    }
    SetPm1Enabled(false);

    pm2 = new QMenu(this);
    pm2->setObjectName(QStringLiteral("pm2"));
    add(pm2, "N3", QStringLiteral("Загрузить данные"), &TForm1::N3Click)->setIcon(il1[kImageLoad]);
    add(pm2, "N4", QStringLiteral("Ввести данные"), &TForm1::N4Click)->setIcon(il1[kImageEnter]);
    tv1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(tv1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { pm2->popup(tv1->viewport()->mapToGlobal(at)); });
}

// pm1 opens on a right-click only while switched on.
void TForm1::SetPm1Enabled(bool on) {
    for (QTreeWidget* list : {lv1, ListView1}) {
        list->setContextMenuPolicy(on ? Qt::CustomContextMenu : Qt::NoContextMenu);
    }
}

}  // namespace window
