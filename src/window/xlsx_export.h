// "Export to Excel...": the rows of the CSV export as a spreadsheet workbook, every
// cell text, and a second sheet summing the run up.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "window/csv_export.h"

namespace window {

// What the summary sheet says besides the counts.
struct XlsxRunSummary {
    QString service;         // the service address asked
    QString checkedAt;       // when the register answered; empty: not known
    QString exportedAt;      // when the file was written
    QString digest;          // the archive record's digest of the check shown; empty: none
    QString notRecordedWhy;  // with no digest, why (ExportEvidence::why); may be empty
    // The archive's head (its latest record's chain digest); empty: not known, and the
    // line is left out.
    QString archiveHead;
};

// Writes rows to path as the CSV export lays them out (kind, query, text, the ten
// fields, the converted text and fields under language and convertedCaptions); the
// error's text when it cannot, else empty. The file is whole or not there.
QString WriteResultsXlsx(const QString& path, const std::vector<ExportRow>& rows,
                         const QString& language, const QStringList& convertedCaptions,
                         const XlsxRunSummary& summary);

}  // namespace window
