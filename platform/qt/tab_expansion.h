#pragma once

#include "platform/canvas.h"

namespace platform {

// Where a tab met at `x` continues, with stops counted from `origin`: the
// first stop of the table beyond x; beyond the last stop, or with an empty
// table, the next multiple of the default spacing (the single entry of a
// one-entry table, else `defaultSpacing`). Non-positive stops are ignored.
int NextTabPosition(int x, int origin, const TabStops &stops, int defaultSpacing);

} // namespace platform
