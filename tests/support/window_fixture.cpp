#include "support/window_fixture.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>
#include <QtTest>

#include "pages/records.h"
#include "platform/cp1251.h"
#include "window/main_window.h"
#include "window/message_box.h"
#include "window/proxy_dialog.h"
#include "window/results_model.h"
#include "window/results_pane.h"

namespace wintest {

lookup::FirmRecord NamedFirm(const std::string& name, const std::string& ogrn) {
    lookup::FirmRecord firm;
    firm.name = name;
    firm.ogrn = ogrn;
    return firm;
}

Sandbox::Sandbox() {
    qputenv("XDG_CONFIG_HOME", configDir().toLocal8Bit());
    qputenv("XDG_DATA_DIRS", (path() + QStringLiteral("/no-shared-data")).toLocal8Bit());
    UseDataFolder(QStringLiteral("data"));
}

QString Sandbox::UseDataFolder(const QString& name) {
    data_ = path() + QLatin1Char('/') + name;
    qputenv("XDG_DATA_HOME", data_.toLocal8Bit());
    QDir().mkpath(TransliterationRoot());
    return TransliterationRoot();
}

QString Sandbox::TransliterationRoot() const {
    return data_ + QStringLiteral("/Quillmarsh/Transliteration/");
}

QString Sandbox::DictionaryRoot() const {
    return data_ + QStringLiteral("/Quillmarsh/Dictionaries/");
}

void WriteRuleFile(const QString& path, const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines) {
        const QString text = line + QStringLiteral("\r\n");
        for (QChar c : text) {
            bytes.append(char(c.unicode() & 0xFF));
            bytes.append(char(c.unicode() >> 8));
        }
    }
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        file.write(bytes);
    }
}

void Sandbox::WriteLanguage(const QString& name, const QStringList& tableLines) const {
    const QString folder = TransliterationRoot() + name + QLatin1Char('/');
    QDir().mkpath(folder);
    WriteRuleFile(folder + name + QStringLiteral(".dat"), tableLines);
    WriteRuleFile(folder + QStringLiteral("exception.dat"), {});
    WriteRuleFile(folder + QStringLiteral("description.dat"), {QStringLiteral("A test language")});
}

void Sandbox::WriteStandardLanguages() const {
    WriteLanguage(QStringLiteral("Latin"),
                  QStringLiteral("а|a б|b в|v г|g д|d е|e ё|yo ж|zh з|z и|i й|y к|k л|l м|m "
                                 "н|n о|o п|p р|r с|s т|t у|u ф|f х|kh ц|ts ч|ch ш|sh щ|shch "
                                 "ъ|\" ы|y ь|' э|e ю|yu я|ya")
                      .split(QLatin1Char(' ')));
    WriteLanguage(QStringLiteral("Russian"), {});
}

void Sandbox::WriteDictionary(const QString& fileName, const QByteArray& bytes) const {
    QDir().mkpath(DictionaryRoot());
    QFile file(DictionaryRoot() + fileName);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        file.write(bytes);
    }
}

void Sandbox::ClearSettings() {
    for (const char* application : {"Vendrake", "Tessadrin"}) {
        QSettings settings(QStringLiteral("Quillmarsh"), QString::fromLatin1(application));
        settings.clear();
        settings.sync();
    }
}

void TypeText(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

QStringList& Messages() {
    static QStringList messages;
    return messages;
}

void ChooseTestDictionaries() {
    QSettings settings(QStringLiteral("Quillmarsh"), QStringLiteral("Vendrake"));
    settings.setValue(QStringLiteral("LangDict"), QStringLiteral("Russian"));
    settings.setValue(QStringLiteral("LangDict2"), QStringLiteral("Latin"));
    settings.sync();
}

QString WriteCp1251List(const QString& path, const QStringList& lines) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        qFatal("cannot write %s", qPrintable(path));
    }
    file.write(QByteArray::fromStdString(platform::ToCp1251(lines.join(QStringLiteral("\r\n")))));
    return path;
}

std::unique_ptr<Sandbox> SearchingSandbox() {
    auto sandbox = std::make_unique<Sandbox>();
    sandbox->WriteStandardLanguages();
    CaptureMessages();
    ChooseTestDictionaries();
    return sandbox;
}

std::unique_ptr<window::MainWindow> NewWindow(const std::string& root, const std::string& probeUrl,
                                              const QString& proxyConfig,
                                              window::MainWindow::Options options) {
    window::ProxyDialog* dialog =
        proxyConfig.isEmpty()
            ? nullptr
            : new window::ProxyDialog(nullptr, proxyConfig, window::ShowErrorReport);
    auto mainWindow =
        std::make_unique<window::MainWindow>(nullptr, root, probeUrl, dialog, std::move(options));
    mainWindow->show();
    if (!QTest::qWaitForWindowExposed(mainWindow.get())) {
        qWarning("the window was not exposed");
    }
    return mainWindow;
}

window::MainWindow::Options OneQueryAtATime() {
    window::MainWindow::Options options;
    options.service.poolSize = 1;
    return options;
}

bool WaitForStatus(const window::MainWindow& mainWindow, const QString& status, int timeoutMs) {
    const bool ended = QTest::qWaitFor(
        [&] { return mainWindow.ThreadCount() == 0 && mainWindow.StatusText() == status; },
        timeoutMs);
    if (!ended) {
        qWarning("status: %s", qPrintable(mainWindow.StatusText()));
    }
    return ended;
}

bool WaitForStatusPrefix(const window::MainWindow& mainWindow, const QString& status,
                         int timeoutMs) {
    return QTest::qWaitFor(
        [&] { return mainWindow.ThreadCount() == 0 && mainWindow.StatusText().startsWith(status); },
        timeoutMs);
}

bool Trigger(const QWidget* mainWindow, const char* name) {
    auto* action = Control<QAction>(mainWindow, name);
    if (action == nullptr) {
        return false;
    }
    action->trigger();
    return true;
}

void AnswerFileDialog(QObject* context, const QString& name, QString* startFolder) {
    auto* poll = new QTimer(context);
    QObject::connect(poll, &QTimer::timeout, context, [poll, name, startFolder] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            return;
        }
        poll->deleteLater();
        poll->stop();
        if (startFolder != nullptr) {
            *startFolder = dialog->directory().absolutePath();
        }
        // A file the dialog selected in its list (the name it started with, once its
        // folder is read) would win over the name typed: the selection goes first.
        for (QAbstractItemView* view : dialog->findChildren<QAbstractItemView*>()) {
            if (view->selectionModel() != nullptr) {
                view->selectionModel()->clearSelection();
            }
        }
        // Typed into the name box: selectFile leaves a focused box as it is.
        auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        edit->setText(name);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    poll->start(10);
}

void FindName(window::MainWindow* mainWindow, const QString& name) {
    Control<QLineEdit>(mainWindow, "nameEdit")->setText(name);
    QTest::mouseClick(Control<QPushButton>(mainWindow, "findButton"), Qt::LeftButton);
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void CaptureMessages() {
    window::SetMessageHandler([](const QString& text) { Messages().append(text); });
}

QTreeView* Tree(const QWidget* window, const char* name) {
    return Control<QTreeView>(window, name);
}

QModelIndex Row(const QTreeView* tree, int query, int child) {
    const QModelIndex top = tree->model()->index(query, 0);
    return child < 0 ? top : tree->model()->index(child, 0, top);
}

QString TextOf(const QModelIndex& index) {
    return index.data(Qt::DisplayRole).toString();
}

int ImageOf(const QModelIndex& index) {
    return index.data(window::kImageIndexRole).toInt();
}

void ClickRow(QTreeView* tree, const QModelIndex& index, bool twice) {
    if (index.parent().isValid()) {
        tree->expand(index.parent());
    }
    tree->scrollTo(index);
    QCoreApplication::processEvents();  // lays the opened rows out
    const QPoint at = tree->visualRect(index).center();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
    if (twice) {
        QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, at, 50);
    }
}

QString DetailValue(const QWidget* window, const char* list, int row) {
    return Control<QTreeWidget>(window, list)->topLevelItem(row)->text(1);
}

QString DetailCaption(const QWidget* window, const char* list, int row) {
    return Control<QTreeWidget>(window, list)->topLevelItem(row)->text(0);
}

QString Node::text(int) const {
    return index_.data(Qt::DisplayRole).toString();
}

QString Node::toolTip(int) const {
    return index_.data(Qt::ToolTipRole).toString();
}

int Node::childCount() const {
    return index_.model()->rowCount(index_);
}

Node Node::child(int row) const {
    return Node(index_.model()->index(row, 0, index_));
}

Node TopNode(const QTreeView* tree, int row) {
    return Node(Row(tree, row));
}

int ImageOf(const Node& node) {
    return ImageOf(node.index());
}

void ShowFirm(window::MainWindow& mainWindow, const lookup::FirmRecord& record) {
    window::ResultsModel& model = mainWindow.Results().Model();
    const window::NodeHandle query = model.AddQuery(QStringLiteral("Запрос"));
    model.AddRow(query, window::RowKind::Firm, platform::FromCp1251(record.name), record);
    const QModelIndex queryIndex = model.QueryIndex(query);
    Tree(&mainWindow)->setCurrentIndex(model.index(model.rowCount(queryIndex) - 1, 0, queryIndex));
}

}  // namespace wintest
