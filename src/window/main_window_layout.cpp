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
namespace {}  // namespace

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
    add(file, "exportAction", tr("Export..."), &MainWindow::OnExportClicked)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    add(file, "exportExcelAction", tr("Export to Excel..."), &MainWindow::OnExportExcelClicked);
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
    add(file, "screeningListsAction", tr("Screening lists..."),
        &MainWindow::OnScreeningListsClicked);
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
    add(treeMenu, "treeCopyAction", tr("Copy"), &MainWindow::OnTreeCopyClicked)
        ->setIcon(icons_[kImageCopy]);
    add(treeMenu, "treeCopyAllAction", tr("Copy all data"), &MainWindow::OnTreeCopyAllClicked)
        ->setIcon(icons_[kImageCopy]);
    QAction* openInHistory = add(treeMenu, "treeOpenInHistoryAction", tr("Open in History"),
                                 &MainWindow::OnOpenInHistoryClicked);
    treeMenu->addSeparator();
    add(treeMenu, "treeLoadListAction", tr("Загрузить данные"), &MainWindow::OnLoadListClicked)
        ->setIcon(icons_[kImageLoad]);
    QAction* findAgain =
        add(treeMenu, "treeFindAction", tr("Find again"), &MainWindow::OnFindClicked);
    findAgain->setIcon(icons_[kImageEnter]);
    resultsPane_->SetTreeMenu(treeMenu);
    // Over the right tree the menu copies; loading and finding belong to the left one.
    connect(resultsPane_, &ResultsPane::treeMenuAboutToShow, this,
            [this, openInHistory, findAgain](bool right, const QModelIndex& index) {
                for (QAction* action : treeMenu->actions()) {
                    if (action->objectName() == QLatin1String("treeLoadListAction") ||
                        action == findAgain) {
                        action->setVisible(!right);
                    }
                }
                treeMenu->findChild<QAction*>(QStringLiteral("treeCopyAction"))
                    ->setEnabled(index.isValid());
                openInHistory->setEnabled(shownCheck_ != nullptr);
            });
}

// detailMenu opens on a right-click only while switched on.
void MainWindow::SetDetailMenuEnabled(bool on) {
    resultsPane_->SetDetailMenuEnabled(on);
}

}  // namespace window
