// vendrake-archive: the lookup archive on the command line, as a function of its
// arguments, so that the program's main() and a test run it alike.
#pragma once

#include <string>
#include <vector>

namespace archive {

// Runs vendrake-archive with args (the words after the program's name): prints what the
// command prints on stdout, problems on stderr, and returns the exit status (0; 1 when
// the command failed or the archive does not hold; 2 for a wrong argument).
int RunArchiveTool(const std::vector<std::string>& args);

}  // namespace archive
