// The Windows-1251 codec and the form encoding on arbitrary bytes.
#include <QString>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "pages/form_encoding.h"
#include "platform/cp1251.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzsupport::Init();
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    // Every byte string survives Windows-1251 -> Unicode -> Windows-1251.
    const QString text = platform::FromCp1251(bytes);
    if (platform::ToCp1251(text) != bytes)
        __builtin_trap();

    // The encoded form is pure ASCII once the Russian letters and spaces are escaped,
    // unless the input held other non-ASCII characters.
    const QString utf = QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    const QString encoded = lookup::EncodeFormText(utf);
    for (QChar c : encoded) {
        if (c == QLatin1Char(' '))
            __builtin_trap();
        const char16_t u = c.unicode();
        if ((u >= 0x0410 && u <= 0x044F) || u == 0x0401 || u == 0x0451)
            __builtin_trap();
    }
    (void)platform::DecodeUtf8OrCp1251(bytes);
    return 0;
}
