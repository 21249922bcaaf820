#include "batch/xlsx_results.h"

#include <fcntl.h>
#include <unistd.h>
#include <QFile>
#include <cerrno>
#include <cstring>

#include "lists/xlsx_file.h"

namespace batch {

platform::Status WriteXlsxResults(const QString& rowsPath, const QString& xlsxPath,
                                  const XlsxSummary& summary, bool guardedRows) {
    const int fd = ::open(QFile::encodeName(rowsPath).constData(),
                          O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return platform::Failure("\"" + rowsPath.toStdString() + "\": " + std::strerror(errno));
    }
    lookup::XlsxFile book;
    bool started = false;
    platform::Status written;
    CsvRowReader reader;
    const auto row = [&](std::vector<std::string>& cells) {
        if (guardedRows) {
            for (std::string& cell : cells) {
                if (!cell.empty() && cell.front() == '\'') {
                    cell.erase(0, 1);
                }
            }
        }
        written =
            started ? book.AddRow(cells) : book.Start(xlsxPath.toStdString(), "Results", cells);
        started = true;
        return written.ok();
    };
    constexpr std::size_t kPiece = 1u << 20;
    std::string piece(kPiece, '\0');
    for (;;) {
        const ssize_t n = ::read(fd, piece.data(), kPiece);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            written =
                platform::Failure("\"" + rowsPath.toStdString() + "\": " + std::strerror(errno));
            break;
        }
        if (n == 0) {
            reader.Finish(row);
            break;
        }
        if (!reader.Add(piece.data(), static_cast<std::size_t>(n), row)) {
            break;
        }
    }
    ::close(fd);
    if (!written) {
        return written;
    }
    if (!started) {
        return platform::Failure("\"" + rowsPath.toStdString() + "\" holds no header row");
    }
    for (const auto& [caption, value] : summary) {
        book.AddSummary(caption, value);
    }
    return book.Finish();
}

bool CsvRowReader::TakeMark(char c) {
    static const char kBom[] = "\xEF\xBB\xBF";
    if (bomSeen_.size() < 3 && c == kBom[bomSeen_.size()]) {
        bomSeen_ += c;
        first_ = bomSeen_.size() < 3;
        return true;
    }
    first_ = false;
    if (!bomSeen_.empty()) {  // not a mark after all: its bytes are text
        cell_ = bomSeen_;
        state_ = State::Plain;
    }
    return false;
}

bool CsvRowReader::Take(char c) {
    if (state_ == State::Quoted) {
        if (c == '"') {
            state_ = State::QuoteInQuoted;
        } else {
            cell_ += c;
        }
        return false;
    }
    if (c == '"' && state_ != State::Plain) {
        // Opens a quoted cell, or (after a closing quote) is a doubled quote inside one.
        if (state_ == State::QuoteInQuoted) {
            cell_ += '"';
        }
        state_ = State::Quoted;
        return false;
    }
    if (c == ';') {
        cells_.push_back(std::move(cell_));
        cell_.clear();
        state_ = State::CellStart;
        return false;
    }
    if (c == '\n') {
        return true;
    }
    if (c != '\r') {
        cell_ += c;  // text after a closing quote too: kept as it is
        state_ = State::Plain;
    }
    return false;
}

}  // namespace batch
