// The screener of --screen: the watch lists of the screening index, loaded before any
// request, and the screening of one firm in the terms of the results file.
#pragma once

#include <memory>

#include "batch/batch_options.h"
#include "batch/console.h"
#include "batch/screening.h"
#include "platform/result.h"
#include "screen/screener.h"

namespace batch {

// Loads the index of --screen-index (or the usual one) and says on console what the run
// screens against. An index that cannot be read or holds no list fails, with the refusal.
platform::Result<std::unique_ptr<screen::Screener>> LoadScreener(const BatchOptions& options,
                                                                 Console& console);

// Screens a firm with screener into the hits the results file writes; for the screening
// thread only, which must end before screener does.
FirmScreen ScreenWith(const screen::Screener& screener);

}  // namespace batch
