// vendrake-archive: the lookup archive on the command line.
//
//   vendrake-archive [--archive PATH] list [--text T] [--number N] [--from D] [--to D]
//                                          [--limit N]
//   vendrake-archive [--archive PATH] show ID
//   vendrake-archive [--archive PATH] search TEXT
//   vendrake-archive [--archive PATH] changes [--since DATE] [--list FILE]
//                                             [--format text|jsonl|csv]
//   vendrake-archive [--archive PATH] export --since DATE --format jsonl|csv
//   vendrake-archive [--archive PATH] export [--since DATE] --format evidence
//   vendrake-archive check-export FILE [--head FILE|LINE] [--tsa-ca FILE]
//   vendrake-archive [--archive PATH] head [--format line|json]
//   vendrake-archive [--archive PATH] verify [--head FILE|LINE] [--tsa-ca FILE]
//   vendrake-archive [--archive PATH] stamp [--tsa URL] [--proxy HOST:PORT]
//   vendrake-archive [--archive PATH] prune [--keep-days N] [--max-mib N]
#include <string>
#include <vector>

#include "archive/archive_tool.h"

int main(int argc, char** argv) {
    return archive::RunArchiveTool(
        std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc));
}
