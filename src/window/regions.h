// The fixed region list of the query entry and the value each entry sends.
#pragma once

#include <QString>
#include <QStringList>

namespace window {

// The 90 entries of the region box, in display order.
const QStringList& RegionNames();

// The request value of the entry at position: "Все регионы" for the whole country,
// otherwise the region's two-digit code. Empty for a position outside the list.
QString RegionRequestValue(int position);

}  // namespace window
