// vendrake-screen: the watch lists firms are screened against, on the command line
// (see screen/screen_tool.h).
#include <QCoreApplication>

#include "screen/screen_tool.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    return screen::RunScreenTool(argc, argv);
}
