// Time stamps from a local authority: `openssl ts -reply` behind a loopback HTTP
// server, with a CA and an authority certificate made for the test. A head stamped
// and verified against the CA, through a proxy too; the tampers a chain alone cannot
// show (a forgery chained anew, records cut off with the head moved) caught by the
// token; a wrong CA, an authority that cannot be reached, and a stamp killed while
// it waits for its answer.
#include <gtest/gtest.h>
#include <signal.h>

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "archive/archive_db.h"
#include "support/archive_records.h"
#include "support/archive_support.h"
#include "support/tinyproxy.h"

namespace {

using archive::Archive;
using archive::CheckRecord;
using namespace archive_test;

const QString kAuthority = QStringLiteral(VENDRAKE_SOURCE_DIR "/tests/archive/tsa_server.py");

class Stamps : public ::testing::Test {
  protected:
    void SetUp() override {
        // The tool reads its settings and config.ini from here, never the user's own.
        configWas_ = qgetenv("XDG_CONFIG_HOME");
        configSet_ = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir_.filePath(QStringLiteral("config"))));
        const QString tsa = dir_.filePath(QStringLiteral("tsa"));
        ASSERT_TRUE(QDir().mkpath(tsa));
        const QString openssl = QStringLiteral("openssl");
        const QStringList steps[] = {
            {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", "ca.key", "-out", "ca.pem",
             "-days", "30", "-subj", "/CN=Test Root"},
            {"req", "-newkey", "rsa:2048", "-nodes", "-keyout", "tsa.key", "-out", "tsa.csr",
             "-subj", "/O=Test Authority/CN=Test Stamps"},
            {"x509", "-req", "-in", "tsa.csr", "-CA", "ca.pem", "-CAkey", "ca.key",
             "-CAcreateserial", "-out", "tsa.pem", "-days", "30", "-extfile", "ext.cnf"},
            {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", "other.key", "-out",
             "other.pem", "-days", "30", "-subj", "/CN=Other Root"},
        };
        Write(tsa + QStringLiteral("/ext.cnf"), "extendedKeyUsage=critical,timeStamping\n");
        Write(tsa + QStringLiteral("/serial"), "01\n");
        Write(tsa + QStringLiteral("/tsa.cnf"),
              "[ tsa ]\ndefault_tsa = local\n[ local ]\ndir = .\nserial = ./serial\n"
              "crypto_device = builtin\nsigner_cert = ./tsa.pem\nsigner_key = ./tsa.key\n"
              "signer_digest = sha256\ndefault_policy = 1.2.3.4.1\ndigests = sha256\n"
              "accuracy = secs:1\nordering = yes\ntsa_name = no\ness_cert_id_chain = no\n"
              "ess_cert_id_alg = sha256\n");
        for (const QStringList& step : steps) {
            const Ended made = RunProgram(openssl, step, {tsa});
            ASSERT_EQ(made.exitCode, 0) << made.err;
        }
        ca_ = tsa + QStringLiteral("/ca.pem");
        other_ = tsa + QStringLiteral("/other.pem");
        authority_.start(QStringLiteral("python3"), {kAuthority, tsa});
        ASSERT_TRUE(authority_.waitForStarted(10000));
        while (!authority_.canReadLine())
            ASSERT_TRUE(authority_.waitForReadyRead(30000));
        url_ = QStringLiteral("http://127.0.0.1:%1/stamp")
                   .arg(QString::fromUtf8(authority_.readLine()).trimmed());

        path_ = dir_.filePath(QStringLiteral("archive.sqlite"));
        std::vector<CheckRecord> records;
        for (int i = 0; i < 6; ++i) {
            CheckRecord record = Check(i % 2 == 0 ? "Ромашка" : "Лютик");
            record.firms = {Firm("ООО Берег", std::to_string(1037700000000LL + i))};
            records.push_back(std::move(record));
        }
        ASSERT_TRUE(AppendTo(path_, records));
    }

    void TearDown() override {
        authority_.kill();
        authority_.waitForFinished(10000);
        if (configSet_)
            qputenv("XDG_CONFIG_HOME", configWas_);
        else
            qunsetenv("XDG_CONFIG_HOME");
    }

    // The program's settings (Quillmarsh/Vendrake) and its per-user config.ini.
    void Settings(const std::string& settings, const std::string& configIni) {
        const QString folder = dir_.filePath(QStringLiteral("config/Quillmarsh"));
        ASSERT_TRUE(QDir().mkpath(folder + QStringLiteral("/Vendrake")));
        Write(folder + QStringLiteral("/Vendrake.conf"), settings.c_str());
        Write(folder + QStringLiteral("/Vendrake/config.ini"), configIni.c_str());
    }

    static void Write(const QString& path, const char* text) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    Ended Tool(const QStringList& args) {
        return RunProgram(kTool, QStringList{"--archive", path_} + args);
    }

    void Sql(const QString& sql) {
        const Ended done = RunProgram(QStringLiteral("sqlite3"), {path_, sql});
        ASSERT_EQ(done.exitCode, 0) << done.err;
    }

    QTemporaryDir dir_;
    QByteArray configWas_;
    bool configSet_ = false;
    QProcess authority_;
    QString url_;
    QString ca_;
    QString other_;
    QString path_;
};

// The head stamped, and verify names who stamped it and when; through the proxy the
// user gives as well.
TEST_F(Stamps, HeadIsStampedAndVerifiedAgainstTheAuthoritysCa) {
    const Ended stamped = Tool({"stamp", "--tsa", url_});
    ASSERT_EQ(stamped.exitCode, 0) << stamped.err;
    EXPECT_EQ(stamped.out, "stamp: record 6 stamped by " + url_.toStdString() + "\n");

    testsupport::TinyProxy proxy;
    ASSERT_TRUE(proxy.Running());
    ASSERT_TRUE(AppendTo(path_, {Check("Ромашка")}));
    const Ended proxied =
        Tool({"stamp", "--tsa", url_, "--proxy", "127.0.0.1:" + QString::number(proxy.port())});
    ASSERT_EQ(proxied.exitCode, 0) << proxied.err;
    EXPECT_NE(proxy.Log().find("127.0.0.1"), std::string::npos) << proxy.Log();

    const Ended verified = Tool({"verify", "--tsa-ca", ca_});
    EXPECT_EQ(verified.exitCode, 0) << verified.out << verified.err;
    const QStringList lines = QString::fromStdString(verified.out).split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 4) << verified.out;
    EXPECT_EQ(lines[0], QStringLiteral("verify: 7 records intact"));
    for (const auto& [line, record] : {std::pair{lines[1], 6}, std::pair{lines[2], 7}}) {
        EXPECT_TRUE(line.startsWith(QStringLiteral("verify: record %1 stamped by CN=Test "
                                                   "Stamps,O=Test Authority at ")
                                        .arg(record)))
            << line.toStdString();
        EXPECT_TRUE(line.endsWith(" (" + url_ + ")")) << line.toStdString();
    }

    const Ended wrongCa = Tool({"verify", "--tsa-ca", other_});
    EXPECT_EQ(wrongCa.exitCode, 1);
    EXPECT_EQ(wrongCa.out.rfind("verify: the time stamp of record 6 does not hold: its signature "
                                "or imprint is not good",
                                0),
              0u)
        << wrongCa.out;
}

// Without --tsa and --tsa-ca the settings TsaUrl and TsaCaFile name the authority and
// its CA certificates, and the request goes through the proxy config.ini sets, as the
// register's queries do; an option given still wins.
TEST_F(Stamps, SettingsNameTheAuthorityItsCertificatesAndTheProxy) {
    const Ended unset = Tool({"stamp"});
    EXPECT_EQ(unset.exitCode, 2);
    EXPECT_NE(unset.err.find("stamp needs --tsa URL, or the authority's URL in the setting TsaUrl"),
              std::string::npos)
        << unset.err;

    testsupport::TinyProxy proxy;
    ASSERT_TRUE(proxy.Running());
    Settings("[General]\nTsaUrl=" + url_.toStdString() + "\nTsaCaFile=" + ca_.toStdString() + "\n",
             "[Setting]\r\nEnabledProxy=1\r\nproxy=127.0.0.1\r\nport=" +
                 std::to_string(proxy.port()) + "\r\n");
    const Ended stamped = Tool({"stamp"});
    ASSERT_EQ(stamped.exitCode, 0) << stamped.err;
    EXPECT_EQ(stamped.out, "stamp: record 6 stamped by " + url_.toStdString() + "\n");
    EXPECT_NE(proxy.Log().find("127.0.0.1"), std::string::npos) << proxy.Log();

    const Ended verified = Tool({"verify"});
    EXPECT_EQ(verified.exitCode, 0) << verified.out << verified.err;
    EXPECT_NE(
        verified.out.find("\nverify: record 6 stamped by CN=Test Stamps,O=Test Authority at "),
        std::string::npos)
        << verified.out;
    EXPECT_EQ(Tool({"verify", "--tsa-ca", other_}).exitCode, 1);

    const Ended exported = Tool({"export", "--format", "evidence"});
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    const QString file = dir_.filePath(QStringLiteral("evidence.jsonl"));
    Write(file, exported.out.c_str());
    const Ended checked = RunProgram(kTool, {"check-export", file});
    EXPECT_EQ(checked.exitCode, 0) << checked.out << checked.err;
    EXPECT_NE(checked.out.find("\ncheck-export: record 6 stamped by CN=Test Stamps"),
              std::string::npos)
        << checked.out;

    // A proxy config.ini names that is not there fails the request, and says so.
    Settings("[General]\nTsaUrl=" + url_.toStdString() + "\n",
             "[Setting]\r\nEnabledProxy=1\r\nproxy=127.0.0.1\r\nport=1\r\n");
    const Ended refused = Tool({"stamp"});
    EXPECT_EQ(refused.exitCode, 1) << refused.out;
    EXPECT_EQ(Tool({"stamp", "--proxy", "127.0.0.1:" + QString::number(proxy.port())}).exitCode, 0);
}

// What only a kept head could show otherwise, a token shows: records rewritten and
// chained anew, and records cut off with the head moved back.
TEST_F(Stamps, TokenCatchesWhatTheChainAloneCannot) {
    ASSERT_EQ(Tool({"stamp", "--tsa", url_}).exitCode, 0);
    const QString original = dir_.filePath(QStringLiteral("original.sqlite"));
    ASSERT_TRUE(QFile::copy(path_, original));

    // A forgery chained anew: record 6's message changed and its digest taken again.
    Archive db;
    ASSERT_TRUE(Succeeded(db.Open(path_.toStdString(), Archive::Access::ReadOnly)));
    CheckRecord fifth;
    CheckRecord sixth;
    bool found = false;
    ASSERT_TRUE(Succeeded(db.Get(5), &fifth, &found));
    ASSERT_TRUE(Succeeded(db.Get(6), &sixth, &found));
    db.Close();
    sixth.message = "подлог";
    const std::string forged = archive::RecordDigest(sixth, fifth.digest);
    Sql(QStringLiteral("UPDATE checks SET message = 'подлог', digest = '%1' WHERE id = 6; "
                       "UPDATE chain SET head_digest = '%1'")
            .arg(QString::fromStdString(forged)));
    EXPECT_EQ(Tool({"verify"}).exitCode, 0);
    const Ended rechained = Tool({"verify", "--tsa-ca", ca_});
    EXPECT_EQ(rechained.exitCode, 1);
    EXPECT_EQ(rechained.out,
              "verify: record 6 was altered, or one before it (its time stamp covers another "
              "digest)\n");

    for (const char* suffix : {"", "-wal", "-shm"})
        QFile::remove(path_ + QLatin1String(suffix));
    ASSERT_TRUE(QFile::copy(original, path_));
    Sql(
        QStringLiteral("INSERT INTO firm_text(firm_text, rowid, name, inn, ogrn) SELECT 'delete', "
                       "id, name, inn, ogrn FROM firms WHERE check_id >= 5; "
                       "DELETE FROM firms WHERE check_id >= 5; DELETE FROM checks WHERE id >= "
                       "5; UPDATE chain SET head_id = 4, head_digest = (SELECT digest FROM "
                       "checks WHERE id = 4)"));
    EXPECT_EQ(Tool({"verify"}).exitCode, 0);
    EXPECT_EQ(Tool({"verify", "--tsa-ca", ca_}).out,
              "verify: record 6 was removed (a time stamp covers it)\n");
}

// An authority that cannot be reached is named and nothing is kept; a stamp killed
// while it waits for its answer leaves the archive as it was.
TEST_F(Stamps, FailedAndKilledStampsKeepNothing) {
    const Ended unreachable = Tool({"stamp", "--tsa", "http://127.0.0.1:1/"});
    EXPECT_EQ(unreachable.exitCode, 1);
    EXPECT_NE(unreachable.err.find("time stamp: http://127.0.0.1:1/ cannot be reached"),
              std::string::npos)
        << unreachable.err;

    // The authority holds this request unanswered (see tsa_server.py).
    QProcess stamper;
    stamper.start(kTool, {"--archive", path_, "stamp", "--tsa", url_ + QStringLiteral("/hold")});
    ASSERT_TRUE(stamper.waitForStarted(10000));
    QFile log(dir_.filePath(QStringLiteral("tsa/requests.log")));
    while (!(log.open(QIODevice::ReadOnly) && log.readAll().contains("/hold"))) {
        log.close();
        ASSERT_FALSE(stamper.waitForFinished(50)) << stamper.readAllStandardError().toStdString();
    }
    ::kill(static_cast<pid_t>(stamper.processId()), SIGKILL);
    ASSERT_TRUE(stamper.waitForFinished(10000));

    const Ended verified = Tool({"verify", "--tsa-ca", ca_});
    EXPECT_EQ(verified.exitCode, 0) << verified.out;
    EXPECT_EQ(verified.out, "verify: 6 records intact\n");
}

// An evidence file carries the tokens: checked away from the archive against the CA,
// a token that covers another digest than the file's record is named.
TEST_F(Stamps, EvidenceFileCarriesItsTokens) {
    ASSERT_EQ(Tool({"stamp", "--tsa", url_}).exitCode, 0);
    const Ended exported = Tool({"export", "--format", "evidence"});
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    const QString file = dir_.filePath(QStringLiteral("evidence.jsonl"));
    const auto check = [&](const QString& content, const QString& ca) {
        QFile out(file);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(content.toUtf8());
        out.close();
        return RunProgram(kTool, {"check-export", file, "--tsa-ca", ca});
    };
    const QString evidence = QString::fromStdString(exported.out);
    const Ended whole = check(evidence, ca_);
    EXPECT_EQ(whole.exitCode, 0) << whole.out << whole.err;
    EXPECT_NE(whole.out.find("\ncheck-export: record 6 stamped by CN=Test Stamps,O=Test "
                             "Authority at "),
              std::string::npos)
        << whole.out;
    EXPECT_EQ(check(evidence, other_).exitCode, 1);

    // The file's last record replaced by a forgery chained anew to the record before.
    QStringList lines = evidence.split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 10);  // the base, the token, six records, the head, the rest
    QString forged = lines[7];
    const QString digest = QJsonDocument::fromJson(lines[7].toUtf8())
                               .object()[QStringLiteral("record")]
                               .toObject()[QStringLiteral("digest")]
                               .toString();
    archive::CheckRecord sixth;
    {
        Archive db;
        ASSERT_TRUE(Succeeded(db.Open(path_.toStdString(), Archive::Access::ReadOnly)));
        bool found = false;
        CheckRecord fifth;
        ASSERT_TRUE(Succeeded(db.Get(5), &fifth, &found));
        ASSERT_TRUE(Succeeded(db.Get(6), &sixth, &found));
        sixth.message = "подлог";
        sixth.digest = archive::RecordDigest(sixth, fifth.digest);
    }
    forged.replace(QStringLiteral("\"message\":\"\""), QStringLiteral("\"message\":\"подлог\""));
    forged.replace(digest, QString::fromStdString(sixth.digest));
    lines[7] = forged;
    lines[8].replace(digest, QString::fromStdString(sixth.digest));
    const Ended caught = check(lines.join(QLatin1Char('\n')), ca_);
    EXPECT_EQ(caught.exitCode, 1);
    EXPECT_EQ(caught.out,
              "check-export: record 6 was altered, or one before it (its time stamp covers "
              "another digest)\n");
}

}  // namespace
