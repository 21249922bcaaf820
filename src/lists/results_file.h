// The results file: one twelve-line block per firm, Windows-1251, CR LF after every
// line. Shared by the window's "Save..." and the batch tool.
#pragma once

#include <QString>
#include <string>
#include <vector>

#include "pages/records.h"

namespace lookup {

struct ResultEntry {
    std::string queryText;  // the query node's text as shown (Windows-1251)
    std::string firmText;   // the firm node's text (Windows-1251)
    FirmRecord firm;
};

// The bytes of the whole results file for these entries; an entry whose firm text
// holds a service message is left out.
std::string ResultsFileBytes(const std::vector<ResultEntry>& entries);

// path with its extension (from the last '.' of the file name on) replaced by
// "_enabled.txt"; a name without '.' gets it appended.
QString EnabledFileName(const QString& path);

}  // namespace lookup
