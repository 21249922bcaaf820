#include "lists/results_file.h"

#include "pages/service_messages.h"
#include "platform/cp1251.h"

namespace lookup {
namespace {

// The ten labels in table order, as Windows-1251.
const std::vector<std::string>& Labels() {
    static const std::vector<std::string> labels = [] {
        std::vector<std::string> out;
        for (const FirmField& field : FirmFields())
            out.push_back(platform::Utf8ToCp1251(field.fileLabel));
        return out;
    }();
    return labels;
}

// A value's line breaks (CR LF, CR or LF) become one space each: a value must not
// start a line or a block of its own in the file.
void AppendValue(std::string& out, const std::string& value) {
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c == '\r' || c == '\n') {
            out += ' ';
            if (c == '\r' && i + 1 < value.size() && value[i + 1] == '\n')
                ++i;
        } else {
            out += c;
        }
    }
}

void AppendLine(std::string& out, const std::string& label, const std::string& value = {}) {
    out += label;
    AppendValue(out, value);
    out += "\r\n";
}

}  // namespace

std::string ResultsFileBytes(const std::vector<ResultEntry>& entries) {
    const auto& label = Labels();
    const auto& fields = FirmFields();
    std::string out;
    for (const ResultEntry& e : entries) {
        if (IsServiceMessageText(e.firmText))
            continue;
        out += '[';
        AppendValue(out, e.queryText);
        out += "]\r\n";
        for (size_t i = 0; i < fields.size(); ++i)
            AppendLine(out, label[i], e.firm.*fields[i].member);
        AppendLine(out, {});
    }
    return out;
}

QString EnabledFileName(const QString& path) {
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    const QString suffix = QStringLiteral("_enabled.txt");
    if (dot < 0 || dot < slash)
        return path + suffix;
    return path.left(dot) + suffix;
}

}  // namespace lookup
