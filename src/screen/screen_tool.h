// vendrake-screen: the watch lists firms are screened against, on the command line.
//
//   vendrake-screen [--index PATH] import FILE [--name NAME] [--keep N] [--persons]
//   vendrake-screen [--index PATH] lists
//   vendrake-screen [--index PATH] remove NAME
//   vendrake-screen [--index PATH] check [--threshold T] [--list NAME] [--format text|jsonl]
//                                        [--results FILE] [FIRM...]
//   vendrake-screen [--index PATH] rescreen [--archive PATH] [--since DATE]
//                                           [--threshold T] [--list NAME]
#pragma once

namespace screen {

// Runs the command argv names and returns the exit status; the caller has made the
// Qt application object.
int RunScreenTool(int argc, char** argv);

}  // namespace screen
