#include "window/xlsx_export.h"

#include <set>
#include <string>

#include "lists/xlsx_file.h"
#include "platform/cp1251.h"
#include "platform/result.h"
#include "window/file_time.h"

namespace window {
namespace {

std::string Utf8(const QString& text) {
    return text.toStdString();
}

// The captions of the file are fixed, as the CSV export's are: a file reads the same
// whatever language the window speaks.
std::vector<std::string> HeadersOf(const QString& language, const QStringList& convertedCaptions) {
    const auto& fields = lookup::FirmFields();
    std::vector<std::string> headers{"kind", "Запрос", "Текст"};
    for (const lookup::FirmField& field : fields) {
        headers.emplace_back(field.csvHeader);
    }
    headers.push_back(Utf8(language));
    for (std::size_t i = 0; i < fields.size(); ++i) {
        headers.push_back(Utf8(convertedCaptions.value(static_cast<qsizetype>(i))));
    }
    return headers;
}

// The cells of one row, in the order of HeadersOf.
void CellsOf(const ExportRow& row, std::vector<std::string>& cells) {
    const auto& fields = lookup::FirmFields();
    cells.clear();
    cells.emplace_back(RowKindName(row.kind));
    cells.push_back(Utf8(row.queryText));
    cells.push_back(Utf8(row.text));
    for (const lookup::FirmField& field : fields) {
        cells.push_back(row.firm != nullptr ? Utf8(platform::FromCp1251(row.firm->*field.member))
                                            : std::string());
    }
    cells.push_back(Utf8(row.convertedText));
    for (std::size_t i = 0; i < fields.size(); ++i) {
        cells.push_back(Utf8(row.convertedFields.value(static_cast<qsizetype>(i))));
    }
}

// What the summary sheet counts of the rows written.
struct RowTally {
    std::set<QString> queries;
    int firms = 0;
    int messages = 0;
    int failed = 0;
    int skipped = 0;

    void Add(const ExportRow& row) {
        queries.insert(row.queryText);
        firms += row.kind == RowKind::Firm ? 1 : 0;
        messages += row.kind == RowKind::Message ? 1 : 0;
        failed += row.kind == RowKind::Failed ? 1 : 0;
        skipped += row.kind == RowKind::Skipped ? 1 : 0;
    }
};

void AddSummary(lookup::XlsxFile& file, const XlsxRunSummary& summary, const RowTally& tally,
                std::size_t rows) {
    file.AddSummary("Service", Utf8(summary.service));
    if (!summary.checkedAt.isEmpty()) {
        file.AddSummary("Checked at", Utf8(FileTimeText(summary.checkedAt)));
    }
    file.AddSummary("Exported at", Utf8(FileTimeText(summary.exportedAt)));
    file.AddSummary("Queries", std::to_string(tally.queries.size()));
    file.AddSummary("Rows", std::to_string(rows));
    file.AddSummary("Firms", std::to_string(tally.firms));
    file.AddSummary("Messages", std::to_string(tally.messages));
    file.AddSummary("Failed", std::to_string(tally.failed));
    file.AddSummary("Skipped", std::to_string(tally.skipped));
    std::string digest = Utf8(summary.digest);
    if (digest.empty()) {
        digest = summary.notRecordedWhy.isEmpty() ? std::string("not recorded")
                                                  : "not recorded: " + Utf8(summary.notRecordedWhy);
    }
    file.AddSummary("Archive record digest (SHA-256)", digest);
    if (!summary.archiveHead.isEmpty()) {
        file.AddSummary("Archive head", Utf8(summary.archiveHead));
    }
}

}  // namespace

QString WriteResultsXlsx(const QString& path, const std::vector<ExportRow>& rows,
                         const QString& language, const QStringList& convertedCaptions,
                         const XlsxRunSummary& summary) {
    const std::vector<std::string> headers = HeadersOf(language, convertedCaptions);
    lookup::XlsxFile file;
    if (const platform::Status started = file.Start(path.toStdString(), "Results", headers);
        !started) {
        return QString::fromStdString(started.error());
    }
    RowTally tally;
    std::vector<std::string> cells;
    cells.reserve(headers.size());
    for (const ExportRow& row : rows) {
        tally.Add(row);
        CellsOf(row, cells);
        if (const platform::Status added = file.AddRow(cells); !added) {
            return QString::fromStdString(added.error());
        }
    }
    AddSummary(file, summary, tally, rows.size());
    const platform::Status finished = file.Finish();
    return finished ? QString() : QString::fromStdString(finished.error());
}

}  // namespace window
