// The two value records that carry a query and its answers between the window and
// the query worker. All fields are Windows-1251 bytes; empty means "not known".
#pragma once

#include <string>

namespace worker {

// The five criteria of one query, each already shaped as a form fragment: its key
// followed by the raw value ("name=...", "&adr=...", "&region=...", "&date=...",
// "&num=..."). A criterion not given is its bare key.
struct TSearchFirm {
    std::string Name = "name=";
    std::string Adress = "&adr=";
    std::string Region = "&region=";
    std::string Date = "&date=";
    std::string OGRN = "&num=";
};

// The ten fields of one firm as the register's pages give them.
struct TDataFirm {
    std::string Name;
    std::string Adress;
    std::string INN;
    std::string KPP;
    std::string OGRN;
    std::string GRN;
    std::string DateGRN;
    std::string Organ;
    std::string AdressOrgan;
    std::string Region;
};

}  // namespace worker
