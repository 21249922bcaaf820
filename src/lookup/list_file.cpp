#include "lookup/list_file.h"

#include <QCryptographicHash>

#include "platform/cp1251.h"
#include "platform/safe_file.h"

namespace lookup {
namespace {

bool IsAscii(std::string_view bytes) {
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::vector<LineSpan> SplitLines(std::string_view bytes) {
    std::vector<LineSpan> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.push_back({bytes.substr(start), {}});
            break;
        }
        const bool crlf = bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n';
        const std::size_t endSize = crlf ? 2 : 1;
        lines.push_back({bytes.substr(start, end - start), bytes.substr(end, endSize)});
        start = end + endSize;
    }
    return lines;
}

ListFile ParseListBytes(std::string_view bytes) {
    ListFile list;
    list.size = static_cast<qint64>(bytes.size());
    list.digest =
        QCryptographicHash::hash(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())),
                                 QCryptographicHash::Sha256)
            .toHex();
    const bool bom = bytes.substr(0, 3) == "\xEF\xBB\xBF";
    if (bom) {
        bytes.remove_prefix(3);
    }
    bool utf8Text = bom;  // some line is UTF-8 beyond ASCII
    std::vector<int> cp1251;
    int number = 0;
    for (const LineSpan& span : SplitLines(bytes)) {
        if (list.lineEnd.empty() && !span.end.empty()) {
            list.lineEnd = std::string(span.end);
        }
        ListLine line;
        line.number = ++number;
        line.bytes = std::string(span.text);
        line.cp1251 = !platform::IsValidUtf8(span.text);
        if (line.cp1251) {
            line.text = platform::FromCp1251(line.bytes);
            cp1251.push_back(line.number);
        } else {
            line.text =
                QString::fromUtf8(span.text.data(), static_cast<qsizetype>(span.text.size()));
            utf8Text = utf8Text || !IsAscii(span.text);
        }
        if (!line.text.isEmpty()) {
            list.lines.append(line.text);
        }
        list.entries.push_back(std::move(line));
    }
    if (utf8Text) {
        list.cp1251Lines = std::move(cp1251);
    }
    if (list.lineEnd.empty()) {
        list.lineEnd = "\r\n";
    }
    return list;
}

QStringList SplitListText(std::string_view bytes) {
    return ParseListBytes(bytes).lines;
}

ListFile ReadListFile(const QString& path) {
    const platform::FileBytes file = platform::ReadRegularFile(path, kMaxListFileBytes);
    if (!file.ok()) {
        ListFile list;
        list.error = file.error;
        return list;
    }
    return ParseListBytes(
        std::string_view(file.bytes.constData(), static_cast<std::size_t>(file.bytes.size())));
}

std::string Cp1251LinesNote(const std::vector<int>& numbers) {
    if (numbers.empty()) {
        return {};
    }
    std::string text = numbers.size() == 1 ? "line " : "lines ";
    constexpr std::size_t kShown = 20;
    for (std::size_t i = 0; i < numbers.size() && i < kShown; ++i) {
        text += (i == 0 ? "" : ", ") + std::to_string(numbers[i]);
    }
    if (numbers.size() > kShown) {
        text += " and " + std::to_string(numbers.size() - kShown) + " more";
    }
    return text;
}

}  // namespace lookup
