// Arbitrary dictionary file bytes and an arbitrary text through the dictionary pass.
#include <QString>
#include <QStringList>
#include <cstddef>
#include <cstdint>

#include "fuzz_support.h"
#include "translit/translit.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzsupport::Init();
    static bool ready = [] {
        // A small language: a few letters and one rule of each common kind.
        const char16_t table[] = u"а|a\r\nб|b\r\nо|o\r\nщ|shch\r\n";
        const char16_t rules[] = u"В начале |е|ye|\r\nОтдельно стоящее |и|i|\r\n";
        fuzzsupport::WriteFile(
            QStringLiteral("Quillmarsh/Transliteration/D/D.dat"),
            std::string_view(reinterpret_cast<const char*>(table), sizeof(table) - 2));
        fuzzsupport::WriteFile(
            QStringLiteral("Quillmarsh/Transliteration/D/exception.dat"),
            std::string_view(reinterpret_cast<const char*>(rules), sizeof(rules) - 2));
        return true;
    }();
    (void)ready;
    std::string_view parts[2];
    fuzzsupport::Split(data, size, parts, 2);
    fuzzsupport::WriteFile(QStringLiteral("dict.txt"), parts[0]);
    QStringList lines =
        translit::LoadDictionaryLines(fuzzsupport::Scratch() + QStringLiteral("dict.txt"));
    const QString text =
        QString::fromUtf8(parts[1].data(), static_cast<qsizetype>(parts[1].size()));
    const translit::Outcome out =
        translit::TranslateByDictionary(text, QStringLiteral("D"), &lines);
    // A failure always says why.
    if (!out.ok() && out.error.isEmpty())
        __builtin_trap();
    return 0;
}
