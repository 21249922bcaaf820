// "Find" and the batch run: probing the connection, the query node, the workers.
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>
#include <stdexcept>

#include "platform/cp1251.h"
#include "window/image_list.h"
#include "window/main_window.h"
#include "window/window_sink.h"
#include "worker/probe.h"

namespace window {

void TForm1::SetStatus(const QString& text) {
    statusPanel1_->setText(text);
}

QString TForm1::StatusText() const {
    return statusPanel1_->text();
}

void TForm1::SetThreadCount(int value) {
    FThreadCount.store(value);
    if (value == 0) {
        SetStatus(QStringLiteral("Checking completed."));
    }
}

void TForm1::ChangeThreadCount(int delta) {
    const int now = FThreadCount.fetch_add(delta) + delta;
    if (now == 0) {
        SetStatus(QStringLiteral("Checking completed."));
    }
}

// "Search for entered data..." and the criteria given, composed as Windows-1251 so
// that a character without a Windows-1251 form shows as "?".
QString TForm1::QueryNodeText() const {
    QString description;
    if (!Edit1->text().isEmpty()) {
        description += QStringLiteral(", Название: ") + Edit1->text();
    }
    if (!Edit2->text().isEmpty()) {
        description += QStringLiteral(", Адрес: ") + Edit2->text();
    }
    if (!cbb1->currentText().isEmpty()) {
        description += QStringLiteral(", Регион: ") + cbb1->currentText();
    }
    if (!_edt3->text().isEmpty()) {
        description += QStringLiteral(", Дата: ") + Edit3->text();
    }
    if (!_edt4->text().isEmpty()) {
        description += QStringLiteral(", ИНН: ") + Edit4->text();
    }
    const QString text =
        QStringLiteral("Search for entered data...(") + description.mid(2) + QLatin1Char(')');
    return platform::FromCp1251(platform::ToCp1251(text));
}

namespace {

// The probe lets the window process its messages; a second "Find" pressed meanwhile
// is ignored rather than run inside the first.
class DispatchGuard {
  public:
    explicit DispatchGuard(bool& flag) : flag_(flag), entered_(!flag) { flag_ = true; }
    ~DispatchGuard() {
        if (entered_) {
            flag_ = false;
        }
    }
    bool entered() const { return entered_; }

  private:
    bool& flag_;
    bool entered_;
};

}  // namespace

void TForm1::N4Click() {
    const DispatchGuard guard(dispatching_);
    if (!guard.entered()) {
        return;
    }
    ClearResults();

    SetStatus(QStringLiteral("Checking internet connection..."));
    QCoreApplication::processEvents();
    if (!worker::InternetConnection(probeUrl_)) {
        SetStatus(QStringLiteral("No Internet connection..."));
        return;
    }
    SetPm1Enabled(true);

    const QString nodeText = QueryNodeText();
    SetStatus(QStringLiteral("Checking..."));
    const worker::NodeHandle node = AddQueryNode(nodeText);

    auto checker =
        std::make_unique<worker::TThreadCheckers>(sink_, serviceRoot_, CurrentProxySettings());
    checker->ParentNode = node;
    checker->SF = RequestFragments();
    checker->ParentText = platform::ToCp1251(nodeText) + ", records found: %d";
    worker::TThreadCheckers::Start(std::move(checker));
}

void TForm1::N3Click() {
    const QString path = QFileDialog::getOpenFileName(this, QString(), openDialogDir_,
                                                      QStringLiteral("Текстовый файл (*.txt)"));
    if (!path.isEmpty()) {
        LoadINN(path);
    }
}

// Every non-empty line of the list becomes a query node; the lookups start at once.
void TForm1::LoadINN(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw std::runtime_error(QStringLiteral("Cannot open file \"%1\". %2")
                                     .arg(path, file.errorString())
                                     .toStdString());
    }
    ClearResults();
    while (!file.atEnd()) {
        QByteArray line = file.readLine();
        while (line.endsWith('\n') || line.endsWith('\r')) {
            line.chop(1);
        }
        if (!line.isEmpty()) {
            AddQueryNode(platform::FromCp1251(std::string_view(line.constData(), line.size())));
        }
    }
    ResultFileName = worker::EnabledFileName(path);
    SearchOnOneEnterString();
}

// One lookup per top-level node, a number search when the line starts with two
// digits and a name search otherwise; a bounded number of workers run at once.
void TForm1::SearchOnOneEnterString() {
    const DispatchGuard guard(dispatching_);
    if (!guard.entered()) {
        return;
    }
    SetStatus(QStringLiteral("Checking internet connection..."));
    QCoreApplication::processEvents();
    if (!worker::InternetConnection(probeUrl_)) {
        SetStatus(QStringLiteral("No Internet connection..."));
        return;
    }
    SetStatus(QStringLiteral("Checking..."));
    FDataFirm.clear();
    FChildNode.clear();
    FParentNode.clear();
    SubItemsClear();

    batch_ = std::make_unique<worker::BatchQueue>(sink_, serviceRoot_, CurrentProxySettings());
    // The count is held above 0 while the lines are queued, through the same ordered
    // channel as the workers' own changes, so that a line finishing before the next
    // one is queued cannot announce the end of the whole run.
    sink_->ChangeThreadCount(+1);
    for (int i = 0; i < tv1->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = tv1->topLevelItem(i);
        const worker::NodeHandle handle = item->data(0, Qt::UserRole).toULongLong();
        batch_->Add(handle, platform::ToCp1251(item->text(0)));
    }
    sink_->ChangeThreadCount(-1);
    if (tv1->topLevelItemCount() == 0 && ThreadCount() == 0) {
        SetStatus(QStringLiteral("Checking completed."));
    }
    SetPm1Enabled(true);
}

}  // namespace window
