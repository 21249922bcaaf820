// The PDF report read as a reader sees it: rendered by poppler's tools, its words are
// body-sized, its text fills the page within its margins, every firm's INN is found by
// text search, and a report longer than a page repeats its table header and numbers
// its pages.
#include <QImage>
#include <QLocale>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <vector>

#include "pages/records.h"
#include "platform/cp1251.h"
#include "window/report_pdf.h"

namespace {

// Runs a poppler tool; its standard output, or a failure naming what went wrong.
QByteArray Run(const QString& tool, const QStringList& arguments, QString* error) {
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty()) {
        *error = tool + QStringLiteral(" is missing (Debian: poppler-utils)");
        return {};
    }
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        *error =
            tool + QStringLiteral(" failed: ") + QString::fromUtf8(process.readAllStandardError());
        return {};
    }
    return process.readAllStandardOutput();
}

struct Word {
    int page = 0;
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
    QString text;
};

// The words pdftotext -bbox finds, with their boxes in points from the page's top left.
std::vector<Word> Words(const QByteArray& html, double* pageWidth, double* pageHeight) {
    std::vector<Word> words;
    static const QRegularExpression page(
        QStringLiteral("<page width=\"([\\d.]+)\" height=\"([\\d.]+)\">"));
    static const QRegularExpression word(QStringLiteral(
        "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)"
        "</word>|<page "));
    const QString text = QString::fromUtf8(html);
    const QRegularExpressionMatch size = page.match(text);
    *pageWidth = size.captured(1).toDouble();
    *pageHeight = size.captured(2).toDouble();
    int pages = 0;
    auto it = word.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        if (m.captured(1).isEmpty()) {
            ++pages;
            continue;
        }
        words.push_back({pages, m.captured(1).toDouble(), m.captured(2).toDouble(),
                         m.captured(3).toDouble(), m.captured(4).toDouble(), m.captured(5)});
    }
    return words;
}

// A firm whose authority and address are longer than any column.
lookup::FirmRecord Firm(int n) {
    lookup::FirmRecord firm;
    firm.name = platform::ToCp1251(QStringLiteral("ООО \"ФИРМА %1\"").arg(n));
    firm.address = platform::ToCp1251(
        QStringLiteral("191%1, г. Санкт-Петербург, наб. реки Фонтанки, д. %1, литер А, "
                       "помещение 12-Н, комната %1")
            .arg(n, 3, 10, QLatin1Char('0')));
    firm.ogrn = QStringLiteral("1027800%1").arg(n, 6, 10, QLatin1Char('0')).toStdString();
    firm.inn = QStringLiteral("78010%1").arg(n, 5, 10, QLatin1Char('0')).toStdString();
    firm.kpp = "780101001";
    firm.date = "01.02.2003";
    firm.authority = platform::ToCp1251(QStringLiteral(
        "Межрайонная инспекция Федеральной налоговой службы № 15 по Санкт-Петербургу"));
    return firm;
}

}  // namespace

class ReportPdfTest : public QObject {
    Q_OBJECT

  private slots:
    // The program's default locale is Russian whatever the user's is.
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }

    void reportReadsLikeADocument() {
        std::vector<lookup::FirmRecord> firms;
        for (int n = 0; n < 12; ++n) {
            firms.push_back(Firm(n));
        }
        window::ReportContent content;
        content.checkedAt = QStringLiteral("2026-03-04 05:06:07");
        content.service = QStringLiteral("http://register.example");
        content.criteria = QStringLiteral("Фирма — name: Фирма");
        content.language = QStringLiteral("English");
        content.digest = QString(64, QLatin1Char('a'));
        for (const lookup::FirmRecord& firm : firms) {
            window::ExportRow row;
            row.queryText = QStringLiteral("Фирма");
            row.text = platform::FromCp1251(firm.name);
            row.firm = &firm;
            row.convertedText = QStringLiteral("OOO \"FIRMA\"");
            for (int i = 0; i < 10; ++i) {
                row.convertedFields << QStringLiteral("converted %1").arg(i);
            }
            content.rows.push_back(row);
        }
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("report.pdf"));
        QVERIFY(window::WriteReportPdf(path, content).isEmpty());

        QString error;
        const QByteArray bbox = Run(QStringLiteral("pdftotext"),
                                    {QStringLiteral("-bbox"), path, QStringLiteral("-")}, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        double width = 0;
        double height = 0;
        const std::vector<Word> words = Words(bbox, &width, &height);
        QVERIFY(words.size() > 200);
        // A4 in points; Letter where the locale measures in inches.
        const bool letter = qgetenv("VENDRAKE_EXPECT_PAGE") == "letter";
        const double expectedWidth = letter ? 612 : 595;
        const double expectedHeight = letter ? 792 : 842;
        QVERIFY2(qAbs(width - expectedWidth) < 2 && qAbs(height - expectedHeight) < 2,
                 qPrintable(QStringLiteral("%1 x %2").arg(width).arg(height)));

        // Body words 9 to 11 pt: their boxes (ascent to descent) 10 to 15 pt high.
        std::vector<double> heights;
        for (const Word& w : words) {
            heights.push_back(w.yMax - w.yMin);
        }
        std::sort(heights.begin(), heights.end());
        const double median = heights[heights.size() / 2];
        QVERIFY2(median >= 10 && median <= 15, qPrintable(QString::number(median)));

        // Within margins of about 2 cm (57 pt) and filling the page between them.
        const double cm = 72 / 2.54;
        double left = width, right = 0, top = height, bottom = 0;
        for (const Word& w : words) {
            if (w.page == 1) {
                left = std::min(left, w.xMin);
                right = std::max(right, w.xMax);
                top = std::min(top, w.yMin);
                bottom = std::max(bottom, w.yMax);
            }
        }
        QVERIFY2(left >= 1.5 * cm && left <= 2.5 * cm, qPrintable(QString::number(left)));
        QVERIFY2(top >= 1.5 * cm && top <= 2.5 * cm, qPrintable(QString::number(top)));
        QVERIFY2(bottom <= height - 1.5 * cm && bottom >= height - 3 * cm,
                 qPrintable(QString::number(bottom)));
        QVERIFY2(right >= width - 3 * cm && right <= width - 1.5 * cm,
                 qPrintable(QString::number(right)));

        // Rendered, the first page's ink covers its body, not a strip at the top.
        const QString image = dir.filePath(QStringLiteral("page"));
        Run(QStringLiteral("pdftoppm"),
            {QStringLiteral("-r"), QStringLiteral("36"), QStringLiteral("-gray"),
             QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"),
             QStringLiteral("-singlefile"), path, image},
            &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        const QImage page(image + QStringLiteral(".pgm"));
        QVERIFY(!page.isNull());
        // Bands a line high: nearly all of those between the margins hold ink.
        const int band = 6;
        int bands = 0;
        int inked = 0;
        for (int y = page.height() / 8; y + band <= page.height() * 7 / 8; y += band) {
            ++bands;
            bool ink = false;
            for (int row = y; row < y + band && !ink; ++row) {
                for (int x = 0; x < page.width() && !ink; ++x) {
                    ink = qGray(page.pixel(x, row)) < 128;
                }
            }
            inked += ink ? 1 : 0;
        }
        QVERIFY2(inked * 10 >= bands * 9,
                 qPrintable(QStringLiteral("%1 of %2").arg(inked).arg(bands)));

        // Every INN is found by text search; each page repeats the table header and
        // says its number.
        const QString text =
            QString::fromUtf8(Run(QStringLiteral("pdftotext"),
                                  {QStringLiteral("-layout"), path, QStringLiteral("-")}, &error));
        for (const lookup::FirmRecord& firm : firms) {
            QVERIFY2(text.contains(QString::fromStdString(firm.inn)), firm.inn.c_str());
        }
        QVERIFY(text.contains(QStringLiteral("Межрайонная")));
        QVERIFY(QString(text)
                    .remove(QRegularExpression(QStringLiteral("\\s")))
                    .contains(content.digest));
        const QStringList pages = text.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
        QVERIFY2(pages.size() >= 3, qPrintable(QString::number(pages.size())));
        for (int n = 0; n < pages.size(); ++n) {
            QVERIFY2(pages[n].contains(QStringLiteral("As received")), qPrintable(pages[n]));
            QVERIFY2(
                pages[n].contains(QStringLiteral("Page %1 of %2").arg(n + 1).arg(pages.size())),
                qPrintable(pages[n]));
        }
    }
};

QTEST_MAIN(ReportPdfTest)
#include "report_pdf_test.moc"
