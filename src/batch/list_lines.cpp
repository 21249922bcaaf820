#include "batch/list_lines.h"

#include "platform/cp1251.h"

namespace batch {

ListFile SplitListFile(std::string_view bytes) {
    ListFile out;
    const bool utf8 = platform::IsValidUtf8(bytes);
    if (utf8 && bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        bytes.remove_prefix(3);
    }
    std::size_t start = 0;
    int number = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", start);
        std::size_t next = bytes.size();
        std::string_view lineEnd;
        if (end == std::string_view::npos) {
            end = bytes.size();
        } else {
            const bool crlf =
                bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n';
            lineEnd = bytes.substr(end, crlf ? 2 : 1);
            next = end + lineEnd.size();
        }
        if (out.lineEnd.empty() && !lineEnd.empty()) {
            out.lineEnd = std::string(lineEnd);
        }
        ListLine line;
        line.number = ++number;
        line.bytes = std::string(bytes.substr(start, end - start));
        line.text = utf8 ? platform::ToCp1251(QString::fromUtf8(
                               line.bytes.data(), static_cast<qsizetype>(line.bytes.size())))
                         : line.bytes;
        out.lines.push_back(std::move(line));
        start = next;
    }
    if (out.lineEnd.empty()) {
        out.lineEnd = "\r\n";
    }
    return out;
}

}  // namespace batch
