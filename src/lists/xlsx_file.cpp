#include "lists/xlsx_file.h"

#include <unistd.h>
#include <xlsxwriter.h>

#include <algorithm>
#include <cstdio>

namespace lookup {
namespace {

// Column widths in characters: at least the default, at most a readable line.
constexpr double kMinWidth = 8.43;
constexpr double kMaxWidth = 60;

// Characters of a UTF-8 text (its bytes that do not continue a character).
std::size_t CharacterCount(const std::string& utf8) {
    std::size_t count = 0;
    for (const char c : utf8) {
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    }
    return count;
}

std::string LibraryError(const char* what, lxw_error code) {
    return std::string(what) + ": " + lxw_strerror(code);
}

// Sheet names may not hold []:*?/\ and are at most 31 characters.
std::string SheetName(const std::string& name, const char* fallback) {
    std::string out;
    std::size_t characters = 0;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        if (std::string_view("[]:*?/\\").find(c) != std::string_view::npos) {
            continue;
        }
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80 && ++characters > 31) {
            break;
        }
        out += c;
    }
    return out.empty() ? fallback : out;
}

}  // namespace

struct XlsxFile::Book {
    lxw_workbook* workbook = nullptr;
    lxw_worksheet* sheet = nullptr;
    lxw_format* bold = nullptr;
    std::size_t columns = 0;
    ~Book() {
        if (workbook != nullptr) {
            // Only after a failure: the workbook is given up, its temporary file removed
            // by the owner.
            workbook_close(workbook);
        }
    }
};

namespace {

// UTF-16 code units of the character whose UTF-8 sequence starts with byte b: none for
// a continuation byte, two for a character beyond the basic plane.
std::size_t Utf16Units(unsigned char b) {
    if ((b & 0xC0) == 0x80) {
        return 0;
    }
    return b >= 0xF0 ? 2 : 1;
}

bool CellControl(char c) {
    return static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n';
}

}  // namespace

std::string XlsxCellText(const std::string& utf8, bool* cut) {
    if (cut != nullptr) {
        *cut = false;
    }
    std::size_t total = 0;  // in UTF-16 code units; a replaced control character is one
    for (const char c : utf8) {
        total += Utf16Units(static_cast<unsigned char>(c));
    }
    const bool controls = std::any_of(utf8.begin(), utf8.end(), CellControl);
    if (total <= kXlsxMaxCellUnits && !controls) {
        return utf8;  // the usual case
    }
    static const std::string kReplacement = "\xEF\xBF\xBD";
    const auto marker = [](std::size_t dropped) {
        return "\xE2\x80\xA6[cut: " + std::to_string(dropped) + " characters]";
    };
    // The marker is ASCII after its one-unit ellipsis; its widest form (all of the text
    // dropped) bounds the room it takes.
    const std::size_t markerUnits = marker(total).size() - 2;
    const std::size_t budget = total <= kXlsxMaxCellUnits ? total : kXlsxMaxCellUnits - markerUnits;
    std::string out;
    out.reserve(std::min(utf8.size(), 4 * budget) + kReplacement.size());
    std::size_t kept = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        std::size_t end = i + 1;
        while (end < utf8.size() && Utf16Units(static_cast<unsigned char>(utf8[end])) == 0) {
            ++end;  // the whole UTF-8 sequence
        }
        const std::size_t units =
            std::max<std::size_t>(Utf16Units(static_cast<unsigned char>(utf8[i])), 1);
        if (kept + units > budget) {
            break;  // a character beyond the basic plane is never split in two
        }
        kept += units;
        if (CellControl(utf8[i])) {
            out += kReplacement;
        } else {
            out.append(utf8, i, end - i);
        }
        i = end;
    }
    if (total > kXlsxMaxCellUnits) {
        out += marker(total - kept);
        if (cut != nullptr) {
            *cut = true;
        }
    }
    return out;
}

XlsxFile::XlsxFile() = default;

XlsxFile::~XlsxFile() {
    if (book_) {
        book_.reset();
        std::remove(temporary_.c_str());
    }
}

platform::Status XlsxFile::Start(const std::string& path, const std::string& sheetName,
                                 const std::vector<std::string>& headers) {
    if (book_) {
        return platform::Failure("a workbook is being written already");
    }
    path_ = path;
    temporary_ = path + ".part-" + std::to_string(::getpid());
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;  // rows go to disk as they come
    options.use_zip64 = LXW_TRUE;
    auto book = std::make_unique<Book>();
    book->workbook = workbook_new_opt(temporary_.c_str(), &options);
    if (book->workbook == nullptr) {
        return platform::Failure(path + ": the workbook cannot be made");
    }
    // Giving the workbook up closes it, which writes the temporary file: removed again.
    const auto giveUp = [&](std::string why) {
        book.reset();
        std::remove(temporary_.c_str());
        return platform::Failure(std::move(why));
    };
    const std::string name = SheetName(sheetName, "Results");
    book->sheet = workbook_add_worksheet(book->workbook, name.c_str());
    if (book->sheet == nullptr) {
        return giveUp(path + ": the sheet cannot be made");
    }
    book->bold = workbook_add_format(book->workbook);
    format_set_bold(book->bold);
    book->columns = headers.size();
    widths_.assign(headers.size(), 0);
    for (std::size_t c = 0; c < headers.size(); ++c) {
        const std::string text = XlsxCellText(headers[c]);
        widths_[c] = CharacterCount(text) + 2;  // room for the filter button
        const lxw_error result = worksheet_write_string(book->sheet, 0, static_cast<lxw_col_t>(c),
                                                        text.c_str(), book->bold);
        if (result != LXW_NO_ERROR) {
            return giveUp(path + ": " + LibraryError("header", result));
        }
    }
    worksheet_freeze_panes(book->sheet, 1, 0);
    book_ = std::move(book);
    rows_ = 0;
    return {};
}

platform::Status XlsxFile::AddRow(const std::vector<std::string>& cells) {
    if (!book_) {
        return platform::Failure("no workbook is being written");
    }
    if (rows_ >= kXlsxMaxRows) {
        return platform::Failure(path_ + ": more rows than a sheet holds (" +
                                 std::to_string(kXlsxMaxRows) + ")");
    }
    const auto row = static_cast<lxw_row_t>(rows_ + 1);
    const std::size_t count = std::min(cells.size(), book_->columns);
    for (std::size_t c = 0; c < count; ++c) {
        if (cells[c].empty()) {
            continue;
        }
        bool cut = false;
        const std::string text = XlsxCellText(cells[c], &cut);
        cutCells_ += cut ? 1 : 0;
        widths_[c] = std::max(widths_[c], CharacterCount(text));
        const lxw_error result = worksheet_write_string(
            book_->sheet, row, static_cast<lxw_col_t>(c), text.c_str(), nullptr);
        if (result != LXW_NO_ERROR) {
            return platform::Failure(path_ + ": " + LibraryError("row", result));
        }
    }
    ++rows_;
    return {};
}

void XlsxFile::AddSummary(std::string caption, std::string value) {
    summary_.emplace_back(std::move(caption), std::move(value));
}

platform::Status XlsxFile::Finish() {
    if (!book_) {
        return platform::Failure("no workbook is being written");
    }
    Book& book = *book_;
    for (std::size_t c = 0; c < book.columns; ++c) {
        const double width = std::clamp(static_cast<double>(widths_[c]) + 1, kMinWidth, kMaxWidth);
        worksheet_set_column(book.sheet, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c),
                             width, nullptr);
    }
    if (book.columns > 0) {
        worksheet_autofilter(book.sheet, 0, 0, static_cast<lxw_row_t>(rows_),
                             static_cast<lxw_col_t>(book.columns - 1));
    }
    lxw_worksheet* summary = workbook_add_worksheet(book.workbook, "Summary");
    if (summary == nullptr) {
        return platform::Failure(path_ + ": the summary sheet cannot be made");
    }
    if (cutCells_ > 0) {
        summary_.emplace_back("Cells cut to 32,767 characters", std::to_string(cutCells_));
    }
    std::size_t captionWidth = 0;
    std::size_t valueWidth = 0;
    for (std::size_t i = 0; i < summary_.size(); ++i) {
        const std::string caption = XlsxCellText(summary_[i].first);
        const std::string value = XlsxCellText(summary_[i].second);
        captionWidth = std::max(captionWidth, CharacterCount(caption));
        valueWidth = std::max(valueWidth, CharacterCount(value));
        const auto row = static_cast<lxw_row_t>(i);
        worksheet_write_string(summary, row, 0, caption.c_str(), book.bold);
        worksheet_write_string(summary, row, 1, value.c_str(), nullptr);
    }
    worksheet_set_column(summary, 0, 0,
                         std::clamp(static_cast<double>(captionWidth) + 1, kMinWidth, kMaxWidth),
                         nullptr);
    worksheet_set_column(summary, 1, 1,
                         std::clamp(static_cast<double>(valueWidth) + 1, kMinWidth, kMaxWidth * 2),
                         nullptr);
    const lxw_error closed = workbook_close(book.workbook);
    book.workbook = nullptr;
    book_.reset();
    if (closed != LXW_NO_ERROR) {
        std::remove(temporary_.c_str());
        return platform::Failure(path_ + ": " + LibraryError("not written", closed));
    }
    if (std::rename(temporary_.c_str(), path_.c_str()) != 0) {
        std::remove(temporary_.c_str());
        return platform::Failure(path_ + ": the file cannot be put in place");
    }
    return {};
}

}  // namespace lookup
