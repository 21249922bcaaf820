// The lines of a list file, numbered as an editor numbers them: UTF-8 when the whole
// file is valid UTF-8 (a leading byte-order mark dropped), Windows-1251 otherwise;
// lines end with CR LF, LF or CR.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace batch {

struct ListLine {
    int number = 0;     // 1-based
    std::string text;   // the query: the line as Windows-1251 bytes
    std::string bytes;  // the line as it was in the file, without its line end
};

struct ListFile {
    std::vector<ListLine> lines;  // every line, empty ones included
    std::string lineEnd;          // the file's first line end; CR LF when it has none
};

ListFile SplitListFile(std::string_view bytes);

}  // namespace batch
