// Spreadsheet files (.xlsx) of result rows: a first sheet of rows under a bold, frozen
// header row with an autofilter and columns as wide as their content, and a second
// sheet of caption/value lines summing the run up. Every cell is written as text, so
// that a spreadsheet shows a 13-digit OGRN as it is (not as 1.03E+12), keeps the
// leading zeros of a code and never reads a date, a number or a formula into a value.
//
// Rows are written as they are added, so memory stays flat however many there are.
// The file appears at its path whole or not at all: it is written beside it under a
// temporary name and renamed once complete.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/result.h"

namespace lookup {

// The most rows a sheet holds below its header row.
constexpr std::size_t kXlsxMaxRows = 1048575;
// A cell holds at most this many characters, counted as UTF-16 code units the way
// spreadsheets count them; a longer value is cut between whole characters and ends in
// "…[cut: N characters]", N the code units dropped, the whole still within the limit.
constexpr std::size_t kXlsxMaxCellUnits = 32767;

class XlsxFile {
  public:
    XlsxFile();
    // A file not finished is removed with its temporary name.
    ~XlsxFile();
    XlsxFile(const XlsxFile&) = delete;
    XlsxFile& operator=(const XlsxFile&) = delete;

    // Begins a workbook to be written to path, its first sheet named sheetName with
    // headers as its header row (all texts UTF-8), or says why it cannot be begun.
    platform::Status Start(const std::string& path, const std::string& sheetName,
                           const std::vector<std::string>& headers);
    // Adds a row under the header; cells beyond the header's count are dropped.
    platform::Status AddRow(const std::vector<std::string>& cells);
    // A line of the second sheet.
    void AddSummary(std::string caption, std::string value);
    // Writes what is left and puts the file at its path.
    platform::Status Finish();

    std::size_t rows() const { return rows_; }
    // The cells of the first sheet cut to fit; Finish adds a summary line when any were.
    std::size_t cutCells() const { return cutCells_; }

  private:
    struct Book;
    std::unique_ptr<Book> book_;
    std::string path_;
    std::string temporary_;
    std::vector<std::pair<std::string, std::string>> summary_;
    std::vector<std::size_t> widths_;  // per column: the widest text, in characters
    std::size_t rows_ = 0;
    std::size_t cutCells_ = 0;
};

// A text as a cell holds it: C0 control characters other than TAB and LF (which XML
// cannot carry) become U+FFFD, and a text longer than kXlsxMaxCellUnits is cut (cut
// then set to true, when given).
std::string XlsxCellText(const std::string& utf8, bool* cut = nullptr);

}  // namespace lookup
