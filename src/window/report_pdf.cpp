#include "window/report_pdf.h"

#include <QBuffer>
#include <QByteArray>
#include <QCoreApplication>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>

#include "lookup/records.h"
#include "platform/cp1251.h"
#include "platform/safe_file.h"

namespace window {
namespace {

QString Tr(const char* text) {
    return QCoreApplication::translate("window::ReportPdf", text);
}

QString Cell(const QString& text) {
    return QStringLiteral("<td>") + text.toHtmlEscaped() + QStringLiteral("</td>");
}

QString HeaderRow(const QString& caption, const QString& value) {
    return QStringLiteral("<tr><th align=\"left\">") + caption.toHtmlEscaped() +
           QStringLiteral("</th>") + Cell(value) + QStringLiteral("</tr>");
}

// One row of the answer: a firm's fields side by side with their converted values, or
// a message, failure or skip with its converted text.
QString AnswerRow(const ExportRow& row, const QStringList& convertedCaptions) {
    QString html = QStringLiteral(
        "<table border=\"1\" cellspacing=\"0\" cellpadding=\"2\" "
        "width=\"100%\">");
    if (row.firm == nullptr) {
        html += QStringLiteral("<tr>") + Cell(row.text) + Cell(row.convertedText) +
                QStringLiteral("</tr></table><br/>");
        return html;
    }
    const auto& fields = lookup::FirmFields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const QString original = platform::FromCp1251(row.firm->*fields[i].member);
        const QString converted = static_cast<qsizetype>(i) < row.convertedFields.size()
                                      ? row.convertedFields[static_cast<qsizetype>(i)]
                                      : QString();
        const QString caption = static_cast<qsizetype>(i) < convertedCaptions.size()
                                    ? convertedCaptions[static_cast<qsizetype>(i)]
                                    : QString::fromUtf8(fields[i].englishCaption);
        html += QStringLiteral("<tr>") + Cell(QString::fromUtf8(fields[i].russianCaption)) +
                Cell(original) + Cell(caption) + Cell(converted) + QStringLiteral("</tr>");
    }
    return html + QStringLiteral("</table><br/>");
}

}  // namespace

std::unique_ptr<QTextDocument> ReportDocument(const ReportContent& content) {
    QString html =
        QStringLiteral("<h2>") +
        Tr(QT_TRANSLATE_NOOP("window::ReportPdf", "Register check report")).toHtmlEscaped() +
        QStringLiteral("</h2><table cellpadding=\"2\">");
    html += HeaderRow(Tr(QT_TRANSLATE_NOOP("window::ReportPdf", "Checked at")), content.checkedAt);
    html +=
        HeaderRow(Tr(QT_TRANSLATE_NOOP("window::ReportPdf", "Service address")), content.service);
    html += HeaderRow(Tr(QT_TRANSLATE_NOOP("window::ReportPdf", "Criteria")), content.criteria);
    html +=
        HeaderRow(Tr(QT_TRANSLATE_NOOP("window::ReportPdf", "Pane language")), content.language);
    html += HeaderRow(Tr(QT_TRANSLATE_NOOP("window::ReportPdf", "Archive record digest (SHA-256)")),
                      content.digest.isEmpty()
                          ? Tr(QT_TRANSLATE_NOOP("window::ReportPdf", "not recorded"))
                          : content.digest);
    html += QStringLiteral("</table><hr/>");
    QString query;
    for (const ExportRow& row : content.rows) {
        if (row.queryText != query) {
            query = row.queryText;
            html += QStringLiteral("<h3>") + query.toHtmlEscaped() + QStringLiteral("</h3>");
        }
        html += AnswerRow(row, content.convertedCaptions);
    }
    if (content.rows.empty()) {
        html += QStringLiteral("<p>") +
                Tr(QT_TRANSLATE_NOOP("window::ReportPdf", "No rows.")).toHtmlEscaped() +
                QStringLiteral("</p>");
    }
    auto document = std::make_unique<QTextDocument>();
    document->setHtml(html);
    return document;
}

QByteArray ReportPdfBytes(const ReportContent& content) {
    const std::unique_ptr<QTextDocument> document = ReportDocument(content);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setTitle(Tr(QT_TRANSLATE_NOOP("window::ReportPdf", "Register check report")));
        writer.setCreator(QStringLiteral("vendrake"));
        document->setPageSize(QSizeF(writer.width(), writer.height()));
        document->print(&writer);
    }
    return bytes;
}

// Written whole or not at all, never through a symbolic link.
QString WriteReportPdf(const QString& path, const ReportContent& content) {
    return platform::SaveFileAtomically(path, ReportPdfBytes(content));
}

}  // namespace window
