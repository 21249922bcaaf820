// The text a PDF written by QPdfWriter shows, read back the way a PDF viewer's text
// search reads it: each page's content streams decoded through their fonts' ToUnicode
// maps. Enough for Qt's own output (Type0 fonts, hex glyph strings), not for any PDF.
#pragma once

#include <QByteArray>
#include <QString>

namespace wintest {

// Every glyph shown, in the order drawn, without the gaps between words (ligatures as
// their letters); empty when the bytes hold no text this reader understands.
QString PdfText(const QByteArray& pdf);

}  // namespace wintest
