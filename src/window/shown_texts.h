// The texts the program itself writes into result rows, kept in the results as they
// are (the results file, the CSV and the archive hold them unchanged, in whatever
// language the window speaks) and shown on screen in the user's language.
#pragma once

#include <QString>

namespace window {

// The pieces a typed query's row is made of: "Search for entered data...(", then the
// criteria given, each after its caption (", Название: " and so on), then ")".
extern const char* const kQueryRowStart;
extern const char* const kQueryNameCaption;
extern const char* const kQueryAddressCaption;
extern const char* const kQueryRegionCaption;
extern const char* const kQueryDateCaption;
extern const char* const kQueryNumberCaption;
// The context those texts are translated in.
extern const char* const kQueryRowContext;

// A query row in the user's language: the pieces above, a region's name and the
// ", records found: N" the count adds; what the user typed stays as typed.
QString ShownQueryText(const QString& text);

// Why a list line was not sent ("check digit does not match (OGRN)", the daily
// limit), or why a query failed ("cannot connect to HOST", "HTTP 500"), in the user's
// language; a text not known stays as it is.
QString ShownReason(const QString& text);

}  // namespace window
