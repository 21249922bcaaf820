#include "pages/page_scanner.h"

#include <algorithm>
#include <array>
#include <vector>

#include "platform/cp1251.h"

namespace lookup {
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
            out.push_back(platform::Utf8ToCp1251(h));
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

void ReplaceAll(std::string& text, std::string_view what, char with) {
    size_t at = text.find(what);
    if (at == std::string::npos)
        return;
    std::string out;
    out.reserve(text.size());
    size_t from = 0;
    while (at != std::string::npos) {
        out.append(text, from, at - from);
        out.push_back(with);
        from = at + what.size();
        at = text.find(what, from);
    }
    out.append(text, from, std::string::npos);
    text.swap(out);
}

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

// The fields of one row, in table order, before they go into the working record.
using RowCells = std::array<std::string, 10>;

bool AnyField(const RowCells& cells, size_t count) {
    for (size_t i = 0; i < count; ++i)
        if (!cells[i].empty())
            return true;
    return false;
}

// Puts a row's fields into the working record; true when the row has a field, which
// makes it a firm.
bool TakeRow(const RowCells& cells, FirmRecord& firm, bool nameRow) {
    size_t i = 0;
    for (const FirmField& field : FirmFields())
        if (!nameRow || field.inNameRows)
            firm.*field.member = cells[i++];
    return AnyField(cells, i);
}

void ScanNumberMode(std::string_view text, ScanState& st, ScanOutput& out, PageScan& result) {
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
        RowCells cells;
        size_t n = 0;
        for (size_t i = 0; i < FirmFields().size(); ++i)
            cells[n++] = ReadCell(w, mk);
        if (TakeRow(cells, st.firm, false)) {
            ++result.firms;
            out.Deliver(st.firm);
        }
    }
}

size_t NameRowFields() {
    static const size_t count = [] {
        size_t n = 0;
        for (const FirmField& field : FirmFields())
            n += field.inNameRows ? 1 : 0;
        return n;
    }();
    return count;
}

struct RowMarkers {
    Marker rowStart{"<tr><td>"};
    CellMarkers cell;
};

// One name-mode row from the window's start. Strict: the window is only the part of
// the table that has arrived, so a marker that it lacks may still come; the row is
// then left unread (false, window unchanged). Otherwise the window is the whole rest
// of the table and a missing marker is read as the whole-page reading always has.
bool ReadNameRow(Window& w, RowMarkers& mk, bool strict, RowCells& cells) {
    const size_t start = w.b;
    const auto missing = [&](size_t at) { return strict && at == kNpos; };
    const size_t row = mk.rowStart.Find(w);
    if (missing(row))
        return false;
    w.DropTo(row);
    const size_t first = mk.cell.close.Find(w);
    if (missing(first)) {
        w.b = start;
        return false;
    }
    w.DropThroughEndTag(first);
    for (size_t i = 0; i < NameRowFields(); ++i) {
        if (strict && (mk.cell.open.Find(w) == kNpos || mk.cell.close.Find(w) == kNpos)) {
            w.b = start;
            return false;
        }
        cells[i] = ReadCell(w, mk.cell);
    }
    return true;
}

// Delivers a row read; false when the page has had too many rows.
bool EmitNameRow(const RowCells& cells, int& rowsOfPage, ScanState& st, ScanOutput& out,
                 PageScan& result) {
    if (++rowsOfPage > kMaxRowsPerPage) {
        result.tooManyRows = true;
        return false;
    }
    if (TakeRow(cells, st.firm, true)) {
        ++result.firms;
        ++st.rowsRead;
        out.Deliver(st.firm);
        out.SetQueryText(QueryCountText(st.queryText, st.rowsRead));
    }
    return true;
}

// The rows of the window, which holds the rest of the table to its end.
void ReadRemainingRows(Window w, int& rowsOfPage, ScanState& st, ScanOutput& out,
                       PageScan& result) {
    RowMarkers mk;
    RowCells cells;
    while (!w.Empty() && w.View() != "</tr>") {
        ReadNameRow(w, mk, false, cells);
        if (!EmitNameRow(cells, rowsOfPage, st, out, result))
            return;
    }
}

constexpr std::string_view kTableStart = "<tr><td>";
constexpr std::string_view kTableEnd = "</tr></table>";
// A page without a table start is read from its first byte, as long as this much of
// it was kept.
constexpr size_t kMaxKeptPrefix = size_t{1} << 20;

}  // namespace

struct PageScanner::Impl {
    enum class Phase { Seek, Rows, Done };

    Impl(ScanState& s, ScanOutput& o) : st(s), out(o) {}

    ScanState& st;
    ScanOutput& out;
    PageScan result;
    Phase phase = Phase::Seek;
    bool tableEnded = false;
    int rowsOfPage = 0;
    std::string buf;          // the page's bytes [base, base + buf.size())
    size_t base = 0;          // page offset of buf's first byte
    bool wholePrefix = true;  // buf still holds the page from its first byte
    size_t seekFrom = 0;      // page offset where the table start is looked for next
    size_t row = 0;           // page offset of the next row
    size_t endFrom = 0;       // page offset where the table end is looked for next
    size_t retryAt = 0;       // page length at which an unfinished row is tried again

    size_t Length() const { return base + buf.size(); }

    // Drops the bytes before `keep` once they are the larger part of the buffer.
    void Compact(size_t keep) {
        const size_t gone = keep - base;
        if (gone > 0 && (gone >= buf.size() / 2 || gone >= (size_t{1} << 16))) {
            buf.erase(0, gone);
            base = keep;
        }
    }

    void Seek() {
        const size_t at = buf.find(kTableStart, seekFrom - base);
        if (at == std::string::npos) {
            const size_t length = Length();
            seekFrom =
                std::max(base, length >= kTableStart.size() ? length - kTableStart.size() + 1 : 0);
            if (buf.size() > kMaxKeptPrefix) {
                wholePrefix = false;
            }
            if (!wholePrefix) {
                Compact(seekFrom);
            }
            return;
        }
        phase = Phase::Rows;
        row = base + at;
        endFrom = row;
        wholePrefix = false;
        Compact(row);
        Rows();
    }

    void Rows() {
        const size_t at = buf.find(kTableEnd, std::max(endFrom, base) - base);
        if (at != std::string::npos) {
            Window w{std::string_view(buf)};
            w.b = row - base;
            w.e = at + 5;
            phase = Phase::Done;
            tableEnded = true;
            ReadRemainingRows(w, rowsOfPage, st, out, result);
            buf = std::string();
            return;
        }
        const size_t length = Length();
        endFrom = std::max(row, length >= kTableEnd.size() ? length - kTableEnd.size() + 1 : 0);
        if (length < retryAt) {
            return;
        }
        // No row can reach past the table's end, which may begin in the last bytes.
        const size_t safeEnd = length >= kTableEnd.size() ? length - kTableEnd.size() + 1 : 0;
        if (safeEnd <= row) {
            return;
        }
        Window w{std::string_view(buf)};
        w.b = row - base;
        w.e = safeEnd - base;
        RowMarkers mk;
        RowCells cells;
        while (!w.Empty()) {
            if (!ReadNameRow(w, mk, true, cells)) {
                // Tried again once the unfinished row has had as many bytes again.
                retryAt = length + std::max<size_t>(length - (base + w.b), 16);
                break;
            }
            if (!EmitNameRow(cells, rowsOfPage, st, out, result)) {
                phase = Phase::Done;
                buf = std::string();
                return;
            }
        }
        row = base + w.b;
        Compact(row);
    }
};

PageScanner::PageScanner(ScanState& state, ScanOutput& out)
    : d_(std::make_unique<Impl>(state, out)) {}

PageScanner::~PageScanner() = default;

bool PageScanner::Feed(std::string_view bytes) {
    Impl& d = *d_;
    if (d.phase == Impl::Phase::Done) {
        return !d.result.tooManyRows;
    }
    d.buf.append(bytes);
    if (d.st.criteria.mode != SearchMode::Name) {
        return true;  // entry pages are small and read whole at the end
    }
    if (d.phase == Impl::Phase::Seek) {
        d.Seek();
    } else {
        d.Rows();
    }
    return !d.result.tooManyRows;
}

PageScan PageScanner::Finish() {
    Impl& d = *d_;
    if (d.st.criteria.mode == SearchMode::Number) {
        if (!d.buf.empty()) {
            ScanNumberMode(d.buf, d.st, d.out, d.result);
        }
    } else if (d.st.criteria.mode == SearchMode::Name && d.phase != Impl::Phase::Done) {
        if (d.phase == Impl::Phase::Seek && d.wholePrefix && !d.buf.empty()) {
            // No table start: the page is read from its start to the table's end.
            Window w{std::string_view(d.buf)};
            const size_t end = w.Find(kTableEnd);
            w.KeepThroughEndTag(end);
            d.tableEnded = end != kNpos;
            ReadRemainingRows(w, d.rowsOfPage, d.st, d.out, d.result);
        }
    }
    d.phase = Impl::Phase::Done;
    d.buf = std::string();
    if (d.st.criteria.mode == SearchMode::Name && !d.tableEnded) {
        // A table that never ends holds nothing a whole-page reading would take.
        d.result.firms = 0;
    }
    return d.result;
}

PageScan ParseResultPage(std::string_view text, ScanState& state, ScanOutput& out) {
    PageScanner scanner(state, out);
    scanner.Feed(text);
    return scanner.Finish();
}

std::string NextCell(std::string_view& row) {
    Window w(row);
    CellMarkers mk;
    std::string cell = ReadCell(w, mk);
    row = w.View();
    return cell;
}

void ReplaceQuotEntities(std::string& text) {
    ReplaceAll(text, "&quot;", '"');
    ReplaceAll(text, "&quot", '"');
}

}  // namespace lookup
