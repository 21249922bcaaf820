// The workbook of an xlsx run: the rows kept beside it (see XlsxSpoolFileName) under
// their header, and a "Summary" sheet of the run.
#pragma once

#include <QString>
#include <string>
#include <utility>
#include <vector>

#include "platform/result.h"

namespace batch {

// Caption and value lines of the "Summary" sheet, in order.
using XlsxSummary = std::vector<std::pair<std::string, std::string>>;

// Builds the workbook at xlsxPath from the csv rows at rowsPath, read a piece at a
// time: the first row is the header, every other row one row of the sheet "Results".
// The workbook replaces the one at xlsxPath only once it is whole. Fails when the rows
// cannot be read or the workbook cannot be written. With guardedRows, the rows are a
// spool's (XlsxSpoolFileName): a cell's one leading apostrophe, if any, is dropped;
// without, they are an earlier version's file (XlsxRowsFileName), every value as it is.
platform::Status WriteXlsxResults(const QString& rowsPath, const QString& xlsxPath,
                                  const XlsxSummary& summary, bool guardedRows = true);

// Splits csv text into rows of cells, as the pieces of a file arrive: cells separated
// by ';', rows ended by CR LF or LF, a quoted cell holding anything (a doubled quote
// is one quote). A byte-order mark at the very start is dropped.
class CsvRowReader {
  public:
    // Feeds a piece; row is called with each row the piece completes. row returns false
    // to stop, and Add returns false then.
    template <typename RowFn>
    bool Add(const char* data, std::size_t size, RowFn&& row);
    // A last row without a line end, if any.
    template <typename RowFn>
    bool Finish(RowFn&& row);

  private:
    enum class State { CellStart, Plain, Quoted, QuoteInQuoted };
    // Takes a byte at the very start, where a byte-order mark may be (split between
    // pieces too); true when the byte is part of the mark.
    bool TakeMark(char c);
    // Takes a byte of the text; true when it ends the row.
    bool Take(char c);
    template <typename RowFn>
    bool EndRow(RowFn&& row);

    State state_ = State::CellStart;
    bool first_ = true;  // no byte seen yet
    std::string bomSeen_;
    std::string cell_;
    std::vector<std::string> cells_;
};

template <typename RowFn>
bool CsvRowReader::Add(const char* data, std::size_t size, RowFn&& row) {
    for (std::size_t i = 0; i < size; ++i) {
        if (first_ && TakeMark(data[i])) {
            continue;
        }
        if (Take(data[i]) && !EndRow(row)) {
            return false;
        }
    }
    return true;
}

template <typename RowFn>
bool CsvRowReader::Finish(RowFn&& row) {
    if (state_ == State::CellStart && cells_.empty()) {
        return true;
    }
    return EndRow(row);
}

template <typename RowFn>
bool CsvRowReader::EndRow(RowFn&& row) {
    cells_.push_back(std::move(cell_));
    cell_.clear();
    state_ = State::CellStart;
    const bool go = row(cells_);
    cells_.clear();
    return go;
}

}  // namespace batch
