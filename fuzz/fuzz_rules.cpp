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
    QString result = QStringLiteral("unchanged");
    translit::Transliterate(text, QStringLiteral("F"), result);
    return 0;
}
