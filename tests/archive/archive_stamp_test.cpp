// Time stamps from a local authority: `openssl ts -reply` behind a loopback HTTP
// server, with a CA and an authority certificate made for the test. A head stamped
// and verified against the CA, through a proxy too; the tampers a chain alone cannot
// show (a forgery chained anew, records cut off with the head moved) caught by the
// token; a wrong CA, an authority that cannot be reached, and a stamp killed while
// it waits for its answer.
#include <curl/curl.h>
#include <gtest/gtest.h>
#include <signal.h>

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "archive/archive_db.h"
#include "archive/archive_stamp.h"
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
    EXPECT_EQ(stamped.out, "stamp: record 6 stamped by " + url_.toStdString() +
                               " (chain not checked: no CA certificates given)\n");

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
        EXPECT_TRUE(
            line.endsWith(QStringLiteral("Z (%1), stamp %2: holds").arg(url_).arg(record - 5)))
            << line.toStdString();
    }

    const Ended wrongCa = Tool({"verify", "--tsa-ca", other_});
    EXPECT_EQ(wrongCa.exitCode, 1);
    EXPECT_EQ(
        wrongCa.out.rfind("verify: 7 records intact\nverify: record 6 stamped by CN=Test ", 0), 0u)
        << wrongCa.out;
    EXPECT_NE(wrongCa.out.find(", stamp 1: does not hold: its signature or imprint is not good"),
              std::string::npos)
        << wrongCa.out;
}

// Each kept token gets a line and a verdict of its own, apart from the chain's: one
// that does not hold names itself and hides neither the chain nor the tokens that hold.
TEST_F(Stamps, EachStampGetsItsOwnVerdict) {
    ASSERT_EQ(Tool({"stamp", "--tsa", url_}).exitCode, 0);
    ASSERT_TRUE(AppendTo(path_, {Check("Ромашка")}));
    ASSERT_EQ(Tool({"stamp", "--tsa", url_}).exitCode, 0);
    ASSERT_TRUE(AppendTo(path_, {Check("Лютик")}));
    ASSERT_EQ(Tool({"stamp", "--tsa", url_}).exitCode, 0);
    // The middle token broken: its bytes are no token any more.
    Sql(QStringLiteral("UPDATE stamps SET token = X'3000' WHERE record_id = 7"));

    const Ended verified = Tool({"verify", "--tsa-ca", ca_});
    EXPECT_EQ(verified.exitCode, 1) << verified.err;
    const QStringList lines = QString::fromStdString(verified.out).split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 5) << verified.out;
    EXPECT_EQ(lines[0], QStringLiteral("verify: 8 records intact"));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("verify: record 6 stamped by CN=Test")))
        << verified.out;
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral(", stamp 1: holds"))) << verified.out;
    EXPECT_EQ(lines[2], "verify: record 7 stamped by " + url_ +
                            ", stamp 2: does not hold: it is no time-stamp token")
        << verified.out;
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("verify: record 8 stamped by CN=Test")))
        << verified.out;
    EXPECT_TRUE(lines[3].endsWith(QStringLiteral(", stamp 3: holds"))) << verified.out;

    // Without CA certificates every token is listed, none as proven.
    const Ended unchecked = Tool({"verify"});
    EXPECT_EQ(unchecked.exitCode, 0) << unchecked.err;
    const std::string url = url_.toStdString();
    EXPECT_EQ(unchecked.out, "verify: 8 records intact\nverify: record 6 stamped by " + url +
                                 ", stamp 1: chain not checked (no CA certificates given)\n"
                                 "verify: record 7 stamped by " +
                                 url +
                                 ", stamp 2: chain not checked (no CA certificates given)\n"
                                 "verify: record 8 stamped by " +
                                 url + ", stamp 3: chain not checked (no CA certificates given)\n");
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
    EXPECT_NE(verified.out.find("\nverify: record 6 stamped by CN=Test Stamps,O=Test Authority "
                                "at "),
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
    EXPECT_NE(refused.err.find("time stamp: cannot reach the proxy 127.0.0.1:1 ("),
              std::string::npos)
        << refused.err;
    EXPECT_NE(refused.err.find("), so not " + url_.toStdString()), std::string::npos)
        << refused.err;

    // A proxy that answers for an authority it cannot reach is named, not the authority.
    Settings("[General]\n", "[Setting]\r\nEnabledProxy=1\r\nproxy=127.0.0.1\r\nport=" +
                                std::to_string(proxy.port()) + "\r\n");
    const Ended unreached = Tool({"stamp", "--tsa", "http://127.0.0.1:1/"});
    EXPECT_EQ(unreached.exitCode, 1) << unreached.out;
    EXPECT_NE(unreached.err.find("time stamp: the proxy 127.0.0.1:" + std::to_string(proxy.port()) +
                                 " answered HTTP 500, not the authority http://127.0.0.1:1/ "
                                 "behind it (it could not reach the authority)\n"),
              std::string::npos)
        << unreached.err;
    EXPECT_EQ(
        Tool({"stamp", "--tsa", url_, "--proxy", "127.0.0.1:" + QString::number(proxy.port())})
            .exitCode,
        0);
}

// Through a proxy a failed request names the hop that failed: an answer the proxy
// passed on (it carries Via) is the authority's, any other the proxy's own.
TEST(StampHops, EachFailureNamesTheProxyOrTheAuthority) {
    const std::string url = "http://tsa.example/stamp";
    EXPECT_EQ(archive::FailedHop(url, "", CURLE_OK, "", 404, 0, false), url + " answered HTTP 404");
    EXPECT_EQ(archive::FailedHop(url, "", CURLE_COULDNT_CONNECT, "refused", 0, 0, false),
              url + " cannot be reached (refused)");
    EXPECT_EQ(archive::FailedHop(url, "p:3128", CURLE_OK, "", 404, 0, true),
              url + " answered HTTP 404 through the proxy p:3128");
    EXPECT_EQ(archive::FailedHop(url, "p:3128", CURLE_OK, "", 404, 0, false),
              "the proxy p:3128 answered HTTP 404, not the authority " + url + " behind it");
    EXPECT_EQ(archive::FailedHop(url, "p:3128", CURLE_OK, "", 502, 0, false),
              "the proxy p:3128 answered HTTP 502, not the authority " + url +
                  " behind it (it could not reach the authority)");
    EXPECT_EQ(archive::FailedHop(url, "p:3128", CURLE_OK, "", 407, 0, false),
              "the proxy p:3128 asks for a password");
    EXPECT_EQ(
        archive::FailedHop("https://tsa.example/", "p:3128", CURLE_RECV_ERROR, "tunnel", 0, 403,
                           false),
        "the proxy p:3128 answered HTTP 403, not the authority https://tsa.example/ behind it");
    EXPECT_EQ(archive::FailedHop(url, "p:3128", CURLE_COULDNT_CONNECT, "refused", 0, 0, false),
              "cannot reach the proxy p:3128 (refused), so not " + url);
    EXPECT_EQ(archive::FailedHop(url, "p:3128", CURLE_GOT_NOTHING, "empty", 0, 0, false),
              url + " cannot be reached through the proxy p:3128 (empty)");
    EXPECT_EQ(archive::FailedHop(url, "p:3128", CURLE_RECV_ERROR, "reset", 500, 0, false),
              "the proxy p:3128 answered HTTP 500, not the authority " + url +
                  " behind it (it could not reach the authority)");
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
    EXPECT_EQ(rechained.out.rfind("verify: 6 records intact\nverify: record 6 ", 0), 0u)
        << rechained.out;
    EXPECT_NE(rechained.out.find(": does not hold: record 6 was altered, or one before it (its "
                                 "time stamp covers another digest)\n"),
              std::string::npos)
        << rechained.out;

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
    const Ended cut = Tool({"verify", "--tsa-ca", ca_});
    EXPECT_EQ(cut.exitCode, 1);
    EXPECT_EQ(cut.out.rfind("verify: 4 records intact\nverify: record 6 ", 0), 0u) << cut.out;
    EXPECT_NE(cut.out.find(": does not hold: record 6 was removed (a time stamp covers it)\n"),
              std::string::npos)
        << cut.out;
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

// With CA certificates a token is judged as it arrives: one no CA given vouches for
// is refused and nothing kept; a DER CA file is read as a PEM one; a CA file that
// cannot be read or holds no certificate is a usage error that names it.
TEST_F(Stamps, TokenIsJudgedWhenItArrives) {
    const Ended refused = Tool({"stamp", "--tsa", url_, "--tsa-ca", other_});
    EXPECT_EQ(refused.exitCode, 1) << refused.out;
    EXPECT_NE(refused.err.find("gave a token that does not hold (its signature or imprint is not "
                               "good"),
              std::string::npos)
        << refused.err;
    EXPECT_NE(refused.err.find("nothing was kept"), std::string::npos) << refused.err;
    EXPECT_EQ(Tool({"verify", "--tsa-ca", ca_}).out, "verify: 6 records intact\n");

    const QString der = dir_.filePath(QStringLiteral("tsa/ca.der"));
    ASSERT_EQ(
        RunProgram(QStringLiteral("openssl"), {"x509", "-in", ca_, "-outform", "DER", "-out", der})
            .exitCode,
        0);
    const Ended stamped = Tool({"stamp", "--tsa", url_, "--tsa-ca", der});
    ASSERT_EQ(stamped.exitCode, 0) << stamped.err;
    EXPECT_EQ(stamped.out, "stamp: record 6 stamped by " + url_.toStdString() + "\n");
    const Ended verified = Tool({"verify", "--tsa-ca", der});
    EXPECT_EQ(verified.exitCode, 0) << verified.out << verified.err;
    EXPECT_NE(verified.out.find("\nverify: record 6 stamped by CN=Test Stamps"), std::string::npos)
        << verified.out;

    const QString empty = dir_.filePath(QStringLiteral("empty.pem"));
    Write(empty, "not a certificate\n");
    const QString missing = dir_.filePath(QStringLiteral("missing.pem"));
    for (const QString& bad : {empty, missing}) {
        for (const QStringList& command : {QStringList{"verify", "--tsa-ca", bad},
                                           QStringList{"stamp", "--tsa", url_, "--tsa-ca", bad}}) {
            const Ended unusable = Tool(command);
            EXPECT_EQ(unusable.exitCode, 2) << command.join(' ').toStdString();
            EXPECT_NE(unusable.err.find("the CA certificates cannot be used: " + bad.toStdString()),
                      std::string::npos)
                << unusable.err;
        }
    }
    EXPECT_NE(Tool({"verify", "--tsa-ca", empty}).err.find("holds no certificate"),
              std::string::npos);
    EXPECT_NE(Tool({"verify", "--tsa-ca", missing}).err.find("cannot be read (No such file"),
              std::string::npos);
}

// A second authority with the same names as the first and other keys: its token holds
// against its own CA and never against the first one's, though every name matches.
TEST_F(Stamps, SameNamesOtherKeyIsNotVouchedFor) {
    const QString twin = dir_.filePath(QStringLiteral("twin"));
    ASSERT_TRUE(QDir().mkpath(twin));
    Write(twin + QStringLiteral("/ext.cnf"), "extendedKeyUsage=critical,timeStamping\n");
    Write(twin + QStringLiteral("/serial"), "01\n");
    Write(twin + QStringLiteral("/tsa.cnf"),
          "[ tsa ]\ndefault_tsa = local\n[ local ]\ndir = .\nserial = ./serial\n"
          "crypto_device = builtin\nsigner_cert = ./tsa.pem\nsigner_key = ./tsa.key\n"
          "signer_digest = sha256\ndefault_policy = 1.2.3.4.1\ndigests = sha256\n"
          "accuracy = secs:1\nordering = yes\ntsa_name = no\ness_cert_id_chain = no\n"
          "ess_cert_id_alg = sha256\n");
    // The message stamped is a digest's 32 bytes, as a head's are.
    const std::string digestHex(64, 'a');
    Write(twin + QStringLiteral("/message"), std::string(32, '\xaa').c_str());
    const QStringList steps[] = {
        {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", "ca.key", "-out", "ca.pem",
         "-days", "30", "-subj", "/CN=Test Root"},
        {"req", "-newkey", "rsa:2048", "-nodes", "-keyout", "tsa.key", "-out", "tsa.csr", "-subj",
         "/O=Test Authority/CN=Test Stamps"},
        {"x509", "-req", "-in", "tsa.csr", "-CA", "ca.pem", "-CAkey", "ca.key", "-CAcreateserial",
         "-out", "tsa.pem", "-days", "30", "-extfile", "ext.cnf"},
        {"ts", "-query", "-data", "message", "-sha256", "-cert", "-out", "query.tsq"},
        {"ts", "-reply", "-config", "tsa.cnf", "-queryfile", "query.tsq", "-token_out", "-out",
         "token.der"},
    };
    for (const QStringList& step : steps) {
        const Ended made = RunProgram(QStringLiteral("openssl"), step, {twin});
        ASSERT_EQ(made.exitCode, 0) << made.err;
    }
    QFile tokenFile(twin + QStringLiteral("/token.der"));
    ASSERT_TRUE(tokenFile.open(QIODevice::ReadOnly));
    const QByteArray token = tokenFile.readAll();
    const std::string tokenBytes(token.constData(), static_cast<std::size_t>(token.size()));

    const archive::StampCheck own = archive::CheckStamp(
        tokenBytes, digestHex, (twin + QStringLiteral("/ca.pem")).toStdString());
    EXPECT_TRUE(own.valid) << own.problem;
    EXPECT_EQ(own.subject, "CN=Test Stamps,O=Test Authority");
    EXPECT_TRUE(own.note.empty()) << own.note;
    const archive::StampCheck first = archive::CheckStamp(tokenBytes, digestHex, ca_.toStdString());
    EXPECT_FALSE(first.valid);
    // Both roots in one bundle: the twin's own root vouches for it.
    const QString bundle = dir_.filePath(QStringLiteral("bundle.pem"));
    {
        QFile a(ca_), b(twin + QStringLiteral("/ca.pem")), out(bundle);
        ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly) &&
                    out.open(QIODevice::WriteOnly));
        out.write(a.readAll() + b.readAll());
    }
    EXPECT_TRUE(archive::CheckStamp(tokenBytes, digestHex, bundle.toStdString()).valid);
    EXPECT_FALSE(archive::CheckStamp(tokenBytes, std::string(64, 'b'), bundle.toStdString()).valid);
}

// Third-party tokens, each judged at its own time: the verdict of the system's own
// checker there (openssl_verdicts.tsv's last column) for every SHA-256 token, over its
// imprint; SHA-384 and SHA-512 imprints refused as no head's digest; a token whose
// certificate is neither in it nor given cannot be vouched for.
TEST(ThirdPartyStamps, EachTokenGetsItsVerdictAtItsTime) {
    const QString root = QStringLiteral(VENDRAKE_EXTERNAL_DIR "/rfc3161/");
    QFile table(root + QStringLiteral("openssl_verdicts.tsv"));
    ASSERT_TRUE(table.open(QIODevice::ReadOnly));
    const auto read = [](const QString& path) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        const QByteArray bytes = file.readAll();
        return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    };
    int judged = 0;
    table.readLine();
    while (!table.atEnd()) {
        QString line = QString::fromUtf8(table.readLine());
        while (line.endsWith('\n') || line.endsWith('\r'))
            line.chop(1);
        const QStringList columns = line.split('\t');
        const bool bare = columns.size() >= 12 && columns[1] == QStringLiteral("token");
        if (columns.size() < 12 || (columns[1] != QStringLiteral("Granted.") && !bare))
            continue;
        QString response = columns[0].section(' ', 0, 0);
        response = response.left(response.lastIndexOf('.'));
        const int slash = response.lastIndexOf('/');
        const QString folder = root + response.left(slash);
        const QString tokenPath = bare ? root + columns[0].section(' ', 0, 0)
                                       : folder + QStringLiteral("/tokens/") +
                                             response.mid(slash + 1) + QStringLiteral(".token.der");
        QString ca = columns[8] == QStringLiteral("system bundle")
                         ? QStringLiteral("/etc/ssl/certs/ca-certificates.crt")
                         : root + columns[8];
        // A token without its certificate: the chain file gives it, as the untrusted
        // certificates did for openssl.
        if (columns[6] == QStringLiteral("0") && QFile::exists(folder + "/ts_chain.pem"))
            ca = folder + QStringLiteral("/ts_chain.pem");
        const std::string token = read(tokenPath);
        const QByteArray imprint = QByteArray::fromHex(columns[3].toLatin1());
        const archive::StampCheck check = archive::CheckStampImprint(
            token, std::string(imprint.constData(), static_cast<std::size_t>(imprint.size())),
            ca.toStdString());
        const std::string name = columns[0].toStdString();
        ++judged;
        if (columns[2] != QStringLiteral("sha256")) {
            EXPECT_FALSE(check.valid) << name;
            EXPECT_NE(check.problem.find("not the SHA-256 of a head's digest"), std::string::npos)
                << name << ": " << check.problem;
            continue;
        }
        EXPECT_EQ(check.valid, columns[11] == QStringLiteral("OK"))
            << name << ": " << check.problem;
        EXPECT_FALSE(check.time.empty()) << name;
        if (name.find("respNoCert") != std::string::npos) {
            EXPECT_NE(check.problem.find("cannot be vouched for"), std::string::npos)
                << check.problem;
        }
        if (name.find("response-expired") != std::string::npos) {
            EXPECT_EQ(check.time, "2023-02-01T00:00:00Z");
            EXPECT_NE(check.note.find("expired since"), std::string::npos) << check.note;
        }
        // Every name in a bag of certificates matches but one: the signer the
        // SignerInfo names is the one reported.
        if (check.valid) {
            EXPECT_EQ(check.subject.find("Spoofed"), std::string::npos) << check.subject;
        }
    }
    EXPECT_EQ(judged, 15);

    // The identrust chain file is DER in spite of its name; the FreeTSA token carries
    // no certificate and no CA given holds it.
    EXPECT_EQ(archive::CaFileProblem(
                  (root + "trailofbits_rfc3161-client/identrust/ts_chain.pem").toStdString()),
              "");
    const archive::StampCheck freetsa = archive::CheckStampImprint(
        read(root + "pyasn1-alt-modules_freetsa/tokens/freetsa_response.token.der"),
        std::string(32, '\0'), "/etc/ssl/certs/ca-certificates.crt");
    EXPECT_FALSE(freetsa.valid);
}

}  // namespace
