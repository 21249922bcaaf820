#include "window/report_pdf.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QByteArray>
#include <QCoreApplication>
#include <QFont>
#include <QFontMetricsF>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>

#include "pages/records.h"
#include "platform/cp1251.h"
#include "platform/safe_file.h"
#include "window/file_time.h"
#include "window/shown_texts.h"

namespace window {
namespace {

// Body text size, page margins and the resolution the report is laid out at.
constexpr qreal kBodyPoints = 10;
constexpr qreal kMarginMillimetres = 20;
constexpr int kResolution = 300;

QString Tr(const char* text) {
    return QCoreApplication::translate("window::ReportPdf", text);
}

QString Cell(const QString& text, const char* tag = "td") {
    return QStringLiteral("<%1>").arg(QLatin1String(tag)) + text.toHtmlEscaped() +
           QStringLiteral("</%1>").arg(QLatin1String(tag));
}

QString HeaderRow(const QString& caption, const QString& value) {
    return QStringLiteral("<tr><th align=\"left\">") + caption.toHtmlEscaped() +
           QStringLiteral("</th>") + Cell(value) + QStringLiteral("</tr>");
}

// The rows of one answer row: a firm's ten fields, each with its value as received and
// converted side by side, or a message, failure or skip with its converted text.
QString AnswerRows(const ExportRow& row, const QStringList& convertedCaptions) {
    if (row.firm == nullptr) {
        return QStringLiteral("<tr>") +
               Cell(Tr(QT_TRANSLATE_NOOP("window::ReportPdf", "Message"))) + Cell(row.text) +
               Cell(QString()) + Cell(row.convertedText) + QStringLiteral("</tr>");
    }
    QString html = QStringLiteral("<tr><td colspan=\"4\" bgcolor=\"#e8e8e8\"><b>") +
                   row.text.toHtmlEscaped() + QStringLiteral("</b></td></tr>");
    const auto& fields = lookup::FirmFields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const auto at = static_cast<qsizetype>(i);
        const QString original = platform::FromCp1251(row.firm->*fields[i].member);
        const QString caption = at < convertedCaptions.size()
                                    ? convertedCaptions[at]
                                    : QString::fromUtf8(fields[i].englishCaption);
        html += QStringLiteral("<tr>") + Cell(QString::fromUtf8(fields[i].russianCaption)) +
                Cell(original) + Cell(caption) + Cell(row.convertedFields.value(at)) +
                QStringLiteral("</tr>");
    }
    return html;
}

// One table per query; its header row repeats at the top of every page it runs on.
QString QueryTable(const QString& language) {
    const QString converted =
        language.isEmpty() ? Tr(QT_TRANSLATE_NOOP("window::ReportPdf", "Converted")) : language;
    return QStringLiteral(
               "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\" "
               "style=\"border-collapse: collapse\"><thead><tr bgcolor=\"#d0d0d0\">") +
           Cell(Tr(QT_TRANSLATE_NOOP("window::ReportPdf", "Field")), "th") +
           Cell(Tr(QT_TRANSLATE_NOOP("window::ReportPdf", "As received")), "th") +
           Cell(Tr(QT_TRANSLATE_NOOP("window::ReportPdf", "Field")), "th") + Cell(converted, "th") +
           QStringLiteral("</tr></thead>");
}

// Letter where the user's locale measures in inches, A4 elsewhere; the system's locale,
// since the program's default locale need not be the user's.
QPageSize LocalePageSize() {
    return QLocale::system().measurementSystem() == QLocale::ImperialUSSystem
               ? QPageSize(QPageSize::Letter)
               : QPageSize(QPageSize::A4);
}

}  // namespace

std::unique_ptr<QTextDocument> ReportDocument(const ReportContent& content) {
    QString html =
        QStringLiteral("<h2>") +
        Tr(QT_TRANSLATE_NOOP("window::ReportPdf", "Register check report")).toHtmlEscaped() +
        QStringLiteral("</h2><table cellpadding=\"2\">");
    html += HeaderRow(Tr(QT_TRANSLATE_NOOP("window::ReportPdf", "Criteria")), content.criteria);
    html += HeaderRow(Tr(QT_TRANSLATE_NOOP("window::ReportPdf", "Checked at")),
                      FileTimeText(content.checkedAt));
    html +=
        HeaderRow(Tr(QT_TRANSLATE_NOOP("window::ReportPdf", "Service address")), content.service);
    html +=
        HeaderRow(Tr(QT_TRANSLATE_NOOP("window::ReportPdf", "Pane language")), content.language);
    html += HeaderRow(Tr(QT_TRANSLATE_NOOP("window::ReportPdf", "Archive record digest (SHA-256)")),
                      content.digest.isEmpty()
                          ? Tr(QT_TRANSLATE_NOOP("window::ReportPdf", "not recorded"))
                          : content.digest);
    if (!content.archiveHead.isEmpty()) {
        html += HeaderRow(Tr(QT_TRANSLATE_NOOP("window::ReportPdf", "Archive head")),
                          content.archiveHead);
    }
    if (!content.stamp.isEmpty()) {
        html += HeaderRow(Tr(QT_TRANSLATE_NOOP("window::ReportPdf", "Time stamp")), content.stamp);
    }
    html += QStringLiteral("</table>");
    if (!content.screening.isEmpty()) {
        html += QStringLiteral("<h3>") +
                Tr(QT_TRANSLATE_NOOP("window::ReportPdf", "Screening")).toHtmlEscaped() +
                QStringLiteral("</h3><ul>");
        for (const QString& line : content.screening) {
            html += QStringLiteral("<li>") + line.toHtmlEscaped() + QStringLiteral("</li>");
        }
        html += QStringLiteral("</ul>");
    }
    QString query;
    bool open = false;
    for (const ExportRow& row : content.rows) {
        if (!open || row.queryText != query) {
            if (open) {
                html += QStringLiteral("</table>");
            }
            query = row.queryText;
            html += QStringLiteral("<h3>") + ShownQueryText(query).toHtmlEscaped() +
                    QStringLiteral("</h3>") + QueryTable(content.language);
            open = true;
        }
        html += AnswerRows(row, content.convertedCaptions);
    }
    if (open) {
        html += QStringLiteral("</table>");
    } else {
        html += QStringLiteral("<p>") +
                Tr(QT_TRANSLATE_NOOP("window::ReportPdf", "No rows.")).toHtmlEscaped() +
                QStringLiteral("</p>");
    }
    auto document = std::make_unique<QTextDocument>();
    QFont body = document->defaultFont();
    body.setPointSizeF(kBodyPoints);
    document->setDefaultFont(body);
    document->setHtml(html);
    return document;
}

// The document is laid out for the PDF itself, so that its point sizes are points on
// paper, and painted a page at a time with "Page N of M" under each page's body.
QByteArray ReportPdfBytes(const ReportContent& content) {
    const std::unique_ptr<QTextDocument> document = ReportDocument(content);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kResolution);
        writer.setPageLayout(QPageLayout(LocalePageSize(), QPageLayout::Portrait,
                                         QMarginsF(kMarginMillimetres, kMarginMillimetres,
                                                   kMarginMillimetres, kMarginMillimetres),
                                         QPageLayout::Millimeter));
        writer.setTitle(Tr(QT_TRANSLATE_NOOP("window::ReportPdf", "Register check report")));
        writer.setCreator(QStringLiteral("vendrake"));
        document->documentLayout()->setPaintDevice(&writer);
        QFont footerFont = document->defaultFont();
        footerFont.setPointSizeF(kBodyPoints - 1);
        const QFontMetricsF footerMetrics(footerFont, &writer);
        const qreal footer = footerMetrics.height() * 2;
        const QSizeF body(writer.width(), writer.height() - footer);
        document->setPageSize(body);
        const int pages = document->pageCount();
        QPainter painter(&writer);
        for (int page = 0; page < pages; ++page) {
            if (page > 0) {
                writer.newPage();
            }
            const QRectF shown(0, page * body.height(), body.width(), body.height());
            painter.save();
            painter.translate(0, -shown.top());
            document->drawContents(&painter, shown);
            painter.restore();
            painter.setFont(footerFont);
            painter.drawText(QRectF(0, body.height(), body.width(), footer),
                             Qt::AlignRight | Qt::AlignBottom,
                             Tr(QT_TRANSLATE_NOOP("window::ReportPdf", "Page %1 of %2"))
                                 .arg(page + 1)
                                 .arg(pages));
        }
    }
    return bytes;
}

// Written whole or not at all, never through a symbolic link.
QString WriteReportPdf(const QString& path, const ReportContent& content) {
    return platform::SaveFileAtomically(path, ReportPdfBytes(content));
}

}  // namespace window
