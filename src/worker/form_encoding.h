// Percent-encoding of the search form body as the register service expects it.
#pragma once

#include <QString>

namespace worker {

// Escapes exactly the 66 Russian letters (as "%XX" of their Windows-1251 code,
// upper-case hex) and the space (as "+"); every other character is kept.
QString EncodeFormText(const QString& text);

}  // namespace worker
