// config.ini as a user can trust it: kept after a load error, per-user when the
// program folder takes no files, replaced atomically (a link replaced, not followed),
// and never opened when it is not a regular file.
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "config/config_file.h"
#include "platform/program_dir.h"
#include "platform/safe_file.h"
#include "support/window_fixture.h"
#include "window/message_box.h"
#include "window/proxy_dialog.h"

namespace {

using wintest::ReadAll;

bool Write(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

}  // namespace

class ConfigSafetyTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir dir_;
    QStringList reports_;

    QString Beside() const { return dir_.filePath(QStringLiteral("program/config.ini")); }

    std::unique_ptr<window::ProxyDialog> Dialog(const QString& path) {
        return std::make_unique<window::ProxyDialog>(nullptr, path, window::ShowErrorReport);
    }

  private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        qputenv("XDG_CONFIG_HOME", dir_.filePath(QStringLiteral("user-config")).toLocal8Bit());
        window::SetMessageHandler([this](const QString& text) { reports_ << text; });
    }
    void cleanupTestCase() { window::SetMessageHandler({}); }
    void init() {
        reports_.clear();
        QDir(dir_.filePath(QStringLiteral("program"))).removeRecursively();
        QDir(dir_.filePath(QStringLiteral("user-config"))).removeRecursively();
        QDir().mkpath(dir_.filePath(QStringLiteral("program")));
    }

    // A file whose reading stopped at a bad line keeps its hand-written lines at exit,
    // until the user confirms settings with OK.
    void fileKeptAfterALoadErrorUntilOk() {
        const QByteArray text =
            "[Setting]\r\nEnabledProxy=maybe\r\n; my own notes\r\nport=3128\r\n";
        QVERIFY(Write(Beside(), text));
        {
            auto dialog = Dialog(Beside());
            QCOMPARE(reports_.size(), 1);
            QVERIFY2(reports_.first().contains(QStringLiteral("'maybe'")),
                     qPrintable(reports_.first()));
            dialog->WriteConfig();
        }
        QCOMPARE(ReadAll(Beside()), text);

        auto dialog = Dialog(Beside());
        QTimer::singleShot(0, dialog.get(), [&] {
            dialog->findChild<QPushButton*>(QStringLiteral("okButton"))->click();
        });
        QTimer::singleShot(5000, dialog.get(), [&] { dialog->reject(); });
        dialog->ShowModal();
        dialog->WriteConfig();
        QCOMPARE(ReadAll(Beside()),
                 QByteArray("[Setting]\r\nEnabledProxy=0\r\nproxy=127.0.0.1\r\nport=8080\r\n"));
    }

    // A program folder that takes no files: the per-user file is written, and read
    // at the next start.
    void perUserFileWhenTheProgramFolderIsReadOnly() {
        const QString readOnly = QStringLiteral("/proc/self/config.ini");
        QVERIFY(!platform::CanCreateFilesIn(QStringLiteral("/proc/self")));
        const config::ConfigLocation location = config::LocateConfigFile(readOnly);
        QCOMPARE(location.readPath, readOnly);
        QCOMPARE(location.writePath, config::UserConfigPath());
        QVERIFY(location.writePath.startsWith(dir_.filePath(QStringLiteral("user-config"))));

        Dialog(readOnly)->WriteConfig();
        QVERIFY(ReadAll(config::UserConfigPath()).startsWith("[Setting]\r\n"));

        QVERIFY(Write(config::UserConfigPath(), "[Setting]\r\nEnabledProxy=1\r\nport=3128\r\n"));
        QVERIFY(Dialog(readOnly)->Settings().useProxy);
        QVERIFY(reports_.isEmpty());
    }

    // A packaged program lives in a shared system folder: its settings go to the
    // per-user file even for a user who may write there, and a link into such a folder
    // counts as the folder.
    void perUserFileBesideAProgramInASystemFolder() {
        for (const char* folder : {"/usr/bin", "/usr/local/bin", "/bin", "/sbin"}) {
            QVERIFY2(!platform::KeepsUserFiles(QLatin1String(folder)), folder);
            const config::ConfigLocation location =
                config::LocateConfigFile(QLatin1String(folder) + QStringLiteral("/config.ini"));
            QCOMPARE(location.writePath, config::UserConfigPath());
        }
        QVERIFY(QFile::link(QStringLiteral("/usr/bin"), dir_.filePath(QStringLiteral("linked"))));
        QVERIFY(!platform::KeepsUserFiles(dir_.filePath(QStringLiteral("linked"))));
        QVERIFY(QFile::remove(dir_.filePath(QStringLiteral("linked"))));

        QVERIFY(platform::KeepsUserFiles(dir_.filePath(QStringLiteral("program"))));
        QVERIFY(!platform::KeepsUserFiles(dir_.filePath(QStringLiteral("no-such-folder"))));
    }

    // Once a per-user file exists it wins, even beside a writable program folder.
    void perUserFileWinsWhenItExists() {
        QVERIFY(Write(Beside(), "[Setting]\r\nEnabledProxy=0\r\n"));
        QVERIFY(Write(config::UserConfigPath(), "[Setting]\r\nEnabledProxy=1\r\n"));
        const config::ConfigLocation location = config::LocateConfigFile(Beside());
        QCOMPARE(location.readPath, config::UserConfigPath());
        QCOMPARE(location.writePath, config::UserConfigPath());
        QVERIFY(Dialog(Beside())->Settings().useProxy);
    }

    // The link is replaced by the new file; what it pointed to is left as it was.
    void symbolicLinkAtTheTargetIsReplaced() {
        const QString elsewhere = dir_.filePath(QStringLiteral("program/precious.txt"));
        QVERIFY(Write(elsewhere, "precious"));
        QVERIFY(QFile::link(elsewhere, Beside()));
        QVERIFY(config::WriteTextFile(Beside(), "new"));
        QCOMPARE(ReadAll(elsewhere), QByteArray("precious"));
        QVERIFY(!QFileInfo(Beside()).isSymLink());
        QCOMPARE(ReadAll(Beside()), QByteArray("new"));
    }

    // A failed write leaves the old file whole.
    void failedWriteLeavesTheOldFile() {
        QVERIFY(Write(Beside(), "old"));
        const QString error = platform::SaveFileAtomically(
            dir_.filePath(QStringLiteral("program/missing-folder/config.ini")), "x");
        QVERIFY2(error.startsWith(QStringLiteral("Cannot create file \"")), qPrintable(error));
        QCOMPARE(ReadAll(Beside()), QByteArray("old"));
    }

    // A named pipe is refused at once; opening it for reading would wait for a writer.
    void namedPipeIsNotOpened() {
        QVERIFY(::mkfifo(QFile::encodeName(Beside()).constData(), 0600) == 0);
        const config::ConfigLoadResult result = config::LoadConfigFile(Beside(), {});
        QCOMPARE(result.error,
                 QStringLiteral("Cannot open file \"%1\". Not a regular file.").arg(Beside()));
        QCOMPARE(result.state.proxyChecked, false);
    }
};

QTEST_MAIN(ConfigSafetyTest)
#include "config_safety_test.moc"
