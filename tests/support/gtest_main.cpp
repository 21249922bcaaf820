// Test entry for the core tests: a QCoreApplication exists for the whole run so that
// the program folder and the standard paths resolve as in the real programs.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <chrono>

#include "worker/query_worker.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int status = RUN_ALL_TESTS();
    // Workers that a test left running end here, not at process exit.
    worker::ShutdownWorkers(std::chrono::seconds(10));
    return status;
}
