// Test entry for the core tests: a QCoreApplication exists for the whole run so that
// the program folder and the standard paths resolve as in the real programs.
#include <gtest/gtest.h>

#include <QCoreApplication>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
