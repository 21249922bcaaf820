// Arbitrary table and exception bytes, loaded from real files, with an arbitrary
// text to convert.
#include <QString>
#include <cstddef>
#include <cstdint>

#include "fuzz_support.h"
#include "translit/translit.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzsupport::Init();
    std::string_view parts[3];
    fuzzsupport::Split(data, size, parts, 3);
    fuzzsupport::WriteFile(QStringLiteral("Quillmarsh/Transliteration/F/F.dat"), parts[0]);
    fuzzsupport::WriteFile(QStringLiteral("Quillmarsh/Transliteration/F/exception.dat"), parts[1]);
    const QString text =
        QString::fromUtf8(parts[2].data(), static_cast<qsizetype>(parts[2].size()));
    const platform::Result<QString, QString> result =
        translit::Transliterate(text, QStringLiteral("F"));
    // A text never grows past its bound, and a failure always says why.
    if (result ? result->size() > translit::MaxTextLength(text.size()) : result.error().isEmpty())
        __builtin_trap();
    return 0;
}
