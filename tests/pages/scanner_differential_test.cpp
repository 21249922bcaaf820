// The incremental page scanner against the whole-page reference: every page of the
// fuzz corpus, the test pages, stand-in-shaped pages and random marker soups, fed in
// chunks of several sizes, give the reference's firms (those with a field) in the
// same order and byte for byte. And whole queries against the stand-in register: every
// answer it can serve, in both modes, gives what the reference reading of the response
// buffer gives.
#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "config/default_addresses.h"
#include "exchange/http_session.h"
#include "exchange/query_runner.h"
#include "pages/page_scanner.h"
#include "pages/records.h"
#include "pages/search_criteria.h"
#include "support/cp1251_text.h"
#include "support/reference_scanner.h"
#include "support/standin.h"

#include "support/test_pages.h"

namespace {

using lookup::FirmRecord;
using lookup::ScanState;

struct Recorder : lookup::ScanOutput {
    std::vector<FirmRecord> firms;
    std::string lastText;
    void Deliver(const FirmRecord& firm) override { firms.push_back(firm); }
    void SetQueryText(const std::string& text) override { lastText = text; }
};

ScanState Query(lookup::SearchMode mode) {
    ScanState st;
    st.criteria.mode = mode;
    st.criteria.name = platform::Cp1251String("x");
    st.criteria.number = platform::Cp1251String("1027700132195");
    st.queryText = "q";
    return st;
}

std::vector<std::string> Fields(const FirmRecord& firm, bool nameRow) {
    std::vector<std::string> out;
    for (const lookup::FirmField& field : lookup::FirmFields())
        if (!nameRow || field.inNameRows)
            out.push_back(firm.*field.member);
    return out;
}

bool HasField(const FirmRecord& firm, bool nameRow) {
    for (const std::string& f : Fields(firm, nameRow))
        if (!f.empty())
            return true;
    return false;
}

// The page through the reference and through the incremental scanner in chunks of
// `chunk` bytes; the firms with a field must agree.
void Compare(const std::string& page, lookup::SearchMode mode, size_t chunk) {
    SCOPED_TRACE("chunk " + std::to_string(chunk));
    const bool nameRow = mode == lookup::SearchMode::Name;
    ScanState refState = Query(mode);
    Recorder ref;
    reference::ParseResultPage(page, refState, ref);
    std::vector<FirmRecord> expected;
    for (const FirmRecord& firm : ref.firms)
        if (HasField(firm, nameRow))
            expected.push_back(firm);

    ScanState newState = Query(mode);
    Recorder got;
    lookup::PageScanner scanner(newState, got);
    for (size_t at = 0; at < page.size(); at += chunk)
        ASSERT_TRUE(scanner.Feed(std::string_view(page).substr(at, chunk)));
    const lookup::PageScan scan = scanner.Finish();

    ASSERT_EQ(static_cast<size_t>(scan.firms), expected.size());
    if (scan.firms == 0)
        return;  // both fail the page; a table that never ends may have shown rows
    ASSERT_EQ(got.firms.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        ASSERT_EQ(Fields(got.firms[i], false), Fields(expected[i], false)) << "firm " << i;
    }
    if (nameRow) {
        EXPECT_EQ(got.lastText, lookup::QueryCountText("q", scan.firms));
    }
}

void CompareAll(const std::string& page) {
    for (const auto mode : {lookup::SearchMode::Name, lookup::SearchMode::Number})
        for (const size_t chunk :
             {size_t{1}, size_t{3}, size_t{13}, size_t{64}, size_t{4096}, page.size() + 1})
            Compare(page, mode, chunk);
}

std::vector<std::string> FilesIn(const QString& dir) {
    std::vector<std::string> out;
    for (const QString& name : QDir(dir).entryList(QDir::Files, QDir::Name)) {
        QFile f(dir + "/" + name);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
        out.push_back(f.readAll().toStdString());
    }
    return out;
}

// A result page shaped as the stand-in sends them.
std::string StandinPage(int rows) {
    std::string page = testsupport::Cp1251(
        "<html><body>\n<table class=\"res\"><tr><th>№</th><th>Наименование</th></tr>\n");
    for (int n = 1; n <= rows; ++n) {
        page += "<tr><td>" + std::to_string(n) +
                "</td><td><a href=\"/fns/g.php?o=1\" class=\"Link0\">OOO &quot;F-" +
                std::to_string(n) + "&quot;</a></td><td>Addr</td><td><a href=\"/fns/g.php?o=" +
                std::to_string(1000000000000 + n) + "\">" + std::to_string(1000000000000 + n) +
                "</a></td><td>&nbsp;</td><td>77" + std::to_string(n) +
                "</td><td>&nbsp;</td><td>01.01.2020</td><td>R</td></tr>";
        page += n == rows ? "</table>\n" : "\n";
    }
    return page + "</body></html>\n";
}

// What RunRegisterQuery reports of one query.
struct QueryRecorder : lookup::QueryEvents {
    std::vector<FirmRecord> firms;
    std::vector<std::string> messages;
    std::string lastText;
    bool cut = false;
    void Firm(const FirmRecord& firm) override { firms.push_back(firm); }
    void QueryText(const std::string& text) override { lastText = text; }
    void Message(const std::string& text, lookup::ServiceMessageKind) override {
        messages.push_back(text);
    }
    void ListCut() override { cut = true; }
};

// The stand-in's pages, fetched with a session of their own for the reference.
reference::Fetch StandinFetch(lookup::HttpSession& http) {
    return [&http](const std::string& url, const std::string* body) {
        std::string out;
        if (body == nullptr) {
            http.Get(url, &out);
        } else {
            http.UseFormContentType();
            http.Post(url, *body, &out);
        }
        return out;
    };
}

std::string Sha256(const std::vector<std::string>& pages) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const std::string& page : pages)
        hash.addData(QByteArrayView(page.data(), static_cast<qsizetype>(page.size())));
    return hash.result().toHex().toStdString();
}

}  // namespace

TEST(ScannerDifferential, CorpusAndTestPagesReadAsTheWholePageReadingDoes) {
    std::vector<std::string> texts =
        FilesIn(QStringLiteral(VENDRAKE_SOURCE_DIR "/fuzz/corpus/fuzz_scanner"));
    ASSERT_FALSE(texts.empty());
    for (const char* name :
         {"name_second_page.html", "name_three_rows.html", "number_heading4.html",
          "number_two_headings.html", "result_links.html"})
        texts.push_back(pages::Page(name));
    // Cells whose "<td>" comes only after their "</td>", once a row has arrived.
    std::string late = "<tr><td>a</td>";
    for (int i = 0; i < 40; ++i)
        late += "xxxx</td>";
    texts.push_back(late + "<td></tr></table>");
    texts.push_back(StandinPage(1));
    texts.push_back(StandinPage(300));
    for (size_t i = 0; i < texts.size(); ++i) {
        SCOPED_TRACE("text " + std::to_string(i));
        CompareAll(texts[i]);
    }
}

TEST(ScannerDifferential, RandomMarkerSoupsReadAsTheWholePageReadingDoes) {
    // Texts made of the markers the scanner looks for, cut and mixed, plus plain bytes:
    // rows that straddle chunks, missing and doubled cells, tables that never end.
    const std::vector<std::string> parts = {
        "<tr><td>", "<td>",     "</td>",  "</tr>",  "</tr></table>",
        "<tr>",     "x",        "yz",     "&quot;", "<a href=\"q\">",
        "</a>",     "Link0\">", "&nbsp;", "<",      "</",
        "t",        "d>",       "r>"};
    std::mt19937 random(22);
    for (int round = 0; round < 3000; ++round) {
        // Each round draws from a few of the parts, so that some markers are rare.
        std::vector<std::string> some;
        const int kinds = 2 + static_cast<int>(random() % 6);
        for (int i = 0; i < kinds; ++i)
            some.push_back(parts[random() % parts.size()]);
        std::string text;
        const int pieces = 1 + static_cast<int>(random() % 120);
        for (int i = 0; i < pieces; ++i)
            text += some[random() % some.size()];
        SCOPED_TRACE(text);
        for (const size_t chunk : {size_t{1}, size_t{5}, size_t{29}, text.size() + 1})
            Compare(text, lookup::SearchMode::Name, chunk);
    }
}

TEST(ScannerDifferential, EveryStandinAnswerInBothModesGivesTheBufferReadingsFirms) {
    testsupport::StandinServer s;
    struct Search {
        const char* name;
        const char* number;
    };
    // Every answer the stand-in serves, by its own description: result-page links (one
    // page or three), the stop text, a result table alone, a result table followed by an
    // entry link, an entry link (by OGRN and INN), the entry itself in the answer, each
    // service message, and a page without any marker.
    const Search searches[] = {
        {"Ромашка", ""},        {"Лютик", ""},         {"Стоп", ""},       {"Прямо", ""},
        {"Выписка", ""},        {"", "1027700101230"}, {"", "7801005557"}, {"", "01027700101230"},
        {"", "01097847014704"}, {"Лимит", ""},         {"Пусто", ""},      {"Сбой", ""},
        {"Ноль", ""},           {"", "1234567890"},    {"Тишина", ""},
    };
    std::set<std::string> shapes;
    for (const Search& search : searches) {
        for (const auto mode : {lookup::SearchMode::Name, lookup::SearchMode::Number}) {
            lookup::SearchCriteria criteria;
            criteria.mode = mode;
            criteria.name = testsupport::Cp1251Text(search.name);
            criteria.number = platform::Cp1251String(search.number);
            const bool nameMode = mode == lookup::SearchMode::Name;
            SCOPED_TRACE(std::string(search.name) + search.number +
                         (nameMode ? " in name mode" : " in number mode"));

            lookup::HttpSession http(config::HostOfRoot(s.root()), {}, {});
            const reference::QueryReading want =
                reference::ReadQuery(criteria, "q", s.root(), StandinFetch(http));
            shapes.insert(want.shape + (nameMode ? ", name mode" : ", number mode"));
            std::vector<std::vector<std::string>> wantFirms;
            for (const FirmRecord& firm : want.firms)
                if (HasField(firm, nameMode))
                    wantFirms.push_back(Fields(firm, false));

            lookup::QueryRequest request;
            request.criteria = criteria;
            request.nodeText = "q";
            request.serviceRoot = s.root();
            QueryRecorder got;
            lookup::AnswerPages pages;
            std::string failure;
            try {
                lookup::RunRegisterQuery(request, {}, {}, got, &pages);
            } catch (const lookup::HttpError& e) {
                failure = e.what();
            }
            SCOPED_TRACE(want.shape + (failure.empty() ? "" : ", failed: " + failure));

            std::vector<std::vector<std::string>> gotFirms;
            for (const FirmRecord& firm : got.firms)
                gotFirms.push_back(Fields(firm, false));
            EXPECT_EQ(gotFirms, wantFirms);
            EXPECT_EQ(got.messages, want.messages);
            if (nameMode && !wantFirms.empty()) {
                EXPECT_EQ(got.lastText,
                          lookup::QueryCountText("q", static_cast<int>(wantFirms.size())));
            }
            // A query that went to its end digests exactly the pages the reading read.
            if (failure.empty() && !got.cut) {
                EXPECT_EQ(pages.count(), static_cast<int>(want.pages.size()));
                EXPECT_EQ(pages.HexDigest(), Sha256(want.pages));
            }
        }
    }
    std::set<std::string> every;
    for (const char* shape :
         {"result pages", "result pages, stop text", "result table", "result table and entry link",
          "entry link", "register entry", "service message 1", "service message 2",
          "service message 3", "service message 4", "no marker"})
        for (const char* mode : {", name mode", ", number mode"})
            every.insert(std::string(shape) + mode);
    EXPECT_EQ(shapes, every);
}
