// vendrake-batch: the list tool (see batch/batch_tool.h); its exit statuses are
// batch::ExitStatus.
#include <QCoreApplication>
#include <string>
#include <vector>

#include "batch/batch_tool.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    return batch::RunBatchTool(std::vector<std::string>(argv + 1, argv + argc));
}
