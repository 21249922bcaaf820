// The value record of a firm found, and the one table of a firm's ten fields that
// every output follows. All field values are Windows-1251 bytes; empty means "not known".
#pragma once

#include <array>
#include <string>

namespace lookup {

// The ten fields of one firm as the register's pages give them.
struct FirmRecord {
    std::string name;
    std::string address;
    std::string inn;
    std::string kpp;
    std::string ogrn;
    std::string grn;
    std::string date;  // date of the register entry
    std::string authority;
    std::string authorityAddress;
    std::string region;
};

// One field of a firm and how each output names it. Texts are UTF-8.
struct FirmField {
    std::string FirmRecord::*member;
    const char* russianCaption;  // left detail list
    const char* englishCaption;  // right detail list until a firm is shown
    const char* fileLabel;       // results file, before the value
    const char* csvHeader;       // CSV export header
    bool inNameRows;             // name-search rows carry it (number-search rows carry all)
};

// The ten fields in the order of the register's result rows, which is also the order
// of the detail lists, the results file and the CSV export.
const std::array<FirmField, 10>& FirmFields();

}  // namespace lookup
