// Where the program file lies: config.ini, the results file and the language folders
// beside the program are found from here.
#pragma once

#include <QString>

namespace platform {

// The folder of the running program file, ending with '/'.
QString ProgramDir();

// Whether files the program writes for its user (config.ini, a default results file)
// may go into folder: it must take new files and not be one of the folders where
// packages put programs (/usr/bin, /usr/lib, /usr/local/bin, /bin and the like), where
// even a user who may write there (root) would leave files for everyone.
bool KeepsUserFiles(const QString& folder);

}  // namespace platform
