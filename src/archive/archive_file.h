// Where an archive's file lies and whether it may be used: the folder above it is
// resolved through any links (the user's own set-up), while the file itself and the
// files SQLite keeps beside it must be regular files, never links. Not for use
// outside the module.
#pragma once

#include <string>

#include "platform/result.h"

namespace archive {

// The files SQLite keeps beside an archive while it is in use.
constexpr const char* kCompanionSuffixes[] = {"-wal", "-shm", "-journal"};

// path with its folder resolved through links; empty when the folder does not exist.
std::string ResolvedPath(const std::string& path);

// Makes the folder and those above it that are missing, each new one for the user
// alone (0700); folders already there keep their modes. Fails naming the one that
// cannot be made.
platform::Status MakePrivateFolders(const std::string& folder);

// What keeps file (a resolved path) from being opened as an archive: empty when
// nothing does. A file beside it is named by its place beside given, the path as the
// user gave it. *exists tells whether the file is there.
std::string Refusal(const std::string& file, const std::string& given, bool* exists);

}  // namespace archive
