// The fixed region list of the query entry and the value each entry sends.
#pragma once

#include <QString>
#include <QStringList>

namespace window {

// The 90 entries of the region box, in display order, as files and queries name them.
const QStringList& RegionNames();
// The entry at position as the box shows it, in the user's language.
QString RegionDisplayName(int position);

// The request value of the entry at position: "Все регионы" for the whole country,
// otherwise the region's two-digit code. Empty for a position outside the list.
QString RegionRequestValue(int position);

}  // namespace window
