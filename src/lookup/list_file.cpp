#include "lookup/list_file.h"

#include "platform/cp1251.h"
#include "platform/safe_file.h"

namespace lookup {

QStringList SplitListText(std::string_view bytes) {
    const QString text = platform::DecodeUtf8OrCp1251(bytes);
    QStringList lines;
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i <= size; ++i) {
        const bool end = i == size;
        const QChar c = end ? QChar() : text.at(i);
        if (!end && c != QLatin1Char('\n') && c != QLatin1Char('\r'))
            continue;
        if (i > start)
            lines.append(text.mid(start, i - start));
        if (!end && c == QLatin1Char('\r') && i + 1 < size && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    return lines;
}

ListFile ReadListFile(const QString& path) {
    ListFile list;
    const platform::FileBytes file = platform::ReadRegularFile(path, kMaxListFileBytes);
    if (!file.ok()) {
        list.error = file.error;
        return list;
    }
    list.lines = SplitListText(
        std::string_view(file.bytes.constData(), static_cast<std::size_t>(file.bytes.size())));
    return list;
}

}  // namespace lookup
