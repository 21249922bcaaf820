// The two halves of benchmarks/batch_xlsx_export.py, run as separate processes so that
// the export's time and peak memory are its own:
//
//   batch_xlsx_export rows FILE FIRMS   writes the kept rows of an xlsx run whose lines
//                                       found FIRMS firms (ten a line), as vendrake-batch
//                                       writes them
//   batch_xlsx_export book FILE OUT     builds the workbook OUT from them
#include <QCoreApplication>
#include <QString>
#include <iostream>
#include <string>

#include "batch/line_spool.h"
#include "batch/results_writer.h"
#include "batch/xlsx_results.h"
#include "platform/cp1251.h"

namespace {

std::string Cp1251(const std::string& utf8) {
    return platform::ToCp1251(QString::fromStdString(utf8));
}

int MakeRows(const QString& path, int firms) {
    batch::ResultsWriter writer(batch::OutputFormat::Xlsx, "register.example", nullptr);
    if (const auto opened = writer.Open(path, 0); !opened) {
        std::cerr << opened.error().why << "\n";
        return 1;
    }
    const int perLine = 10;
    for (int line = 1; line <= (firms + perLine - 1) / perLine; ++line) {
        batch::LineSpool spool;
        for (int i = 0; i < perLine && (line - 1) * perLine + i < firms; ++i) {
            const int n = (line - 1) * perLine + i;
            lookup::FirmRecord f;
            f.name = Cp1251("ОБЩЕСТВО С ОГРАНИЧЕННОЙ ОТВЕТСТВЕННОСТЬЮ \"РОМАШКА-" +
                            std::to_string(n) + "\"");
            f.address = Cp1251("123456, г. Москва, ул. Лесная, д. " + std::to_string(n % 300) +
                               ", корп. 2, офис 17");
            f.ogrn = std::to_string(1027700000000LL + n);
            f.grn = std::to_string(2157700000000LL + n);
            f.inn = "0" + std::to_string(771300000 + n);
            f.kpp = "770101001";
            f.date = "01.02.2003";
            f.authority = Cp1251(
                "Межрайонная инспекция Федеральной налоговой службы № 46 по г. "
                "Москве");
            f.authorityAddress = Cp1251("125373, г. Москва, Походный проезд, домовладение 3");
            f.region = Cp1251("Москва");
            spool.AddFirm(f);
        }
        const std::string query = Cp1251("Ромашка " + std::to_string(line));
        const batch::LineReport report{
            line, query, query, batch::LineOutcome::Done, {}, "2026-12-10T08:00:00Z"};
        if (const platform::Status written = writer.WriteLine(report, &spool); !written) {
            std::cerr << written.error() << "\n";
            return 1;
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const std::string mode = argc == 4 ? argv[1] : "";
    if (mode == "rows") {
        return MakeRows(QString::fromLocal8Bit(argv[2]), std::stoi(argv[3]));
    }
    if (mode == "book") {
        const batch::XlsxSummary summary{{"Service", "register.example"}, {"Firms", "100000"}};
        const platform::Status built = batch::WriteXlsxResults(
            QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]), summary);
        if (!built) {
            std::cerr << built.error() << "\n";
            return 1;
        }
        return 0;
    }
    std::cerr << "usage: batch_xlsx_export rows FILE FIRMS | book FILE OUT\n";
    return 2;
}
