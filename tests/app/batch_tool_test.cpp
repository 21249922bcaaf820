// vendrake-batch end to end: a copy of the program beside a config.ini that routes
// its queries through the stand-in (forward-proxy mode), the probe through
// http_proxy, and the results file compared byte for byte.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "support/batch_run_support.h"
#include "support/cp1251_text.h"
#include "support/loopback.h"
#include "support/standin.h"

using batchtest::Outcome;
using batchtest::ReadFile;
using batchtest::WriteFile;
using testsupport::Cp1251;
using testsupport::StandinServer;

namespace {

// The list and its results: a number (entry page with all ten fields), a name with
// two rows, a service message (no entry), an empty line (skipped), an answer table.
const char* const kList = "7713001232\nЛютик\nПусто\n\nПрямо\n";

const char* const kExpected = R"([7713001232]
Название: ООО "Ромашка-Север"
Адрес: 127411, г. Москва, Дмитровское ш., д. 157, стр. 7
ОГРН: 1027700101230
ГРН: 2127700123450
ИНН: 7713001232
КПП: 771301001
Дата записи: 14.03.2002
Рег. орган: Межрайонная инспекция Федеральной налоговой службы № 46 по г. Москве
Адрес органа: 125373, г. Москва, Походный проезд, домовладение 3, стр. 2
Регион: г. Москва

[Лютик, records found: 2]
Название: ООО "Лютик"
Адрес: 129090, г. Москва, ул. Щепкина, д. 8
ОГРН: 1087700012300
ГРН: 2187700666668
ИНН: 7702004440
КПП: 770201001
Дата записи: 19.05.2008
Рег. орган: 
Адрес органа: 
Регион: г. Москва

[Лютик, records found: 2]
Название: ООО "Лютик"
Адрес: 199034, г. Санкт-Петербург, Университетская наб., д. 7
ОГРН: 1097847014704
ГРН: 
ИНН: 7801005557
КПП: 780101001
Дата записи: 03.07.2009
Рег. орган: 
Адрес органа: 
Регион: г. Санкт-Петербург

[Прямо, records found: 3]
Название: ООО "Ромашка-Север"
Адрес: 127411, г. Москва, Дмитровское ш., д. 157, стр. 7
ОГРН: 1027700101230
ГРН: 2127700123450
ИНН: 7713001232
КПП: 771301001
Дата записи: 14.03.2002
Рег. орган: 
Адрес органа: 
Регион: г. Москва

[Прямо, records found: 3]
Название: ООО "Ромашка-Юг"
Адрес: 350000, г. Краснодар, ул. Красная, д. 12
ОГРН: 1032301234569
ГРН: 
ИНН: 2308004562
КПП: 230801001
Дата записи: 22.11.2002
Рег. орган: 
Адрес органа: 
Регион: Краснодарский край

[Прямо, records found: 3]
Название: АО "Ромашка Плюс"
Адрес: 190000, г. Санкт-Петербург, наб. реки Мойки, д. 5
ОГРН: 1077847000110
ГРН: 2137847121212
ИНН: 7841007896
КПП: 
Дата записи: 05.06.2007
Рег. орган: 
Адрес органа: 
Регион: г. Санкт-Петербург

)";

std::string Crlf(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') {
            out += '\r';
        }
        out += c;
    }
    return out;
}

// A folder holding a copy of the program and a config.ini that sends its queries to
// proxy port `proxyPort` (0: no proxy chosen); runs it on a list with http_proxy set,
// which the program follows when no proxy is chosen.
class BatchFolder {
  public:
    explicit BatchFolder(int proxyPort) {
        program_ = dir_.filePath("vendrake-batch");
        EXPECT_TRUE(QFile::copy(QStringLiteral(VENDRAKE_BIN_DIR "/vendrake-batch"), program_));
        QFile::setPermissions(program_, QFile::permissions(program_) | QFile::ExeOwner);
        WriteFile(dir_.filePath("config.ini"),
                  std::string("[Setting]\r\nEnabledProxy=") + (proxyPort != 0 ? "1" : "0") +
                      "\r\nproxy=127.0.0.1\r\nport=" + std::to_string(proxyPort) + "\r\n");
    }

    Outcome Start(const std::string& listBytes, const std::string& httpProxy,
                  const QStringList& options = {}) {
        WriteFile(dir_.filePath("list.txt"), listBytes);
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"no_proxy", "NO_PROXY", "HTTP_PROXY", "all_proxy", "ALL_PROXY"}) {
            env.remove(QString::fromLatin1(name));
        }
        env.insert(QStringLiteral("http_proxy"), QString::fromStdString(httpProxy));
        p.setProcessEnvironment(env);
        p.start(program_, QStringList{dir_.filePath("list.txt")} + options);
        EXPECT_TRUE(p.waitForFinished(120000));
        return Outcome{p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                       p.readAllStandardError().toStdString()};
    }

    std::string Results() const { return ReadFile(dir_.filePath("list_enabled.txt")); }

  private:
    QTemporaryDir dir_;
    QString program_;
};

}  // namespace

TEST(BatchTool, WritesTheResultsFileForUtf8AndWindows1251Lists) {
    StandinServer s;
    BatchFolder folder(s.port());

    // One query at a time: lines end, and so are written, in list order.
    const Outcome utf8 = folder.Start(kList, s.root(), {"--jobs", "1"});
    EXPECT_EQ(utf8.exitCode, 0) << utf8.err;
    EXPECT_EQ(folder.Results(), Crlf(Cp1251(kExpected)));
    EXPECT_NE(utf8.err.find("Checked 4 of 4 lines"), std::string::npos) << utf8.err;

    // The same list in Windows-1251 with CR LF line ends gives the same file.
    const Outcome cp1251 = folder.Start(Crlf(Cp1251(kList)), s.root(), {"--jobs", "1"});
    EXPECT_EQ(cp1251.exitCode, 0) << cp1251.err;
    EXPECT_EQ(folder.Results(), Crlf(Cp1251(kExpected)));

    // Every query went to the service host through the configured proxy.
    for (const auto& line : s.requestLog()) {
        EXPECT_EQ(line.rfind("GET http://", 0) == 0 || line.rfind("POST http://", 0) == 0, true)
            << line;
    }
}

// An answer with a result table and an entry link behind it: the line's firms are the
// table's, as the answer table alone gives them.
TEST(BatchTool, AnswerTableBeforeAnEntryLinkGivesTheTablesFirms) {
    StandinServer s;
    BatchFolder folder(s.port());
    const Outcome run = folder.Start("Выписка\n", s.root());
    EXPECT_EQ(run.exitCode, 0) << run.err;

    std::string expected = kExpected;
    expected.erase(0, expected.find("[Прямо, "));
    const std::string from = "[Прямо, ";
    for (std::size_t at = 0; (at = expected.find(from, at)) != std::string::npos;) {
        expected.replace(at, from.size(), "[Выписка, ");
    }
    EXPECT_EQ(folder.Results(), Crlf(Cp1251(expected.c_str())));
}

TEST(BatchTool, AFailingLineGivesStatusOneAndWritesNothingHalfDone) {
    StandinServer s;
    BatchFolder folder(s.port());
    const Outcome run = folder.Start("\nОбрыв\n\nЛютик\n", s.root());
    EXPECT_EQ(run.exitCode, 1) << run.err;
    // The failed line by its number in the file, as an editor shows it (empty lines
    // count), with the reason; the register answered through the proxy, so no hint about
    // the placeholder address is added. The line that ended well is not named.
    EXPECT_NE(run.err.find("line 2: the register answered HTTP 500\n"), std::string::npos)
        << run.err;
    EXPECT_EQ(run.err.find("line 4:"), std::string::npos) << run.err;

    // The failed line's six firms from the pages before the failure are not written: a
    // resumed run sends the line again, and the file holds only Лютик's two.
    const std::string results = folder.Results();
    std::size_t firms = 0;
    for (std::size_t pos = 0; (pos = results.find(Cp1251("Название: "), pos)) != std::string::npos;
         ++pos) {
        ++firms;
    }
    EXPECT_EQ(firms, 2u) << results;
    EXPECT_EQ(results.find(Cp1251("[Обрыв")), std::string::npos);
}

TEST(BatchTool, NoConnectionGivesStatusThreeAndNoFile) {
    StandinServer s;
    BatchFolder folder(0);
    const Outcome run = folder.Start(kList, "http://127.0.0.1:1");
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_NE(run.err.find("No Internet connection..."), std::string::npos) << run.err;
    EXPECT_EQ(folder.Results(), "<missing>");
    EXPECT_TRUE(s.requestLog().empty());
}

// The connection check goes the way the queries go: through the proxy chosen in
// config.ini, whatever the system's proxy says, and a chosen proxy that refuses is named.
TEST(BatchTool, ConnectionCheckUsesTheChosenProxy) {
    StandinServer s;
    {
        BatchFolder folder(s.port());
        const Outcome run = folder.Start(kList, "http://127.0.0.1:1", {"--jobs", "1"});
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_NE(folder.Results().find("7713001232"), std::string::npos);
    }
    const int refusing = testsupport::FreePort();
    BatchFolder folder(refusing);
    const std::size_t before = s.requestLog().size();
    const Outcome run = folder.Start(kList, s.root());
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_NE(run.err.find("Cannot reach the proxy 127.0.0.1:" + std::to_string(refusing)),
              std::string::npos)
        << run.err;
    EXPECT_EQ(s.requestLog().size(), before);
    EXPECT_EQ(folder.Results(), "<missing>");
}
