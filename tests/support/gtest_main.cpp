// Test entry for the core tests: a QCoreApplication exists for the whole run so that
// the program folder and the standard paths resolve as in the real programs.
#include <gtest/gtest.h>

#include <QCoreApplication>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    // Query services a test left running are children of app and end with it.
    return RUN_ALL_TESTS();
}
