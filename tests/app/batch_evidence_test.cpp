// What vendrake-batch leaves for an auditor: the summary names the archive head its run
// was written against, as vendrake-archive reads it, and --stamp has a local
// time-stamping authority (`openssl ts -reply` behind a loopback HTTP server) stamp that
// head, from --tsa or the setting TsaUrl; without an address, or without an answer,
// the user is told.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

#include "support/batch_run_support.h"

using batchtest::BatchFolder;
using batchtest::Outcome;
using batchtest::Searches;
using testsupport::StandinServer;

namespace {

const QString kArchiveTool = QStringLiteral(VENDRAKE_BIN_DIR "/vendrake-archive");
const QString kAuthority = QStringLiteral(VENDRAKE_SOURCE_DIR "/tests/archive/tsa_server.py");

struct Ended {
    int exitCode = -1;
    std::string out;
    std::string err;
};

Ended RunProgram(const QString& program, const QStringList& args, const QString& folder = {}) {
    QProcess process;
    if (!folder.isEmpty()) {
        process.setWorkingDirectory(folder);
    }
    process.start(program, args);
    EXPECT_TRUE(process.waitForFinished(120000));
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput().toStdString(),
            process.readAllStandardError().toStdString()};
}

void WriteText(const QString& path, const char* text) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

// What follows "Archive head: " in a run's messages, up to the line's end.
std::string HeadOf(const std::string& err) {
    const std::string tag = "Archive head: ";
    const std::size_t at = err.find(tag);
    if (at == std::string::npos) {
        return "<none>";
    }
    const std::size_t start = at + tag.size();
    return err.substr(start, err.find('\n', start) - start);
}

class BatchEvidence : public ::testing::Test {
  protected:
    void SetUp() override { archive_ = folder_.path("archive.sqlite"); }

    // A CA and an authority it vouches for, served on loopback; url_ is its address.
    void StartAuthority() {
        const QString tsa = dir_.filePath(QStringLiteral("tsa"));
        ASSERT_TRUE(QDir().mkpath(tsa));
        WriteText(tsa + QStringLiteral("/ext.cnf"), "extendedKeyUsage=critical,timeStamping\n");
        WriteText(tsa + QStringLiteral("/serial"), "01\n");
        WriteText(tsa + QStringLiteral("/tsa.cnf"),
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
            const Ended made = RunProgram(QStringLiteral("openssl"), step, tsa);
            ASSERT_EQ(made.exitCode, 0) << made.err;
        }
        ca_ = tsa + QStringLiteral("/ca.pem");
        authority_.start(QStringLiteral("python3"), {kAuthority, tsa});
        ASSERT_TRUE(authority_.waitForStarted(10000));
        while (!authority_.canReadLine()) {
            ASSERT_TRUE(authority_.waitForReadyRead(30000));
        }
        url_ = QStringLiteral("http://127.0.0.1:%1/stamp")
                   .arg(QString::fromUtf8(authority_.readLine()).trimmed());
    }

    void TearDown() override {
        if (authority_.state() != QProcess::NotRunning) {
            authority_.kill();
            authority_.waitForFinished(10000);
        }
    }

    Ended ArchiveTool(const QStringList& args) {
        return RunProgram(kArchiveTool, QStringList{"--archive", archive_} + args);
    }

    QTemporaryDir dir_;
    BatchFolder folder_;
    QString archive_;
    QProcess authority_;
    QString url_;
    QString ca_;
};

// The head printed after the summary is the one the archive tool reads once the run is
// over: it covers every record of the run, those of lines that failed or were skipped too.
TEST_F(BatchEvidence, SummaryNamesTheHeadTheArchiveHasAfterTheRun) {
    StandinServer s;
    folder_.WriteList("Лютик\nОбрыв\n7713001233\n");
    const Outcome first = folder_.Run(s, {"--archive", archive_, "--jobs", "1"});
    EXPECT_EQ(first.exitCode, 1) << first.err;
    const Ended head = ArchiveTool({"head"});
    ASSERT_EQ(head.exitCode, 0) << head.err;
    EXPECT_EQ(HeadOf(first.err) + "\n", head.out) << first.err;
    EXPECT_EQ(HeadOf(first.err).rfind("vendrake-head records=3 last=3 ", 0), 0u) << first.err;
    EXPECT_LT(first.err.find("Summary: "), first.err.find("Archive head: "));

    folder_.WriteList("Лютик\n");
    const Outcome second = folder_.Run(s, {"--archive", archive_});
    EXPECT_EQ(second.exitCode, 0) << second.err;
    EXPECT_EQ(HeadOf(second.err) + "\n", ArchiveTool({"head"}).out);
    EXPECT_EQ(HeadOf(second.err).rfind("vendrake-head records=4 last=4 ", 0), 0u) << second.err;

    const Outcome none = folder_.Run(s, {"--no-archive"});
    EXPECT_EQ(none.exitCode, 0) << none.err;
    EXPECT_EQ(HeadOf(none.err), "<none>") << none.err;
}

// --stamp stamps the head of the run; the archive tool then vouches for the token
// against the authority's CA. The setting TsaUrl stands in for --tsa.
TEST_F(BatchEvidence, StampHasTheAuthorityStampTheRunsHead) {
    StartAuthority();
    StandinServer s;
    folder_.WriteList("Лютик\n1027700101230\n");
    const Outcome run = folder_.Run(s, {"--archive", archive_, "--stamp", "--tsa", url_});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("Time stamp: record 2 stamped by " + url_.toStdString() + "\n"),
              std::string::npos)
        << run.err;

    {
        QSettings settings(folder_.path("config/Quillmarsh/Vendrake.conf"), QSettings::IniFormat);
        settings.setValue(QStringLiteral("TsaUrl"), url_);
    }
    const Outcome bySetting = folder_.Run(s, {"--archive", archive_, "--stamp"});
    EXPECT_EQ(bySetting.exitCode, 0) << bySetting.err;
    EXPECT_NE(bySetting.err.find("Time stamp: record 4 stamped by " + url_.toStdString()),
              std::string::npos)
        << bySetting.err;

    const Ended verified = ArchiveTool({"verify", "--tsa-ca", ca_});
    EXPECT_EQ(verified.exitCode, 0) << verified.out << verified.err;
    for (const char* record : {"verify: record 2 stamped by CN=Test Stamps,O=Test Authority at ",
                               "verify: record 4 stamped by CN=Test Stamps,O=Test Authority at "}) {
        EXPECT_NE(verified.out.find(record), std::string::npos) << verified.out;
    }
}

// No address: refused before any request. An authority that does not answer: the run's
// records are all in, and the status says the stamp is missing.
TEST_F(BatchEvidence, StampWithoutAnAuthorityIsToldApart) {
    StandinServer s;
    folder_.WriteList("Лютик\n");
    const Outcome noAddress = folder_.Run(s, {"--archive", archive_, "--stamp"});
    EXPECT_EQ(noAddress.exitCode, 2) << noAddress.err;
    EXPECT_NE(noAddress.err.find("--stamp needs the time-stamping authority's address: give "
                                 "--tsa URL or set TsaUrl"),
              std::string::npos)
        << noAddress.err;
    const Outcome badAddress =
        folder_.Run(s, {"--archive", archive_, "--stamp", "--tsa", "ftp://127.0.0.1/"});
    EXPECT_EQ(badAddress.exitCode, 2) << badAddress.err;
    EXPECT_TRUE(Searches(s).empty());

    const Outcome silent =
        folder_.Run(s, {"--archive", archive_, "--stamp", "--tsa", "http://127.0.0.1:1/stamp"});
    EXPECT_EQ(silent.exitCode, 8) << silent.err;
    EXPECT_NE(silent.err.find("The archive's head was not stamped: "), std::string::npos)
        << silent.err;
    EXPECT_NE(silent.err.find("Checking completed"), std::string::npos) << silent.err;
    EXPECT_EQ(HeadOf(silent.err) + "\n", ArchiveTool({"head"}).out);
}

}  // namespace
