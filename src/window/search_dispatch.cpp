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

void MainWindow::SetStatus(const QString& text) {
    statusLabel->setText(text);
}

QString MainWindow::StatusText() const {
    return statusLabel->text();
}

void MainWindow::SetThreadCount(int value) {
    threadCount_.store(value);
    if (value == 0) {
        SetStatus(tr("Checking completed."));
    }
}

void MainWindow::ChangeThreadCount(int delta) {
    const int now = threadCount_.fetch_add(delta) + delta;
    if (now == 0) {
        SetStatus(tr("Checking completed."));
    }
}

// "Search for entered data..." and the criteria given, composed as Windows-1251 so
// that a character without a Windows-1251 form shows as "?".
QString MainWindow::QueryNodeText() const {
    QString description;
    if (!nameMirror->text().isEmpty()) {
        description += tr(", Название: ") + nameMirror->text();
    }
    if (!addressMirror->text().isEmpty()) {
        description += tr(", Адрес: ") + addressMirror->text();
    }
    if (!regionBox->currentText().isEmpty()) {
        description += tr(", Регион: ") + regionBox->currentText();
    }
    if (!dateEdit->text().isEmpty()) {
        description += tr(", Дата: ") + dateMirror->text();
    }
    if (!numberEdit->text().isEmpty()) {
        description += tr(", ИНН: ") + numberMirror->text();
    }
    const QString text = tr("Search for entered data...(") + description.mid(2) + QLatin1Char(')');
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

void MainWindow::OnFindClicked() {
    const DispatchGuard guard(dispatching_);
    if (!guard.entered()) {
        return;
    }
    ClearResults();

    SetStatus(tr("Checking internet connection..."));
    QCoreApplication::processEvents();
    if (!worker::InternetConnection(probeUrl_)) {
        SetStatus(tr("No Internet connection..."));
        return;
    }
    SetDetailMenuEnabled(true);

    const QString nodeText = QueryNodeText();
    SetStatus(tr("Checking..."));
    const worker::NodeHandle node = AddQueryNode(nodeText);

    auto queryWorker =
        std::make_unique<worker::QueryWorker>(sink_, serviceRoot_, CurrentProxySettings());
    queryWorker->queryNode = node;
    queryWorker->criteria = TypedCriteria();
    queryWorker->queryText = platform::ToCp1251(nodeText) + ", records found: %d";
    worker::QueryWorker::Start(std::move(queryWorker));
}

void MainWindow::OnLoadListClicked() {
    const QString path =
        QFileDialog::getOpenFileName(this, QString(), openDialogDir_, tr("Текстовый файл (*.txt)"));
    if (!path.isEmpty()) {
        LoadQueryList(path);
    }
}

// Every non-empty line of the list becomes a query node; the lookups start at once.
void MainWindow::LoadQueryList(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw std::runtime_error(
            tr("Cannot open file \"%1\". %2").arg(path, file.errorString()).toStdString());
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
    resultFileName = worker::EnabledFileName(path);
    StartBatchSearch();
}

// One lookup per top-level node, a number search when the line starts with two
// digits and a name search otherwise; a bounded number of workers run at once.
void MainWindow::StartBatchSearch() {
    const DispatchGuard guard(dispatching_);
    if (!guard.entered()) {
        return;
    }
    SetStatus(tr("Checking internet connection..."));
    QCoreApplication::processEvents();
    if (!worker::InternetConnection(probeUrl_)) {
        SetStatus(tr("No Internet connection..."));
        return;
    }
    SetStatus(tr("Checking..."));
    rows_.clear();
    ClearDetailValues();

    batch_ = std::make_unique<worker::BatchQueue>(sink_, serviceRoot_, CurrentProxySettings());
    // The count is held above 0 while the lines are queued, through the same ordered
    // channel as the workers' own changes, so that a line finishing before the next
    // one is queued cannot announce the end of the whole run.
    sink_->ChangeThreadCount(+1);
    for (int i = 0; i < resultsTree->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = resultsTree->topLevelItem(i);
        const worker::NodeHandle handle = item->data(0, Qt::UserRole).toULongLong();
        batch_->Add(handle, platform::ToCp1251(item->text(0)));
    }
    sink_->ChangeThreadCount(-1);
    if (resultsTree->topLevelItemCount() == 0 && ThreadCount() == 0) {
        SetStatus(tr("Checking completed."));
    }
    SetDetailMenuEnabled(true);
}

}  // namespace window
