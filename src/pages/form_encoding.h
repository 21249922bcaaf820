// Percent-encoding of the search form body as the register service expects it.
#pragma once

#include <QString>

#include <utility>
#include <vector>

namespace lookup {

// Escapes exactly the 66 Russian letters (as "%XX" of their Windows-1251 code,
// upper-case hex) and the space (as "+"); every other character is kept. Meant for a
// body whose separators are already in place.
QString EncodeFormText(const QString& text);

// One field's value: as EncodeFormText, and also "&", "=", "+" and "%" as %26, %3D,
// %2B and %25, so that whatever was typed reaches the service as this one value.
QString EncodeFormValue(const QString& value);

// "name=value&name=value..." with each value encoded by EncodeFormValue; the names
// are the form's own and go out as they are.
QString EncodeFormFields(const std::vector<std::pair<QString, QString>>& fields);

}  // namespace lookup
