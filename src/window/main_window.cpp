#include "window/main_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTreeWidget>
#include <chrono>
#include <stdexcept>

#include "config/service_host.h"
#include "platform/program_dir.h"
#include "platform/safe_file.h"
#include "proxy/proxy_dialog.h"
#include "window/application.h"
#include "window/csv_export.h"
#include "window/detail_copy.h"
#include "window/image_list.h"
#include "window/message_box.h"
#include "window/service_host_dialog.h"

namespace window {

MainWindow::MainWindow(QWidget* parent, std::string serviceRoot, std::string probeUrl,
                       proxy::ProxyDialog* proxyDialog)
    : QMainWindow(parent),
      serviceRoot_(config::ConfiguredServiceRoot(serviceRoot)),
      probeUrl_(std::move(probeUrl)),
      proxyDialog_(proxyDialog),
      icons_(MakeImageList()) {
    if (proxyDialog_ != nullptr) {
        proxyDialog_->setParent(this, proxyDialog_->windowFlags());
    }
    setObjectName(QStringLiteral("mainWindow"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    service_ = new lookup::QueryService(lookup::ServiceOptions{}, this);
    ConnectService();
    BuildLayout();
    BuildMenus();
    LoadLanguageChoices();
    ConnectHandlers();
}

MainWindow::~MainWindow() {
    currentRun_.reset();
    delete service_;  // ends its threads before the window's members go
}

void MainWindow::ConnectHandlers() {
    auto on = [this](auto handler) {
        return [this, handler]() { Guarded(this, [this, handler]() { (this->*handler)(); }); };
    };
    connect(nameEdit, &QLineEdit::textChanged, this, on(&MainWindow::OnNameChanged));
    connect(addressEdit, &QLineEdit::textChanged, this, on(&MainWindow::OnAddressChanged));
    connect(regionMirror, &QLineEdit::textChanged, this, on(&MainWindow::OnAddressChanged));
    connect(regionBox, &QComboBox::currentIndexChanged, this, on(&MainWindow::OnRegionChanged));
    connect(dateEdit, &QLineEdit::textChanged, this, on(&MainWindow::OnDateChanged));
    connect(numberEdit, &QLineEdit::textChanged, this, on(&MainWindow::OnNumberChanged));
    // Connected after start-up has filled the boxes, so restoring the saved choices
    // writes nothing back.
    connect(requestLanguageBox, &QComboBox::currentTextChanged, this,
            on(&MainWindow::OnRequestLanguageChanged));
    connect(paneLanguageBox, &QComboBox::currentTextChanged, this,
            on(&MainWindow::OnPaneLanguageChanged));
    connect(findButton, &QPushButton::clicked, this, on(&MainWindow::OnFindClicked));
    connect(resultsTree, &QTreeWidget::itemDoubleClicked, this,
            on(&MainWindow::OnResultDoubleClicked));
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (centred_) {
        return;
    }
    centred_ = true;
    if (QScreen* screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

// Closing writes the proxy settings, then aborts every query and the probe; their
// threads end within moments, and none sends a request after the window has closed.
void MainWindow::closeEvent(QCloseEvent* event) {
    if (!closed_) {
        closed_ = true;
        Guarded(this, [this]() {
            if (proxyDialog_ != nullptr) {
                proxyDialog_->WriteConfig();
            }
        });
        currentRun_.reset();
        service_->Shutdown(std::chrono::milliseconds(800));
    }
    event->accept();
}

lookup::ProxySettings MainWindow::CurrentProxySettings() const {
    return proxyDialog_ != nullptr ? proxyDialog_->Settings() : lookup::ProxySettings{};
}

void MainWindow::OnProxyClicked() {
    if (proxyDialog_ != nullptr) {
        proxyDialog_->ShowModal();
    }
}

void MainWindow::OnServiceHostClicked() {
    ServiceHostDialog dialog(this);
    if (dialog.exec() == QDialog::Accepted) {
        serviceRoot_ = config::ConfiguredServiceRoot(serviceRoot_);
    }
}

std::string MainWindow::CurrentServiceRoot() const {
    return serviceRoot_;
}

void MainWindow::OnAboutClicked() {
    QMessageBox::about(this, tr("About Vendrake"),
                       tr("<b>Vendrake</b> %1<br><br>Looks up legal entities in the Russian state "
                          "register and shows them in your language.<br><br>Quillmarsh")
                           .arg(QStringLiteral(VENDRAKE_VERSION)));
}

// Written atomically: a failed write leaves the old file whole, and a symbolic link
// at path is replaced rather than followed.
void MainWindow::WriteFileOrThrow(const QString& path, const std::string& bytes) const {
    const QString error = platform::SaveFileAtomically(path, QByteArray::fromStdString(bytes));
    if (!error.isEmpty()) {
        throw std::runtime_error(error.toStdString());
    }
}

// "Save...": every firm not holding a service message, to resultFileName. Without
// one, "enabled.txt" beside the program, or in the user's documents when the
// program's folder takes no new files.
void MainWindow::OnSaveClicked() {
    const std::string bytes = lookup::ResultsFileBytes(ResultEntries());
    if (resultFileName.isEmpty()) {
        QString folder = platform::ProgramDir();
        if (!platform::CanCreateFilesIn(folder)) {
            folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
            QDir().mkpath(folder);
            folder += QLatin1Char('/');
        }
        resultFileName = folder + QStringLiteral("enabled.txt");
    }
    WriteFileOrThrow(resultFileName, bytes);
}

void MainWindow::OnExportClicked() {
    const QString path = QFileDialog::getSaveFileName(
        this, tr("Export"), openDialogDir_ + QStringLiteral("results.csv"), tr("CSV (*.csv)"));
    if (!path.isEmpty()) {
        ExportTo(path);
    }
}

void MainWindow::ExportTo(const QString& path) {
    WriteFileOrThrow(path, CsvBytes(ResultEntries()));
}

// Both copy commands read the left list, whichever list the menu was opened over.
void MainWindow::OnCopySelectedClicked() {
    if (std::optional<std::string> text = SelectedValueText(*detailList)) {
        CopyToBuffer(*text);
    }
}

void MainWindow::OnCopyAllClicked() {
    CopyToBuffer(AllRowsText(*detailList));
}

}  // namespace window
