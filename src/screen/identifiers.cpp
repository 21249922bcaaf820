#include "screen/identifiers.h"

#include "lookup/register_numbers.h"

namespace screen {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Blanks and dashes inside a number: ASCII ones, and the UTF-8 no-break space, en dash
// and em dash.
size_t JoinerLength(std::string_view text, size_t i) {
    const char c = text[i];
    if (c == ' ' || c == '-' || c == '\t')
        return 1;
    if (text.compare(i, 2, "\xC2\xA0") == 0)
        return 2;
    if (text.compare(i, 3, "\xE2\x80\x93") == 0 || text.compare(i, 3, "\xE2\x80\x94") == 0)
        return 3;
    return 0;
}

// The runs of digits of text, joiners between digits removed.
std::vector<std::string> DigitRuns(std::string_view text) {
    std::vector<std::string> runs;
    std::string run;
    size_t i = 0;
    while (i < text.size()) {
        if (IsDigit(text[i])) {
            run += text[i++];
            continue;
        }
        size_t skip = 0;
        size_t j = i;
        while (j < text.size() && JoinerLength(text, j) > 0) {
            skip = JoinerLength(text, j);
            j += skip;
        }
        if (!run.empty() && j > i && j < text.size() && IsDigit(text[j])) {
            i = j;  // joiners between two digits
            continue;
        }
        if (!run.empty())
            runs.push_back(run);
        run.clear();
        i = j > i ? j : i + 1;
    }
    if (!run.empty())
        runs.push_back(run);
    return runs;
}

}  // namespace

std::vector<Identifier> ParseIdentifiers(std::string_view utf8) {
    std::vector<Identifier> found;
    std::vector<std::string> kpps;
    for (const std::string& run : DigitRuns(utf8)) {
        if (run.size() == 10 && lookup::InnCheckDigitsValid(run)) {
            found.push_back({IdKind::Inn, run, {}});
        } else if (run.size() == 13 && lookup::OgrnCheckDigitValid(run)) {
            found.push_back({IdKind::Ogrn, run, {}});
        } else if (run.size() == 9) {
            kpps.push_back(run);
        } else if (run.size() == 19) {
            const std::string innFirst = run.substr(0, 10);
            const std::string innLast = run.substr(9);
            if (lookup::InnCheckDigitsValid(innFirst))
                found.push_back({IdKind::Inn, innFirst, run.substr(10)});
            else if (lookup::InnCheckDigitsValid(innLast))
                found.push_back({IdKind::Inn, innLast, run.substr(0, 9)});
        }
    }
    int inns = 0;
    for (const Identifier& id : found)
        inns += id.kind == IdKind::Inn ? 1 : 0;
    if (inns == 1 && kpps.size() == 1) {
        for (Identifier& id : found) {
            if (id.kind == IdKind::Inn && id.kpp.empty())
                id.kpp = kpps.front();
        }
    }
    return found;
}

const char* IdKindName(IdKind kind) {
    return kind == IdKind::Inn ? "INN" : "OGRN";
}

}  // namespace screen
