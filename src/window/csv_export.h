// "Export": every row of the results tree as one row of a CSV file that spreadsheet
// programs set to Russian open correctly (UTF-8 with a byte-order mark, ';').
#pragma once

#include <QString>
#include <QStringList>
#include <string>
#include <vector>

#include "pages/records.h"
#include "window/results_model.h"

namespace window {

// One row of the tree under its query, with the right pane's texts for it.
struct ExportRow {
    RowKind kind = RowKind::Firm;
    QString queryText;                         // the query row's text as shown on the left
    QString text;                              // the row's own text as shown on the left
    const lookup::FirmRecord* firm = nullptr;  // firm rows only; fields Windows-1251
    QString convertedText;                     // the row's text in the right pane
    QStringList convertedFields;               // the ten fields converted; firm rows only
};

// A header row, then per row: its kind ("firm", "message", "failed", "skipped"), the
// query text, the row text and the ten fields in page order (name, address, OGRN, GRN,
// INN, KPP, date, authority, authority's address, region), then the right pane's
// columns: the converted row text under the pane language's name and the converted
// fields under convertedCaptions (the right detail list's captions).
std::string CsvBytes(const std::vector<ExportRow>& rows, const QString& language,
                     const QStringList& convertedCaptions);

}  // namespace window
