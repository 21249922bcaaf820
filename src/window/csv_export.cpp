#include "window/csv_export.h"

#include <QByteArray>
#include <QString>
#include <string_view>

#include "platform/cp1251.h"

namespace window {
namespace {

// A field is quoted, its quotes doubled, when it holds the separator, a quote or a
// line break; everything else goes out as it is. A value starting with a character
// that makes a spreadsheet read the cell as a formula (= + - @, TAB, CR) gets an
// apostrophe in front: the values come from the network and must not run.
void AppendField(std::string& out, std::string utf8) {
    if (!utf8.empty() &&
        std::string_view("=+-@\t\r").find(utf8.front()) != std::string_view::npos) {
        utf8.insert(utf8.begin(), '\'');
    }
    if (utf8.find_first_of(";\"\r\n") == std::string::npos) {
        out += utf8;
        return;
    }
    out += '"';
    for (char c : utf8) {
        if (c == '"') {
            out += '"';
        }
        out += c;
    }
    out += '"';
}

void AppendCp1251Field(std::string& out, const std::string& cp1251) {
    const QByteArray utf8 = platform::FromCp1251(cp1251).toUtf8();
    AppendField(out, std::string(utf8.constData(), static_cast<size_t>(utf8.size())));
}

void AppendText(std::string& out, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    AppendField(out, std::string(utf8.constData(), static_cast<size_t>(utf8.size())));
}

}  // namespace

std::string CsvBytes(const std::vector<ExportRow>& rows, const QString& language,
                     const QStringList& convertedCaptions) {
    const auto& fields = lookup::FirmFields();
    std::string out = "\xEF\xBB\xBF";
    out += "kind;Запрос;Текст";
    for (const lookup::FirmField& field : fields) {
        out += ';';
        out += field.csvHeader;
    }
    out += ';';
    AppendText(out, language);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        out += ';';
        AppendText(out, convertedCaptions.value(static_cast<qsizetype>(i)));
    }
    out += "\r\n";
    for (const ExportRow& row : rows) {
        out += RowKindName(row.kind);
        out += ';';
        AppendText(out, row.queryText);
        out += ';';
        AppendText(out, row.text);
        for (const lookup::FirmField& field : fields) {
            out += ';';
            if (row.firm != nullptr) {
                AppendCp1251Field(out, row.firm->*field.member);
            }
        }
        out += ';';
        AppendText(out, row.convertedText);
        for (std::size_t i = 0; i < fields.size(); ++i) {
            out += ';';
            AppendText(out, row.convertedFields.value(static_cast<qsizetype>(i)));
        }
        out += "\r\n";
    }
    return out;
}

}  // namespace window
