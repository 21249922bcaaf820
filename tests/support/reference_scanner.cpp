// The page scanner as it read whole pages at once, kept unchanged as the reference that
// the incremental scanner must match, and the answer rules around it.
#include "support/reference_scanner.h"

#include <algorithm>
#include <vector>

#include "pages/service_messages.h"
#include "support/cp1251_text.h"

namespace reference {
using namespace lookup;
namespace {

constexpr size_t kNpos = std::string_view::npos;

// The register's kinds of entry; in number mode the row after the first of them
// (in this order) that the page holds is read.
const std::vector<std::string>& RecordKindHeadings() {
    static const std::vector<std::string> headings = [] {
        const char* const utf8[] = {
            "1.1. Сведения о государственной регистрации юридических лиц при их создании",
            "1.2. Сведения о государственной регистрации юридических лиц, создаваемых путем "
            "реорганизации",
            "1.3. Сведения о внесении в Единый государственный реестр юридических лиц сведений о "
            "юридических лицах, зарегистрированных до 1 июля 2002 года",
            "2.1. Сведения о государственной регистрации изменений, вносимых в учредительные "
            "документы юридических лиц",
            "2.2. Сведения о внесении изменений в сведения о юридических лицах, содержащиеся в "
            "Едином государственном реестре юридических лиц",
            "2.3. Сведения о лицензиях, о регистрации в качестве страхователей в фондах, сведения "
            "о постановке на учет",
            "2.4. Сведения об отмене решения о ликвидации",
            "2.5. Сведения о внесении изменений в Единый государственный реестр юридических лиц, "
            "связанные с изменениями ошибочно внесенных ранее",
            "2.6. Сведения о признании судом недействительной государственной регистрации",
            "2.7. Сведения о начале процесса реорганизации юридических лиц",
            "3.1. Сведения о начале процесса ликвидации юридических лиц",
            "3.2. Сведения о государственной регистрации юридических лиц в связи с их ликвидацией",
            "3.3. Сведения о прекращении деятельности юридических лиц в связи с реорганизацией",
            "3.4. Сведения о прекращении деятельности юридических лиц по иным основаниям",
            "3.5. Сведения об исключении из Единого государственного реестра юридических лиц "
            "недействующих юридических лиц",
        };
        std::vector<std::string> out;
        for (const char* h : utf8)
            out.push_back(testsupport::Cp1251(h));
        return out;
    }();
    return headings;
}

// The working text: the window [b, e) of a fixed text. Every step only moves b
// forward or e backward, so no step copies text and a page costs linear time.
// Positions are 0-based offsets into the window; kNpos means "absent".
struct Window {
    std::string_view all;
    size_t b = 0;
    size_t e = 0;

    explicit Window(std::string_view text) : all(text), e(text.size()) {}
    std::string_view View() const { return all.substr(b, e - b); }
    size_t Size() const { return e - b; }
    bool Empty() const { return b == e; }

    size_t Find(std::string_view m) const { return View().find(m); }
    // Drops the first n bytes, or all of them when there are fewer.
    void Drop(size_t n) { b = n >= Size() ? e : b + n; }
    // Drops everything before the marker at `at`; nothing when it is absent.
    void DropTo(size_t at) {
        if (at != kNpos)
            Drop(at);
    }
    // Drops everything before the marker at `at` and its first byte; nothing when it
    // is absent.
    void DropPastStart(size_t at) {
        if (at != kNpos)
            Drop(at + 1);
    }
    // Drops everything up to the end of the five-byte end tag at `at`; without the
    // tag, the first four bytes.
    void DropThroughEndTag(size_t at) { Drop(at == kNpos ? 4 : at + 5); }
    // Keeps the text up to the end of the five-byte end tag at `at`; without the tag
    // only the first four bytes stay, which hold no row.
    void KeepThroughEndTag(size_t at) {
        const size_t keep = at == kNpos ? 4 : at + 5;
        if (keep < Size())
            e = b + keep;
    }
};

// A marker searched for again and again in one shrinking window. The last search's
// answer stays right while it lies inside the window (the window only shrinks), so
// the text before an occurrence, or a whole text lacking the marker, is scanned
// once instead of once per row.
class Marker {
  public:
    explicit Marker(std::string_view m) : m_(m) {}

    // The marker's offset in the window, kNpos when the window lacks it.
    size_t Find(const Window& w) {
        if (!valid_ || from_ > w.b || (at_ != kNpos && at_ < w.b)) {
            from_ = w.b;
            at_ = w.all.substr(0, w.e).find(m_, w.b);
            valid_ = true;
        }
        if (at_ == kNpos || at_ + m_.size() > w.e)
            return kNpos;
        return at_ - w.b;
    }

  private:
    std::string_view m_;
    bool valid_ = false;
    size_t from_ = 0;
    size_t at_ = kNpos;
};

struct CellMarkers {
    Marker open{"<td>"};
    Marker close{"</td>"};
};

// A link is reduced to its text, the quote entities are decoded and a lone "&nbsp;"
// becomes empty; everything else of the cell stays as written.
void CleanCell(std::string& cell) {
    if (cell.find("&quot") != std::string::npos)
        ReplaceQuotEntities(cell);
    if (cell == "&nbsp;")
        cell.clear();
    size_t at = cell.find("Link0\">");
    if (at != std::string::npos) {
        cell.erase(0, at + 7);
        const size_t end = cell.find("</a>");
        if (end != std::string::npos)
            cell.resize(end);
    }
    at = cell.find("href=\"");
    if (at != std::string::npos) {
        cell.erase(0, at + 1);
        const size_t gt = cell.find('>');
        if (gt != std::string::npos)
            cell.erase(0, gt + 1);
        const size_t end = cell.find("</a>");
        if (end != std::string::npos)
            cell.resize(end);
    }
}

// The text between "<td>" and "</td>"; a cell without "<td>" is read as if the tag
// began one byte before the row, a cell without "</td>" is empty. The row then loses
// everything through "</td>".
std::string ReadCell(Window& row, CellMarkers& mk) {
    const size_t open = mk.open.Find(row);
    const size_t close = mk.close.Find(row);
    const size_t from = open == kNpos ? 3 : open + 4;
    std::string cell;
    if (close != kNpos && close > from)
        cell.assign(row.View().substr(from, close - from));
    CleanCell(cell);
    row.DropThroughEndTag(close);
    return cell;
}

// Reads the fields a row carries, in table order, into the working record.
void ReadRow(Window& row, CellMarkers& mk, FirmRecord& firm, bool nameRow) {
    for (const FirmField& field : FirmFields())
        if (!nameRow || field.inNameRows)
            firm.*field.member = ReadCell(row, mk);
}

void ScanNumberMode(std::string_view text, ScanState& st, ScanOutput& out) {
    Window w(text);
    for (const std::string& heading : RecordKindHeadings()) {
        const size_t at = w.Find(heading);
        if (at == kNpos)
            continue;
        w.Drop(at);
        w.DropPastStart(w.Find("<tr>"));
        w.KeepThroughEndTag(w.Find("</tr>"));
        w.DropPastStart(w.Find("<td>"));
        w.DropPastStart(w.Find("</td>"));
        CellMarkers mk;
        ReadRow(w, mk, st.firm, false);
        out.Deliver(st.firm);
    }
}

void ScanNameMode(std::string_view text, ScanState& st, ScanOutput& out) {
    Window w(text);
    w.DropTo(w.Find("<tr><td>"));
    w.KeepThroughEndTag(w.Find("</tr></table>"));
    Marker rowStart("<tr><td>");
    CellMarkers mk;
    while (!w.Empty() && w.View() != "</tr>") {
        ++st.rowsRead;
        w.DropTo(rowStart.Find(w));
        w.DropThroughEndTag(mk.close.Find(w));
        ReadRow(w, mk, st.firm, true);
        out.Deliver(st.firm);
        out.SetQueryText(QueryCountText(st.queryText, st.rowsRead));
    }
}

}  // namespace

void ParseResultPage(std::string_view text, ScanState& state, ScanOutput& out) {
    if (text.empty())
        return;
    if (state.criteria.mode == SearchMode::Number)
        ScanNumberMode(text, state, out);
    else if (state.criteria.mode == SearchMode::Name)
        ScanNameMode(text, state, out);
}

namespace {

constexpr std::string_view kResultLink = "href=\"/fns/g.php?q=";
constexpr std::string_view kEntryLink = "href=\"g.php?o=";
constexpr std::string_view kAnswerEntryLink = "href=\"/fns/g.php?o=";
constexpr std::string_view kStopText =
    "It is recommended to specify a search query, indicating more accurate";

bool Holds(std::string_view text, std::string_view what) {
    return text.find(what) != kNpos;
}

// The position of the first `what`, counted from 1; 0 when it is absent.
long PositionOf(std::string_view text, std::string_view what) {
    const size_t at = text.find(what);
    return at == kNpos ? 0 : static_cast<long>(at) + 1;
}

// n characters from position p (from 1): p below 1 counts as 1, n of 0 or less is
// nothing, and taking stops at the end.
std::string Take(std::string_view text, long p, long n) {
    p = std::max(p, 1L);
    if (n <= 0 || p > static_cast<long>(text.size()))
        return {};
    return std::string(text.substr(static_cast<size_t>(p - 1), static_cast<size_t>(n)));
}

// The result-page URLs of the link region, each once, in order of appearance.
std::vector<std::string> PageUrls(std::string_view answer, const std::string& root) {
    const size_t first = answer.find(kResultLink);
    const size_t end = answer.find("=\"Link1\">");
    std::vector<std::string> urls;
    if (first == kNpos || end == kNpos || end < first)
        return urls;
    std::string_view region = answer.substr(first, end - first);
    while (Holds(region, kResultLink)) {
        region.remove_prefix(6);
        const size_t quote = std::min(region.find('"'), region.size());
        const std::string url = root + std::string(region.substr(0, quote));
        region.remove_prefix(std::min(quote + 1, region.size()));
        if (std::find(urls.begin(), urls.end(), url) == urls.end())
            urls.push_back(url);
        const size_t next = region.find(kResultLink);
        if (next != kNpos)
            region.remove_prefix(next);
    }
    return urls;
}

struct Collect : ScanOutput {
    QueryReading& reading;
    explicit Collect(QueryReading& r) : reading(r) {}
    void Deliver(const FirmRecord& firm) override { reading.firms.push_back(firm); }
    void SetQueryText(const std::string& text) override { reading.lastQueryText = text; }
};

bool HoldsHeading(std::string_view text) {
    for (const std::string& heading : RecordKindHeadings())
        if (Holds(text, heading))
            return true;
    return false;
}

}  // namespace

QueryReading ReadQuery(const SearchCriteria& criteria, const std::string& nodeText,
                       const std::string& root, const Fetch& fetch) {
    QueryReading reading;
    Collect out(reading);
    ScanState state;
    state.criteria = criteria;
    state.queryText = nodeText;
    fetch(root + "/fns/", nullptr);
    const std::string body = SearchFormBody(criteria);
    std::string buffer = fetch(root + "/fns/g.php", &body);
    reading.pages.push_back(buffer);
    const std::string answer = buffer;

    if (Holds(answer, kResultLink)) {
        reading.shape = "result pages";
        for (const std::string& url : PageUrls(answer, root)) {
            const std::string page = fetch(url, nullptr);
            reading.pages.push_back(page);
            buffer += page;
            if (Holds(buffer, kStopText)) {
                reading.shape = "result pages, stop text";
                break;
            }
            reference::ParseResultPage(page, state, out);
        }
        return reading;
    }
    const auto& messages = ServiceMessages();
    for (size_t i = 0; i < messages.size(); ++i) {
        const ServiceMessage& m = messages[i];
        if (!Holds(answer, m.text))
            continue;
        reading.shape = "service message " + std::to_string(i + 1);
        std::string text = m.text;
        if (m.withFirstListItem) {
            const long open = PositionOf(answer, "<li>");
            const long close = PositionOf(answer, "</li>");
            text += " " + Take(answer, open + 4, close - open - 5);
        }
        reading.messages.push_back(text);
        return reading;
    }
    if (Holds(answer, kEntryLink)) {
        reading.shape = Holds(answer, "<tr><td>") ? "result table and entry link" : "entry link";
        const size_t from = answer.find(kEntryLink) + 6;
        const std::string link = answer.substr(from, answer.find('"', from) - from);
        const std::string page = fetch(root + "/fns/" + link, nullptr);
        reading.pages.push_back(page);
        buffer += page;
        reference::ParseResultPage(buffer, state, out);
        return reading;
    }
    if (Holds(answer, kAnswerEntryLink)) {
        reading.shape = HoldsHeading(answer) ? "register entry" : "result table";
        reference::ParseResultPage(buffer, state, out);
        return reading;
    }
    reading.shape = "no marker";
    return reading;
}

}  // namespace reference
