// vendrake-batch FILE [options]: one register query per line of FILE, a few at a time,
// through the proxy settings of config.ini beside the program. Each line's records are
// appended to the results file beside FILE as the line ends, and the line's outcome to
// FILE_enabled.progress, so that --resume continues a stopped run. The progress file is
// locked for the whole run; the results file is not changed before the run has a first
// line to write. Every line's outcome is also recorded in the lookup archive (unless
// --no-archive), and the line's progress entry follows only once its record is
// committed: an archive that cannot take records stops the run. With --screen every firm
// is screened against the watch lists of the screening index on a thread of its own as
// it arrives.
#pragma once

#include <iostream>
#include <ostream>
#include <string>
#include <vector>

namespace batch {

// Runs the tool on the arguments after the program's name and returns its exit status
// (batch::ExitStatus). --help and --version go to out, every other word to err. A
// QCoreApplication must exist; SIGINT and SIGTERM are caught once the run starts.
int RunBatchTool(const std::vector<std::string>& args, std::ostream& out = std::cout,
                 std::ostream& err = std::cerr);

}  // namespace batch
