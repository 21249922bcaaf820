// vendrake-archive: the lookup archive on the command line. The commands and their
// usage are in the archive library (archive/archive_tool.h), where tests run them too.
#include <string>
#include <vector>

#include "archive/archive_tool.h"

int main(int argc, char** argv) {
    return archive::RunArchiveTool(
        std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc));
}
