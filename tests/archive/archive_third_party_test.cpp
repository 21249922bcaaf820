// An evidence file checked the way a third party without this program checks it: the
// python3 script and the `openssl ts -verify` steps docs/archive_integration.md gives,
// run on a real export of a stamped archive, and on the same export tampered.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "archive/archive_db.h"
#include "support/archive_records.h"
#include "support/archive_support.h"

namespace {

using archive::CheckRecord;
using namespace archive_test;

const QString kSource = QStringLiteral(VENDRAKE_SOURCE_DIR);
const QString kScript = kSource + QStringLiteral("/docs/check_export.py");
const QString kAuthority = kSource + QStringLiteral("/tests/archive/tsa_server.py");

class ThirdParty : public ::testing::Test {
  protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable(QStringLiteral("python3")).isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("openssl")).isEmpty())
            GTEST_SKIP() << "python3 or openssl is not installed";
        configWas_ = qgetenv("XDG_CONFIG_HOME");
        configSet_ = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir_.filePath(QStringLiteral("config"))));
        path_ = dir_.filePath(QStringLiteral("archive.sqlite"));
        std::vector<CheckRecord> records;
        for (int i = 0; i < 4; ++i) {
            CheckRecord record = Check(i % 2 == 0 ? "Ромашка" : "Лютик «Север»\t\"№ 2\"");
            record.firms = {Firm("ООО Берег", std::to_string(1037700000000LL + i))};
            if (i == 2) {
                record.screening.screened = true;
                record.screening.versions = {{"sanctions", 3, archive::Sha256Hex("list")}};
                archive::ScreenMatch match;
                match.firmName = "ООО Берег";
                match.list = "sanctions";
                match.version = 3;
                match.entityId = "e-1";
                match.caption = "Берег";
                match.schema = "Company";
                match.topics = {"sanction", "debarment"};
                match.kind = "name";
                match.what = "name";
                match.firmValue = "берег";
                match.entityValue = "Берег";
                match.score = 0.8725;
                record.screening.matches = {match};
            }
            records.push_back(std::move(record));
        }
        ASSERT_TRUE(AppendTo(path_, records));
    }

    void TearDown() override {
        if (authority_.state() != QProcess::NotRunning) {
            authority_.kill();
            authority_.waitForFinished(10000);
        }
        if (configSet_)
            qputenv("XDG_CONFIG_HOME", configWas_);
        else
            qunsetenv("XDG_CONFIG_HOME");
    }

    static void Write(const QString& path, const std::string& text) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.data(), static_cast<qint64>(text.size()));
    }

    // A local authority whose CA is ca.pem in the folder tsa; false when it cannot start.
    bool StartAuthority() {
        tsa_ = dir_.filePath(QStringLiteral("tsa"));
        if (!QDir().mkpath(tsa_))
            return false;
        Write(tsa_ + QStringLiteral("/ext.cnf"), "extendedKeyUsage=critical,timeStamping\n");
        Write(tsa_ + QStringLiteral("/serial"), "01\n");
        Write(tsa_ + QStringLiteral("/tsa.cnf"),
              "[ tsa ]\ndefault_tsa = local\n[ local ]\ndir = .\nserial = ./serial\n"
              "crypto_device = builtin\nsigner_cert = ./tsa.pem\nsigner_key = ./tsa.key\n"
              "signer_digest = sha256\ndefault_policy = 1.2.3.4.1\ndigests = sha256\n"
              "accuracy = secs:1\nordering = yes\ntsa_name = no\ness_cert_id_chain = no\n"
              "ess_cert_id_alg = sha256\n");
        const QStringList steps[] = {
            {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", "ca.key", "-out", "ca.pem",
             "-days", "30", "-subj", "/CN=Test Root"},
            {"req", "-newkey", "rsa:2048", "-nodes", "-keyout", "tsa.key", "-out", "tsa.csr",
             "-subj", "/O=Test Authority/CN=Test Stamps"},
            {"x509", "-req", "-in", "tsa.csr", "-CA", "ca.pem", "-CAkey", "ca.key",
             "-CAcreateserial", "-out", "tsa.pem", "-days", "30", "-extfile", "ext.cnf"},
        };
        for (const QStringList& step : steps) {
            if (RunProgram(QStringLiteral("openssl"), step, {tsa_}).exitCode != 0)
                return false;
        }
        authority_.start(QStringLiteral("python3"), {kAuthority, tsa_});
        if (!authority_.waitForStarted(10000))
            return false;
        while (!authority_.canReadLine()) {
            if (!authority_.waitForReadyRead(30000))
                return false;
        }
        url_ = QStringLiteral("http://127.0.0.1:%1/stamp")
                   .arg(QString::fromUtf8(authority_.readLine()).trimmed());
        return true;
    }

    // The archive's evidence file, written by vendrake-archive.
    QString Export() {
        const Ended exported =
            RunProgram(kTool, {"--archive", path_, "export", "--format", "evidence"});
        EXPECT_EQ(exported.exitCode, 0) << exported.err;
        const QString file = dir_.filePath(QStringLiteral("evidence.jsonl"));
        Write(file, exported.out);
        return file;
    }

    Ended Script(const QStringList& args) {
        return RunProgram(QStringLiteral("python3"), QStringList{kScript} + args);
    }

    // Rewrites the evidence file: the first match of from becomes to.
    static void Tamper(const QString& file, const std::string& from, const std::string& to) {
        QFile read(file);
        ASSERT_TRUE(read.open(QIODevice::ReadOnly));
        std::string text = read.readAll().toStdString();
        read.close();
        const std::size_t at = text.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        text.replace(at, from.size(), to);
        Write(file, text);
    }

    QTemporaryDir dir_;
    QByteArray configWas_;
    bool configSet_ = false;
    QProcess authority_;
    QString tsa_;
    QString url_;
    QString path_;
};

// The documented script holds the export of an unstamped archive, with screened and
// quoted values, and finds a changed value, a removed record and a moved head.
TEST_F(ThirdParty, ScriptChecksTheChainAndFindsTampers) {
    const QString file = Export();
    const Ended held = Script({file});
    ASSERT_EQ(held.exitCode, 0) << held.err;
    EXPECT_EQ(held.out.rfind("4 records hold, head record 4 digest ", 0), 0u) << held.out;

    const QString pristine = dir_.filePath(QStringLiteral("pristine.jsonl"));
    ASSERT_TRUE(QFile::copy(file, pristine));
    struct Case {
        std::string from, to, says;
    };
    for (const Case& tamper :
         {Case{"1037700000002", "1037700000009", "record 3 was altered"},
          Case{"\"score\":0.8725", "\"score\":0.9", "record 3 was altered"},
          Case{"{\"record\":{\"id\":2,", "{\"record\":{\"id\":5,", "record 2 expected"},
          Case{"\"records\":4,\"last\":4", "\"records\":4,\"last\":3", "the head names record 3"},
          Case{"\"base\":0,\"time\":\"", "\"base\":0,\"time\":\"1999", "the head's time 1999"}}) {
        ASSERT_TRUE(QFile::remove(file));
        ASSERT_TRUE(QFile::copy(pristine, file));
        Tamper(file, tamper.from, tamper.to);
        const Ended caught = Script({file});
        EXPECT_EQ(caught.exitCode, 1) << tamper.from << ": " << caught.out;
        EXPECT_NE(caught.err.find(tamper.says), std::string::npos) << caught.err;
    }
}

// A stamped export: the script holds its chain and writes each token out, and the
// documented openssl steps verify the token against the authority's CA; a stamp moved
// onto another digest fails both.
TEST_F(ThirdParty, OpensslVerifiesTheStampTheScriptWritesOut) {
    ASSERT_TRUE(StartAuthority());
    const Ended stamped = RunProgram(kTool, {"--archive", path_, "stamp", "--tsa", url_});
    ASSERT_EQ(stamped.exitCode, 0) << stamped.err;
    const QString file = Export();
    const QString stamps = dir_.filePath(QStringLiteral("stamps"));
    ASSERT_TRUE(QDir().mkpath(stamps));
    const Ended held = Script({file, "--stamps", stamps});
    ASSERT_EQ(held.exitCode, 0) << held.err;
    EXPECT_NE(held.out.find("\nstamp 1 covers record 4 (" + url_.toStdString() + ")"),
              std::string::npos)
        << held.out;

    const QString ca = tsa_ + QStringLiteral("/ca.pem");
    const QStringList verify = {"ts",
                                "-verify",
                                "-in",
                                stamps + "/stamp-1.tsr",
                                "-token_in",
                                "-data",
                                stamps + "/stamp-1.data",
                                "-CAfile",
                                ca};
    const Ended verified = RunProgram(QStringLiteral("openssl"), verify);
    EXPECT_EQ(verified.exitCode, 0) << verified.out << verified.err;
    EXPECT_NE(verified.out.find("Verification: OK"), std::string::npos) << verified.out;

    const Ended shown = RunProgram(
        QStringLiteral("openssl"),
        {"ts", "-reply", "-in", stamps + "/stamp-1.tsr", "-token_in", "-token_out", "-text"});
    EXPECT_EQ(shown.exitCode, 0) << shown.err;
    EXPECT_NE(shown.out.find("Time stamp: "), std::string::npos) << shown.out;

    // The token given the 32 bytes of another record's digest: openssl refuses it.
    Write(stamps + "/stamp-1.data", std::string(32, '\x01'));
    EXPECT_NE(RunProgram(QStringLiteral("openssl"), verify).exitCode, 0);

    // The stamp's digest in the file changed: the script finds it covers no record.
    QFile read(file);
    ASSERT_TRUE(read.open(QIODevice::ReadOnly));
    const std::string text = read.readAll().toStdString();
    read.close();
    const std::size_t stamp = text.find("{\"stamp\":{\"record\":4,\"digest\":\"");
    ASSERT_NE(stamp, std::string::npos) << text;
    const std::size_t digit = stamp + std::string("{\"stamp\":{\"record\":4,\"digest\":\"").size();
    Tamper(file, text.substr(stamp, digit - stamp + 64),
           text.substr(stamp, digit - stamp) + std::string(64, '0'));
    const Ended caught = Script({file});
    EXPECT_EQ(caught.exitCode, 1) << caught.out;
    EXPECT_NE(caught.err.find("the time stamp of record 4 covers another digest"),
              std::string::npos)
        << caught.err;
}

}  // namespace
