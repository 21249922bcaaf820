// Test pages and texts for the scanner and answer-rule tests. The pages are kept as
// UTF-8 under tests/pages/samples/; the service sends Windows-1251.
#pragma once

#include <gtest/gtest.h>

#include <QFile>
#include <QString>
#include <string>

#include "platform/cp1251.h"

namespace pages {

inline std::string Page(const char* name) {
    QFile f(QStringLiteral(VENDRAKE_SOURCE_DIR "/tests/pages/samples/") + QString::fromUtf8(name));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
    return platform::ToCp1251(QString::fromUtf8(f.readAll()));
}

}  // namespace pages
