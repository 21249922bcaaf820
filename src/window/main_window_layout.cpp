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

#include "pages/records.h"
#include "window/application.h"
#include "window/controls.h"
#include "window/elided_label.h"
#include "window/elided_status_bar.h"
#include "window/image_list.h"
#include "window/key_filters.h"
#include "window/main_window.h"
#include "window/query_entry.h"
#include "window/regions.h"
#include "window/results_pane.h"

namespace window {

void MainWindow::BuildLayout() {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralPanel"));
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(4, 4, 4, 0);

    queryEntry_ = new QueryEntry(central);
    requestLanguageBox = queryEntry_->requestLanguageBox;
    dictionaryBox = queryEntry_->dictionaryBox;
    column->addWidget(queryEntry_);
    resultsPane_ = new ResultsPane(icons_, this);
    paneLanguageBox = resultsPane_->LanguageBox();
    column->addWidget(resultsPane_, 1);
    setCentralWidget(central);
    BuildStatusLine();

    // Keyboard focus moves through the entry fields to "Find", then to the request
    // parameters and the two panes.
    QList<QWidget*> tabOrder = queryEntry_->FocusChain();
    tabOrder += resultsPane_->FocusChain();
    for (qsizetype i = 1; i < tabOrder.size(); ++i) {
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
    }

    setWindowTitle(tr("Vendrake"));
    setMinimumSize(800, 300);
    resize(1000, 720);
}

void MainWindow::BuildStatusLine() {
    auto* statusLine = new ElidedStatusBar(this);
    setStatusBar(statusLine);
    statusLine->setObjectName(QStringLiteral("statusLine"));
    statusLabel = new ElidedLabel(statusLine);
    statusLabel->setObjectName(QStringLiteral("statusLabel"));
    statusLine->addWidget(statusLabel, 1);
    recordingLabel = new QLabel(statusLine);
    recordingLabel->setObjectName(QStringLiteral("recordingLabel"));
    recordingLabel->hide();
    statusLine->addPermanentWidget(recordingLabel);
    screeningLabel = new QLabel(statusLine);
    screeningLabel->setObjectName(QStringLiteral("screeningLabel"));
    statusLine->addPermanentWidget(screeningLabel);
    runProgress = new QProgressBar(statusLine);
    runProgress->setObjectName(QStringLiteral("runProgress"));
    runProgress->setMaximumWidth(220);
    runProgress->setTextVisible(false);
    runProgress->setAccessibleName(tr("Progress of the search"));
    runProgress->hide();
    statusLine->addPermanentWidget(runProgress);
}

QAction* MainWindow::AddAction(QMenu* menu, const char* name, const QString& text,
                               void (MainWindow::*handler)()) {
    QAction* action = menu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this,
            [this, handler]() { Guarded(this, [this, handler]() { (this->*handler)(); }); });
    return action;
}

void MainWindow::BuildMenus() {
    menuBar()->setObjectName(QStringLiteral("mainMenu"));
    BuildFileMenu();
    BuildHelpMenu();
    BuildDetailMenu();
    BuildTreeMenu();
}

void MainWindow::BuildFileMenu() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->setObjectName(QStringLiteral("fileMenu"));
    AddAction(file, "clearAction", tr("Clear all"), &MainWindow::ClearResults);
    AddAction(file, "saveAction", tr("Save..."), &MainWindow::OnSaveClicked)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    AddAction(file, "saveAsAction", tr("Save as..."), &MainWindow::OnSaveAsClicked)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    file->addSeparator();
    AddAction(file, "exportAction", tr("Export..."), &MainWindow::OnExportClicked)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    AddAction(file, "exportExcelAction", tr("Export to Excel..."),
              &MainWindow::OnExportExcelClicked);
    QAction* load =
        AddAction(file, "loadListAction", tr("Загрузить данные"), &MainWindow::OnLoadListClicked);
    load->setIcon(icons_[kImageLoad]);
    load->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    QAction* stop = AddAction(file, "stopAction", tr("Stop"), &MainWindow::OnStopClicked);
    stop->setShortcut(QKeySequence(Qt::Key_Escape));
    stop->setIcon(style()->standardIcon(QStyle::SP_BrowserStop));
    QToolBar* tools = addToolBar(tr("Search"));
    tools->setObjectName(QStringLiteral("searchToolBar"));
    tools->setMovable(false);
    tools->addAction(load);
    tools->addAction(stop);
    AddAction(file, "proxyAction", tr("Proxy..."), &MainWindow::OnProxyClicked);
    AddAction(file, "serviceHostAction", tr("Register service..."),
              &MainWindow::OnServiceHostClicked);
    AddAction(file, "screeningListsAction", tr("Screening lists..."),
              &MainWindow::OnScreeningListsClicked);
    file->addSeparator();
    QAction* exit = file->addAction(tr("Exit"));
    exit->setObjectName(QStringLiteral("exitAction"));
    exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(exit, &QAction::triggered, this, &QWidget::close);
}

void MainWindow::BuildHelpMenu() {
    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->setObjectName(QStringLiteral("helpMenu"));
    AddAction(help, "userGuideAction", tr("&User guide"), &MainWindow::OnUserGuideClicked)
        ->setShortcut(QKeySequence::HelpContents);
    AddAction(help, "aboutAction", tr("&About"), &MainWindow::OnAboutClicked);
}

void MainWindow::BuildDetailMenu() {
    detailMenu = new QMenu(this);
    detailMenu->setObjectName(QStringLiteral("detailMenu"));
    AddAction(detailMenu, "copySelectedAction", tr("Копировать выделенное"),
              &MainWindow::OnCopySelectedClicked)
        ->setIcon(icons_[kImageCopy]);
    AddAction(detailMenu, "copyAllAction", tr("Копировать все данные"),
              &MainWindow::OnCopyAllClicked)
        ->setIcon(icons_[kImageCopy]);
    resultsPane_->SetDetailMenu(detailMenu);
    SetDetailMenuEnabled(false);
}

void MainWindow::BuildTreeMenu() {
    treeMenu = new QMenu(this);
    treeMenu->setObjectName(QStringLiteral("treeMenu"));
    QAction* copy =
        AddAction(treeMenu, "treeCopyAction", tr("Copy"), &MainWindow::OnTreeCopyClicked);
    copy->setIcon(icons_[kImageCopy]);
    AddAction(treeMenu, "treeCopyAllAction", tr("Copy all data"), &MainWindow::OnTreeCopyAllClicked)
        ->setIcon(icons_[kImageCopy]);
    QAction* openInHistory = AddAction(treeMenu, "treeOpenInHistoryAction", tr("Open in History"),
                                       &MainWindow::OnOpenInHistoryClicked);
    treeMenu->addSeparator();
    QAction* load = AddAction(treeMenu, "treeLoadListAction", tr("Загрузить данные"),
                              &MainWindow::OnLoadListClicked);
    load->setIcon(icons_[kImageLoad]);
    QAction* findAgain =
        AddAction(treeMenu, "treeFindAction", tr("Find again"), &MainWindow::OnFindClicked);
    findAgain->setIcon(icons_[kImageEnter]);
    resultsPane_->SetTreeMenu(treeMenu);
    // Over the right tree the menu copies; loading and finding belong to the left one.
    connect(resultsPane_, &ResultsPane::treeMenuAboutToShow, this,
            [this, copy, openInHistory, load, findAgain](bool right, const QModelIndex& index) {
                load->setVisible(!right);
                findAgain->setVisible(!right);
                copy->setEnabled(index.isValid());
                openInHistory->setEnabled(session_->ShownCheck() != nullptr);
            });
}

// detailMenu opens on a right-click only while switched on.
void MainWindow::SetDetailMenuEnabled(bool on) {
    resultsPane_->SetDetailMenuEnabled(on);
}

}  // namespace window
