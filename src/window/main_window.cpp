#include "window/main_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTreeWidget>
#include <chrono>
#include <stdexcept>

#include "platform/program_dir.h"
#include "proxy/proxy_form.h"
#include "translit/translit.h"
#include "window/application.h"
#include "window/csv_export.h"
#include "window/detail_copy.h"
#include "window/image_list.h"
#include "window/message_box.h"
#include "window/window_sink.h"

namespace window {

TForm1::TForm1(QWidget* parent, std::string serviceRoot, std::string probeUrl)
    : QMainWindow(parent),
      serviceRoot_(std::move(serviceRoot)),
      probeUrl_(std::move(probeUrl)),
      sink_(std::make_shared<WindowSink>(this)),
      il1(MakeImageList()) {
    setObjectName(QStringLiteral("Form1"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    translit::SetFailureReporter([this](const QString& message) { ShowMessage(this, message); });
    BuildLayout();
    BuildMenus();
    FormCreate();
    ConnectHandlers();
}

TForm1::~TForm1() {
    sink_->Detach();
    translit::SetFailureReporter({});
}

void TForm1::ConnectHandlers() {
    auto on = [this](auto handler) {
        return [this, handler]() { Guarded(this, [this, handler]() { (this->*handler)(); }); };
    };
    connect(_edt1, &QLineEdit::textChanged, this, on(&TForm1::_edt1Change));
    connect(_edt2, &QLineEdit::textChanged, this, on(&TForm1::_edt2Change));
    connect(Edit6, &QLineEdit::textChanged, this, on(&TForm1::_edt2Change));
    connect(cbb1, &QComboBox::currentIndexChanged, this, on(&TForm1::cbb1Change));
    connect(_edt3, &QLineEdit::textChanged, this, on(&TForm1::_edt3Change));
    connect(_edt4, &QLineEdit::textChanged, this, on(&TForm1::_edt4Change));
    // Connected after start-up has filled the boxes, so restoring the saved choices
    // writes nothing back.
    connect(BoxLang, &QComboBox::currentTextChanged, this, on(&TForm1::BoxLangChange));
    connect(ComboBox2, &QComboBox::currentTextChanged, this, on(&TForm1::ComboBox2Change));
    connect(Button1, &QPushButton::clicked, this, on(&TForm1::N4Click));
    connect(tv1, &QTreeWidget::itemDoubleClicked, this, on(&TForm1::tv1DblClick));
}

void TForm1::showEvent(QShowEvent* event) {
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

// FormClose: the proxy settings are written, then the running exchanges are ended.
void TForm1::closeEvent(QCloseEvent* event) {
    if (!closed_) {
        closed_ = true;
        Guarded(this, [this]() {
            if (auto* proxyForm = findChild<proxy::TProxyForm*>()) {
                proxyForm->WriteConfig();
            }
        });
        worker::ShutdownWorkers(std::chrono::seconds(3));
    }
    event->accept();
}

worker::ProxySettings TForm1::CurrentProxySettings() const {
    if (auto* proxyForm = findChild<proxy::TProxyForm*>()) {
        return proxyForm->Settings();
    }
    return {};
}

void TForm1::btn4Click() {
    if (auto* proxyForm = findChild<proxy::TProxyForm*>()) {
        proxyForm->ShowModal();
    }
}

void TForm1::AboutClick() {
    QMessageBox::about(
        this, QStringLiteral("About Vendrake"),
        QStringLiteral("<b>Vendrake</b> %1<br><br>Looks up legal entities in the Russian state "
                       "register and shows them in your language.<br><br>Quillmarsh")
            .arg(QStringLiteral(VENDRAKE_VERSION)));
}

void TForm1::WriteFileOrThrow(const QString& path, const std::string& bytes) const {
    QFile file(path);
    const bool written = file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                         file.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
                             static_cast<qint64>(bytes.size()) &&
                         file.flush();
    if (!written) {
        const QString reason = file.errorString();
        throw std::runtime_error(
            QStringLiteral("Cannot create file \"%1\". %2").arg(path, reason).toStdString());
    }
}

// "Save...": every firm not holding a service message, to ResultFileName.
void TForm1::btn3Click() {
    // ResultsFileBytes leaves out the entries whose firm text is a service message.
    const std::string bytes = worker::ResultsFileBytes(ResultEntries());
    if (ResultFileName.isEmpty()) {
        ResultFileName = platform::ProgramDir() + QStringLiteral("enabled.txt");
    }
    WriteFileOrThrow(ResultFileName, bytes);
}

void TForm1::ExportClick() {
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Export"), openDialogDir_ + QStringLiteral("results.csv"),
        QStringLiteral("CSV (*.csv)"));
    if (!path.isEmpty()) {
        ExportTo(path);
    }
}

void TForm1::ExportTo(const QString& path) {
    WriteFileOrThrow(path, CsvBytes(ResultEntries()));
}

// Both copy commands read the left list, whichever list the menu was opened over.
void TForm1::N1Click() {
    if (std::optional<std::string> text = SelectedValueText(*lv1)) {
        CopyToBuffer(*text);
    }
}

void TForm1::N2Click() {
    CopyToBuffer(AllRowsText(*lv1));
}

}  // namespace window
