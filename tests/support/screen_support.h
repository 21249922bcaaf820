// The list fixtures, firms and files of the screening tests.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <string>

#include "pages/records.h"
#include "support/cp1251_text.h"

namespace screen_test {

inline std::string Fixture(const char* name) {
    return std::string(VENDRAKE_SOURCE_DIR "/tests/screen/data/") + name;
}

// A firm of the stand-in register (its fields Windows-1251, as the register gives them).
inline lookup::FirmRecord Firm(const char* nameUtf8, const char* inn = "", const char* ogrn = "",
                               const char* kpp = "") {
    lookup::FirmRecord firm;
    firm.name = testsupport::Cp1251(nameUtf8);
    firm.inn = inn;
    firm.ogrn = ogrn;
    firm.kpp = kpp;
    return firm;
}

// Writes bytes to a new file at path; false when it cannot be written whole.
inline bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

}  // namespace screen_test
