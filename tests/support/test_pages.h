// Test pages and texts for the scanner and answer-rule tests. The pages are kept as
// UTF-8 under tests/pages/samples/; the service sends Windows-1251.
#pragma once

#include <gtest/gtest.h>

#include <QFile>
#include <QString>
#include <string>

#include "support/cp1251_text.h"

namespace pages {

inline std::string Page(const char* name) {
    QFile f(QStringLiteral(VENDRAKE_SOURCE_DIR "/tests/pages/samples/") + QString::fromUtf8(name));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
    const QByteArray utf8 = f.readAll();
    return testsupport::Cp1251(
        std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

}  // namespace pages
