#include "worker/page_scanner.h"

#include <QString>
#include <vector>

#include "platform/cp1251.h"

namespace worker {
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
            out.push_back(platform::ToCp1251(QString::fromUtf8(h)));
        return out;
    }();
    return headings;
}

// The working text: the window [b, e) of a fixed text. Every step only moves b
// forward or e backward, so no step copies text and a page costs linear time.
// Positions handed in and out are 1-based as in the scanning rules; 0 means "absent".
struct Window {
    std::string_view all;
    size_t b = 0;
    size_t e = 0;

    explicit Window(std::string_view text) : all(text), e(text.size()) {}
    std::string_view View() const { return all.substr(b, e - b); }
    size_t Size() const { return e - b; }
    bool Empty() const { return b == e; }

    // The first occurrence of m, 1-based; 0 when m does not occur.
    long long Find(std::string_view m) const {
        const size_t at = View().find(m);
        return at == kNpos ? 0 : static_cast<long long>(at) + 1;
    }
    // Drops the first n characters: none for n <= 0, all for n >= the length.
    void Drop(long long n) {
        if (n <= 0)
            return;
        b = static_cast<size_t>(n) >= Size() ? e : b + static_cast<size_t>(n);
    }
    // Removes everything from position p on; nothing when p is outside 1..length.
    void CutFrom(long long p) {
        if (p < 1 || static_cast<size_t>(p) > Size())
            return;
        e = b + static_cast<size_t>(p) - 1;
    }
};

// A marker searched for again and again in one shrinking window. The last search's
// answer stays right while it lies inside the window (the window only shrinks), so
// the text before an occurrence, or a whole text lacking the marker, is scanned
// once instead of once per row.
class Marker {
  public:
    explicit Marker(std::string_view m) : m_(m) {}

    long long Find(const Window& w) {
        if (!valid_ || from_ > w.b || (at_ != kNpos && at_ < w.b)) {
            from_ = w.b;
            at_ = w.all.substr(0, w.e).find(m_, w.b);
            valid_ = true;
        }
        if (at_ == kNpos || at_ + m_.size() > w.e)
            return 0;
        return static_cast<long long>(at_ - w.b) + 1;
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

// n characters from 1-based position p: p < 1 counts as 1, n <= 0 gives nothing,
// taking stops at the end.
std::string_view Take(std::string_view s, long long p, long long n) {
    if (p < 1)
        p = 1;
    if (n <= 0 || static_cast<size_t>(p - 1) >= s.size())
        return {};
    return s.substr(static_cast<size_t>(p - 1), static_cast<size_t>(n));
}

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

std::string ReadCell(Window& row, CellMarkers& mk) {
    const long long open = mk.open.Find(row);
    const long long close = mk.close.Find(row);
    std::string cell(Take(row.View(), open + 4, close - open - 4));
    CleanCell(cell);
    row.Drop(close + 4);
    return cell;
}

void ScanNumberMode(std::string_view text, ScanState& st, ScanOutput& out) {
    Window w(text);
    for (const std::string& heading : RecordKindHeadings()) {
        const long long at = w.Find(heading);
        if (at == 0)
            continue;
        w.Drop(at - 1);
        w.Drop(w.Find("<tr>"));
        w.CutFrom(w.Find("</tr>") + 5);
        w.Drop(w.Find("<td>"));
        w.Drop(w.Find("</td>"));
        CellMarkers mk;
        TDataFirm& f = st.Firm;
        for (std::string* field : {&f.Name, &f.Adress, &f.OGRN, &f.GRN, &f.INN, &f.KPP, &f.DateGRN,
                                   &f.Organ, &f.AdressOrgan, &f.Region})
            *field = ReadCell(w, mk);
        out.Deliver(st.Firm);
    }
}

void ScanNameMode(std::string_view text, ScanState& st, ScanOutput& out) {
    Window w(text);
    w.Drop(w.Find("<tr><td>") - 1);
    w.CutFrom(w.Find("</tr></table>") + 5);
    Marker rowStart("<tr><td>");
    CellMarkers mk;
    TDataFirm& f = st.Firm;
    while (!w.Empty() && w.View() != "</tr>") {
        ++st.k;
        w.Drop(rowStart.Find(w) - 1);
        w.Drop(mk.close.Find(w) + 4);
        for (std::string* field :
             {&f.Name, &f.Adress, &f.OGRN, &f.GRN, &f.INN, &f.KPP, &f.DateGRN, &f.Region})
            *field = ReadCell(w, mk);
        out.Deliver(st.Firm);
        out.SetQueryText(CountText(st.ParentText, st.k));
    }
}

}  // namespace

void ParseResultPage(std::string_view text, ScanState& state, ScanOutput& out) {
    if (text.empty())
        return;
    if (state.SF.OGRN != "&num=")
        ScanNumberMode(text, state, out);
    else if (state.SF.Name != "name=")
        ScanNameMode(text, state, out);
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

std::string CountText(const std::string& parentText, int k) {
    const size_t at = parentText.rfind("%d");
    if (at == std::string::npos)
        return parentText;
    std::string out = parentText;
    out.replace(at, 2, std::to_string(k));
    return out;
}

}  // namespace worker
