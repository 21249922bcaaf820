// Where the program file lies: config.ini, the results file and the language folders
// beside the program are found from here.
#pragma once

#include <QString>

namespace platform {

// The folder of the running program file, ending with '/'.
QString ProgramDir();

}  // namespace platform
