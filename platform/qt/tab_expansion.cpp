#include "platform/qt/tab_expansion.h"

namespace platform {

int NextTabPosition(int x, int origin, const TabStops &stops, int defaultSpacing)
{
    int spacing = defaultSpacing;
    if (stops.size() == 1 && stops.front() > 0) {
        spacing = stops.front();
    } else {
        for (const int stop : stops) {
            if (stop > 0 && origin + stop > x)
                return origin + stop;
        }
    }
    if (spacing <= 0)
        spacing = 1;
    const int offset = x - origin;
    if (offset < 0)
        return origin;
    return origin + (offset / spacing + 1) * spacing;
}

} // namespace platform
