// A second process that writes to an archive, for the tests of concurrent writers, of
// a writer killed mid-way and of a file it may not write.
//
//   archive_writer PATH COUNT ORIGIN             appends COUNT records one by one and
//                                                prints "written ID" after each commit
//   archive_writer PATH COUNT ORIGIN --recorder  appends them through a Recorder and
//                                                prints each error it reports
//   archive_writer PATH MIB prune                prunes to MIB MiB, printing "step N"
//                                                after each part committed
#include <cstdio>
#include <cstdlib>
#include <string>

#include "archive/archive_db.h"
#include "archive/recorder.h"
#include "support/archive_records.h"

namespace {

archive::CheckRecord Numbered(const std::string& origin, int i) {
    archive::CheckRecord record =
        archive_test::Check("Ромашка " + origin + " " + std::to_string(i));
    record.origin = origin;
    const std::string ogrn = std::to_string(1027700000000LL + i);
    record.firms = {archive_test::Firm("ООО \"Ромашка " + std::to_string(i) + "\"", ogrn),
                    archive_test::Firm("АО Ромашка-Плюс", ogrn.substr(0, 12) + "9")};
    return record;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4)
        return 2;
    const std::string path = argv[1];
    const int count = std::atoi(argv[2]);
    const std::string origin = argv[3];
    if (origin == "prune") {
        archive::Archive db;
        const platform::Status opened = db.Open(path, archive::Archive::Access::ReadWrite);
        if (!opened) {
            std::printf("error: %s\n", opened.error().c_str());
            return 3;
        }
        int steps = 0;
        const platform::Result<archive::PruneReport> report = db.Prune({0, count}, [&] {
            std::printf("step %d\n", ++steps);
            std::fflush(stdout);
        });
        if (!report) {
            std::printf("error: %s\n", report.error().c_str());
            return 3;
        }
        std::printf("pruned %lld\n", static_cast<long long>(report->removed));
        return 0;
    }
    if (argc > 4 && std::string(argv[4]) == "--recorder") {
        archive::Recorder recorder(path, [](const std::string& message) {
            std::printf("reported: %s\n", message.c_str());
            std::fflush(stdout);
        });
        archive::Recorder::Ticket last = 0;
        for (int i = 0; i < count; ++i)
            last = recorder.Append(Numbered(origin, i));
        const bool written = recorder.WaitWritten(last, std::chrono::seconds(60));
        std::printf("last written: %s\n", written ? "yes" : "no");
        return 0;
    }
    archive::Archive db;
    const platform::Status opened = db.Open(path, archive::Archive::Access::ReadWrite);
    if (!opened) {
        std::printf("error: %s\n", opened.error().c_str());
        return 3;
    }
    for (int i = 0; i < count; ++i) {
        std::vector<archive::CheckRecord> records{Numbered(origin, i)};
        const platform::Status appended = db.Append(records);
        if (!appended) {
            std::printf("error: %s\n", appended.error().c_str());
            return 3;
        }
        std::printf("written %lld\n", static_cast<long long>(records[0].id));
        std::fflush(stdout);
    }
    return 0;
}
