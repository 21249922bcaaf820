// Values as the list tools write them into csv and jsonl files.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// A CSV cell: a value starting with = + - @ TAB CR or LF, or with blanks before one of
// = + - @, gets a leading apostrophe, so that no spreadsheet runs it as a formula;
// other control characters are dropped; a cell holding ';', '"', CR or LF is quoted
// with its quotes doubled.
std::string CsvCell(std::string_view utf8);

// A JSON string literal of UTF-8 text.
std::string JsonString(std::string_view utf8);

}  // namespace platform
