#pragma once

#include <algorithm>
#include <climits>
#include <cmath>

// Device geometry is rounded to the nearest whole pixel, a half going to the
// even neighbour; values beyond int's range (an absurd zoom or resolution)
// stop at its ends instead of overflowing, and NaN counts as 0.
inline int NearestPixel(double x)
{
    if (std::isnan(x))
        return 0;
    double lower = std::floor(x);
    const double fraction = x - lower;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(lower, 2.0) != 0.0))
        lower += 1.0;
    return int(std::clamp(lower, double(INT_MIN), double(INT_MAX)));
}
