#include "screen/names.h"

#include <QChar>
#include <algorithm>
#include <array>
#include <tuple>

namespace screen {

const QString kLegalFormToken = QStringLiteral("~");

namespace {

// Apostrophes, primes and quotation marks: inside a word (a transliterated soft or
// hard sign, "Ob”yëm") they are dropped without splitting it; elsewhere they part words.
bool IsWordMark(QChar c) {
    switch (c.unicode()) {
        case u'\'':
        case u'`':
        case u'\u2018':
        case u'\u2019':
        case u'\u201C':
        case u'\u201D':
        case u'\u02B9':
        case u'\u02BA':
        case u'\u02BC':
        case u'\u00B4':
        case u'\u2032':
        case u'\u2033':
            return true;
        default:
            return false;
    }
}

bool IsLatinLetter(QChar c) {
    return c.isLetter() && c.script() == QChar::Script_Latin;
}

bool IsCyrillicLetter(QChar c) {
    return c.isLetter() && c.script() == QChar::Script_Cyrillic;
}

// Latin and Cyrillic letters a reader cannot tell apart, in both cases.
constexpr std::array<std::pair<char16_t, char16_t>, 28> kHomoglyphs = {{
    {u'A', u'А'}, {u'a', u'а'}, {u'B', u'В'},      {u'C', u'С'},      {u'c', u'с'}, {u'E', u'Е'},
    {u'e', u'е'}, {u'H', u'Н'}, {u'K', u'К'},      {u'k', u'к'},      {u'M', u'М'}, {u'O', u'О'},
    {u'o', u'о'}, {u'P', u'Р'}, {u'p', u'р'},      {u'T', u'Т'},      {u'X', u'Х'}, {u'x', u'х'},
    {u'Y', u'У'}, {u'y', u'у'}, {u'I', u'І'},      {u'i', u'і'},      {u'S', u'Ѕ'}, {u's', u'ѕ'},
    {u'J', u'Ј'}, {u'j', u'ј'}, {u'\u00CB', u'Ё'}, {u'\u00EB', u'ё'},
}};

// The letter of the other script c looks like, or c itself.
QChar Lookalike(QChar c, bool toCyrillic) {
    for (const auto& [latin, cyrillic] : kHomoglyphs) {
        if (toCyrillic && c.unicode() == latin)
            return QChar(cyrillic);
        if (!toCyrillic && c.unicode() == cyrillic)
            return QChar(latin);
    }
    return c;
}

// Folds the letters of text[begin, end) to the script most of them are in, where a
// lookalike exists: a Latin "P" in "Pомашка" becomes a Cyrillic "Р".
void FoldWord(QString& text, qsizetype begin, qsizetype end) {
    int latin = 0;
    int cyrillic = 0;
    for (qsizetype i = begin; i < end; ++i) {
        latin += IsLatinLetter(text[i]) ? 1 : 0;
        cyrillic += IsCyrillicLetter(text[i]) ? 1 : 0;
    }
    if (latin == 0 || cyrillic == 0)
        return;
    const bool toCyrillic = cyrillic >= latin;
    for (qsizetype i = begin; i < end; ++i)
        text[i] = Lookalike(text[i], toCyrillic);
}

// Appends the folded form of one character to word: Latin letters lose their marks,
// ё becomes е, everything is case folded. Letters without a base letter in NFKD (ø, ł)
// are mapped by hand.
void AppendFolded(QChar c, QString& word) {
    if (c.script() == QChar::Script_Latin && c.unicode() >= 0x80) {
        switch (c.toLower().unicode()) {
            case u'ø':
                word += u'o';
                return;
            case u'ł':
                word += u'l';
                return;
            case u'đ':
                word += u'd';
                return;
            case u'ß':
                word += QStringLiteral("ss");
                return;
            default:
                break;
        }
        for (QChar part : QString(c).normalized(QString::NormalizationForm_KD)) {
            if (part.isLetterOrNumber() && part.category() != QChar::Letter_Modifier)
                word += part.toCaseFolded();
        }
        return;
    }
    const QChar folded = c.toCaseFolded();
    word += folded == u'ё' ? QChar(u'е') : folded;
}

std::vector<QString> Words(QStringView name) {
    std::vector<QString> words;
    QString word;
    const qsizetype n = name.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = name[i];
        if (c.isLetterOrNumber() && c.category() != QChar::Letter_Modifier) {
            AppendFolded(c, word);
            continue;
        }
        const bool inWord = !word.isEmpty() && i + 1 < n && name[i + 1].isLetter();
        if ((c.category() == QChar::Letter_Modifier || c.isMark() || IsWordMark(c)) && inWord)
            continue;
        if (c.isMark())
            continue;
        if (!word.isEmpty())
            words.push_back(word);
        word.clear();
    }
    if (!word.isEmpty())
        words.push_back(word);
    return words;
}

// Legal forms as folded words. Longer phrases come first so that "public joint stock
// company" is taken whole before "joint stock company" could be.
const std::vector<std::vector<QString>>& LegalForms() {
    static const std::vector<std::vector<QString>> forms = [] {
        const char* const phrases[] = {
            "общество с ограниченной ответственностью",
            "публичное акционерное общество",
            "непубличное акционерное общество",
            "закрытое акционерное общество",
            "открытое акционерное общество",
            "акционерное общество",
            "индивидуальный предприниматель",
            // Non-commercial, state and municipal forms, partnerships and farms.
            "автономная некоммерческая организация",
            "некоммерческая организация",
            "некоммерческое партнерство",
            "муниципальное унитарное предприятие",
            "федеральное государственное унитарное предприятие",
            "государственное унитарное предприятие",
            "крестьянское фермерское хозяйство",
            "крестьянское (фермерское) хозяйство",
            "товарищество собственников жилья",
            "товарищество с ограниченной ответственностью",
            "акционерное общество закрытого типа",
            "акционерное общество открытого типа",
            "садоводческое некоммерческое товарищество",
            "производственный кооператив",
            "потребительский кооператив",
            "общество с дополнительной ответственностью",
            "товариство з обмеженою відповідальністю",
            "акціонерне товариство",
            "ано",
            "нп",
            "нко",
            "муп",
            "гуп",
            "фгуп",
            "кфх",
            "тсж",
            "тоо",
            "аозт",
            "снт",
            "пк",
            "одо",
            "тов",
            "ano",
            "np",
            "nko",
            "mup",
            "gup",
            "fgup",
            "kfkh",
            "kfh",
            "tszh",
            "aozt",
            "snt",
            "odo",
            "obshchestvo s ogranichennoy otvetstvennostyu",
            "obshchestvo s ogranichennoi otvetstvennostiu",
            "obshhestvo s ogranichennoj otvetstvennostyu",
            "limited liability company",
            "public joint stock company",
            "closed joint stock company",
            "open joint stock company",
            "joint stock company",
            "public limited company",
            "limited company",
            "ооо",
            "оао",
            "зао",
            "пао",
            "нао",
            "ао",
            "ип",
            "ooo",
            "oao",
            "zao",
            "pao",
            "nao",
            "ao",
            "llc",
            "jsc",
            "pjsc",
            "cjsc",
            "ojsc",
            "ltd",
            "plc",
        };
        std::vector<std::vector<QString>> out;
        for (const char* phrase : phrases)
            out.push_back(Words(QString::fromUtf8(phrase)));
        std::stable_sort(out.begin(), out.end(),
                         [](const auto& a, const auto& b) { return a.size() > b.size(); });
        return out;
    }();
    return forms;
}

}  // namespace

bool IsApostrophe(QChar c) {
    switch (c.unicode()) {
        case u'\'':
        case u'`':
        case u'\u00B4':
        case u'\u2019':
        case u'\u02BC':
        case u'\u2032':
            return true;
        default:
            return false;
    }
}

QString FoldName(QStringView name) {
    // Composed first, so that a decomposed й keeps its breve and a decomposed Latin
    // letter loses its mark the same way a composed one does.
    QString text = name.toString().normalized(QString::NormalizationForm_C);
    qsizetype begin = -1;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        const bool inWord = i < text.size() && (text[i].isLetterOrNumber() || text[i].isMark());
        if (inWord && begin < 0)
            begin = i;
        if (!inWord && begin >= 0) {
            FoldWord(text, begin, i);
            begin = -1;
        }
        if (i < text.size() && IsApostrophe(text[i]))
            text[i] = QLatin1Char('\'');
    }
    return text;
}

QString TransliterationInput(QStringView name) {
    const QString folded = FoldName(name);
    QString out;
    out.reserve(folded.size());
    for (qsizetype i = 0; i < folded.size(); ++i) {
        if (folded[i] != QLatin1Char('\'')) {
            out += folded[i];
            continue;
        }
        // Inside a word the apostrophe goes without splitting it (O'Neill); elsewhere
        // it parts words.
        const bool inWord =
            i > 0 && i + 1 < folded.size() && folded[i - 1].isLetter() && folded[i + 1].isLetter();
        if (!inWord)
            out += QLatin1Char(' ');
    }
    return out;
}

std::vector<QString> NameTokens(QStringView name) {
    const std::vector<QString> words = Words(FoldName(name));
    std::vector<QString> tokens;
    tokens.reserve(words.size());
    for (size_t i = 0; i < words.size();) {
        size_t taken = 0;
        for (const std::vector<QString>& form : LegalForms()) {
            if (form.size() <= words.size() - i &&
                std::equal(form.begin(), form.end(), words.begin() + static_cast<long>(i))) {
                taken = form.size();
                break;
            }
        }
        if (taken > 0) {
            tokens.push_back(kLegalFormToken);
            i += taken;
        } else {
            tokens.push_back(words[i]);
            ++i;
        }
    }
    return tokens;
}

std::vector<QString> ScoringTokens(const std::vector<QString>& tokens) {
    std::vector<QString> out;
    for (const QString& token : tokens) {
        if (token != kLegalFormToken && std::find(out.begin(), out.end(), token) == out.end())
            out.push_back(token);
    }
    return out;
}

std::vector<QString> ScoringTokens(QStringView name) {
    return ScoringTokens(NameTokens(name));
}

double TokenSimilarity(QStringView a, QStringView b) {
    if (a == b)
        return a.isEmpty() ? 0.0 : 1.0;
    const qsizetype n = a.size();
    const qsizetype m = b.size();
    if (n == 0 || m == 0)
        return 0.0;
    // One row of the edit-distance table at a time; names' tokens are short, so the row
    // lives on the stack unless a token is very long.
    constexpr qsizetype kStackRow = 64;
    qsizetype stackRow[kStackRow + 1];
    std::vector<qsizetype> heapRow;
    qsizetype* row = stackRow;
    if (m > kStackRow) {
        heapRow.resize(static_cast<size_t>(m) + 1);
        row = heapRow.data();
    }
    for (qsizetype j = 0; j <= m; ++j)
        row[j] = j;
    for (qsizetype i = 1; i <= n; ++i) {
        qsizetype diagonal = row[0];
        row[0] = i;
        for (qsizetype j = 1; j <= m; ++j) {
            const qsizetype above = row[j];
            const qsizetype replace = diagonal + (a[i - 1] == b[j - 1] ? 0 : 1);
            row[j] = std::min({above + 1, row[j - 1] + 1, replace});
            diagonal = above;
        }
    }
    const double distance = static_cast<double>(row[m]);
    return 1.0 - distance / static_cast<double>(std::max(n, m));
}

double TokenSetSimilarity(const std::vector<QString>& a, const std::vector<QString>& b) {
    if (a.empty() || b.empty())
        return 0.0;
    double letters = 0;
    for (const QString& t : a)
        letters += static_cast<double>(t.size());
    for (const QString& t : b)
        letters += static_cast<double>(t.size());
    std::vector<std::tuple<double, size_t, size_t>> pairs;
    for (size_t i = 0; i < a.size(); ++i) {
        for (size_t j = 0; j < b.size(); ++j) {
            // The lengths alone bound the similarity: 1 - difference / longer.
            const auto shorter = static_cast<double>(std::min(a[i].size(), b[j].size()));
            const auto longer = static_cast<double>(std::max(a[i].size(), b[j].size()));
            if (shorter / longer < kTokenFloor)
                continue;
            const double s = TokenSimilarity(a[i], b[j]);
            if (s >= kTokenFloor)
                pairs.emplace_back(s, i, j);
        }
    }
    std::sort(pairs.begin(), pairs.end(),
              [](const auto& x, const auto& y) { return std::get<0>(x) > std::get<0>(y); });
    std::vector<bool> usedA(a.size());
    std::vector<bool> usedB(b.size());
    double matched = 0;
    for (const auto& [s, i, j] : pairs) {
        if (usedA[i] || usedB[j])
            continue;
        usedA[i] = usedB[j] = true;
        matched += s * static_cast<double>(a[i].size() + b[j].size());
    }
    return std::min(1.0, matched / letters);
}

bool HasLatin(QStringView text) {
    return std::any_of(text.begin(), text.end(), IsLatinLetter);
}

bool HasCyrillic(QStringView text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) {
        return c.isLetter() && c.script() == QChar::Script_Cyrillic;
    });
}

}  // namespace screen
