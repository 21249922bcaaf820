// The list fixtures, firms and files of the screening tests, and the checks of what
// the index and the screener give back.
#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QString>
#include <string>
#include <vector>

#include "pages/records.h"
#include "platform/result.h"
#include "screen/screener.h"
#include "support/cp1251_text.h"

namespace screen_test {

// SQL that leaves an index loadable but makes every read of a name's postings fail:
// the postings table becomes a view whose rows raise an integer overflow.
inline const QString kUnreadableTerms = QStringLiteral(
    "ALTER TABLE terms RENAME TO terms_kept; "
    "CREATE VIEW terms AS SELECT version, token, df, postings FROM terms_kept "
    "WHERE abs(version - version - 9223372036854775807 - 1) >= 0;");

// Passes when result succeeded, else fails with why it did not.
template <class T>
::testing::AssertionResult Succeeded(const platform::Result<T>& result) {
    if (result)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << result.error();
}

// Passes when the import stored a new version, else fails with why it did not.
inline ::testing::AssertionResult Stored(
    const platform::Result<screen::ImportReport, screen::ImportFailure>& imported) {
    if (!imported)
        return ::testing::AssertionFailure() << imported.error().message;
    if (imported->unchanged)
        return ::testing::AssertionFailure() << "nothing stored: the list is unchanged";
    return ::testing::AssertionSuccess();
}

// The matches a screening gave; a read failure fails the test and gives none.
inline std::vector<screen::Match> Matches(
    const platform::Result<std::vector<screen::Match>>& screened) {
    EXPECT_TRUE(Succeeded(screened));
    return screened ? *screened : std::vector<screen::Match>();
}

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
