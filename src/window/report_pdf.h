// The evidence report of a check: when and where the register was asked, what was
// asked, every row of the answer as the register gave it and in the pane's language,
// and the archive record's digest, written as a PDF.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "window/csv_export.h"

class QTextDocument;

namespace window {

struct ReportContent {
    QString checkedAt;  // when the register answered, as shown
    QString service;    // the service address asked
    QString criteria;   // what was asked
    QString language;   // the pane's language
    QString digest;     // the archive record's digest; empty: not recorded
    // The archive's head (its latest record's chain digest) when the report is written;
    // empty: not known, and the report leaves the line out.
    QString archiveHead;
    // The time stamp that covers the record: who stamped it and when, or only where the
    // token came from when no CA certificates vouch for it; empty: the line is left out.
    QString stamp;
    // The list versions screened against (name, version, digest), then each match of a
    // firm shown; empty when no list is loaded, and the section is left out.
    QStringList screening;
    std::vector<ExportRow> rows;
    QStringList convertedCaptions;  // the ten field captions in the pane's language
};

// The report as a document (its plain text holds every value).
std::unique_ptr<QTextDocument> ReportDocument(const ReportContent& content);

// The report as PDF bytes: A4 (Letter where the locale measures in inches), 2 cm
// margins, 10 pt text, a table per query whose header row repeats on every page, and
// page numbers.
QByteArray ReportPdfBytes(const ReportContent& content);

// Writes the report to path; the error's text when it cannot, else empty.
QString WriteReportPdf(const QString& path, const ReportContent& content);

}  // namespace window
