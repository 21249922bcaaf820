// The commands of vendrake-archive, shared by the files that make them up. Not for use
// outside the module.
#pragma once

#include <string>
#include <vector>

#include "archive/archive_db.h"
#include "cli/tool_output.h"
#include "platform/result.h"

namespace archive::tool {

// The date option name gives, "" when it is not given, or why it is no date.
platform::Result<std::string> DateOption(const cli::Arguments& args, const std::string& name);

// A kept head from a file (its first line that is not empty) or given as text.
platform::Result<ChainHead> KeptHead(const std::string& given);

// The CA certificates time stamps are checked against: --tsa-ca, else the setting.
std::string CaFile(const std::string& given);

// The commands on an open archive: each prints its output and returns the exit status.
int List(Archive& db, const cli::Arguments& args);
int Show(Archive& db, const cli::Arguments& args);
int Search(Archive& db, const cli::Arguments& args);
int Changes(Archive& db, const cli::Arguments& args);
int Export(Archive& db, const cli::Arguments& args);
int Head(Archive& db, const cli::Arguments& args);
int Verify(Archive& db, const cli::Arguments& args);
int Stamp(Archive& db, const cli::Arguments& args);
int Prune(Archive& db, const cli::Arguments& args);

// check-export's status for a file that holds but is consistent with itself only:
// proven against neither a kept head nor a time stamp a CA vouches for.
constexpr int kSelfOnly = 3;

// Checks the evidence file words[0] on its own, with no archive opened.
int CheckExport(const std::vector<std::string>& words, const std::string& headText,
                const std::string& caFile);

}  // namespace archive::tool
