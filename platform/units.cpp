#include "platform/units.h"

#include "platform/screen_metrics.h"

#include <cmath>
#include <limits>

namespace {

// Every conversion is computed in x86-64 extended precision.
using Extended = long double;

constexpr Extended kFactor = kInchesPerMillimetre;

// Nearest integer, ties to even, independent of the FPU's rounding mode.
Extended RoundHalfEven(Extended x)
{
    Extended lower = std::floor(x);
    const Extended fraction = x - lower;
    if (fraction > 0.5L || (fraction == 0.5L && std::fmod(lower, 2.0L) != 0.0L))
        lower += 1.0L;
    return lower;
}

std::int32_t ClampToInt32(Extended x)
{
    if (std::isnan(x))
        return 0;
    constexpr Extended lowest = std::numeric_limits<std::int32_t>::min();
    constexpr Extended highest = std::numeric_limits<std::int32_t>::max();
    if (x <= lowest)
        return std::numeric_limits<std::int32_t>::min();
    if (x >= highest)
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(x);
}

Extended ToUnits(Extended thousandths, TppUnitType unitType, TppResolutionAxis axis,
                 const TppResolutionSource *printer)
{
    const Extended millimetres = thousandths / 1000.0L;
    switch (unitType) {
    case utScreenPixels:
        return RoundHalfEven(millimetres * kFactor * ScreenPixelsPerInch());
    case utInches:
        return RoundHalfEven(millimetres * kFactor * 10000.0L) / 10000.0L;
    case utMillimeters:
        return millimetres;
    case utPrinterPixels:
        return RoundHalfEven(millimetres * kFactor * PrinterPixelsPerInch(axis, printer));
    case utMMThousandths:
        return thousandths;
    }
    return 0;
}

Extended ToThousandths(Extended x, TppUnitType unitType, TppResolutionAxis axis,
                       const TppResolutionSource *printer)
{
    switch (unitType) {
    case utScreenPixels:
        return RoundHalfEven(x / ScreenPixelsPerInch() / kFactor * 1000.0L);
    case utInches:
        return RoundHalfEven(x / kFactor * 1000.0L);
    case utMillimeters:
        return RoundHalfEven(x * 1000.0L);
    case utPrinterPixels:
        return RoundHalfEven(x / PrinterPixelsPerInch(axis, printer) / kFactor * 1000.0L);
    case utMMThousandths:
        return std::trunc(x);
    }
    return 0;
}

float ToFloat(Extended x)
{
    constexpr Extended highest = std::numeric_limits<float>::max();
    if (std::isnan(x))
        return 0.0f;
    if (x > highest)
        return std::numeric_limits<float>::max();
    if (x < -highest)
        return std::numeric_limits<float>::lowest();
    return static_cast<float>(x);
}

} // namespace

int ScreenPixelsPerInch()
{
    return platform::ScreenPixelsPerInch();
}

int PrinterPixelsPerInch(TppResolutionAxis axis, const TppResolutionSource *printer)
{
    if (!printer || !printer->HasDeviceContext())
        return ScreenPixelsPerInch();
    const int pixelsPerInch = axis == raHorizontal ? printer->PixelsPerInchX() : printer->PixelsPerInchY();
    // A printer that reports no resolution must not turn lengths into infinities.
    return pixelsPerInch > 0 ? pixelsPerInch : ScreenPixelsPerInch();
}

float MMThousandthsToUnits(std::int32_t value, TppUnitType unitType, TppResolutionAxis axis,
                           const TppResolutionSource *printer)
{
    return ToFloat(ToUnits(value, unitType, axis, printer));
}

std::int32_t UnitsToMMThousandths(float value, TppUnitType unitType, TppResolutionAxis axis,
                                  const TppResolutionSource *printer)
{
    return ClampToInt32(ToThousandths(value, unitType, axis, printer));
}

std::int64_t LargestPixelsWithin(std::int32_t thousandths, TppUnitType pixelUnit, TppResolutionAxis axis,
                                 const TppResolutionSource *printer)
{
    const auto converted = [&](std::int64_t pixels) {
        return UnitsToMMThousandths(float(pixels), pixelUnit, axis, printer);
    };
    std::int64_t within = std::numeric_limits<std::int32_t>::min();
    std::int64_t beyond = std::numeric_limits<std::int32_t>::max();
    if (converted(within) > thousandths)
        return within - 1;
    if (converted(beyond) <= thousandths)
        return beyond;
    // Bisection keeps converted(within) <= thousandths < converted(beyond).
    while (beyond - within > 1) {
        const std::int64_t middle = within + (beyond - within) / 2;
        if (converted(middle) <= thousandths)
            within = middle;
        else
            beyond = middle;
    }
    return within;
}

std::int32_t UnitsToScreenPixels(TppUnitType unitType, TppResolutionAxis axis,
                                 const TppResolutionSource *printer, float value)
{
    const std::int32_t thousandths = UnitsToMMThousandths(value, unitType, axis, printer);
    return ClampToInt32(std::trunc(ToUnits(thousandths, utScreenPixels, axis, printer)));
}

float ScreenPixelsToUnits(std::int32_t pixels, TppUnitType unitType, TppResolutionAxis axis,
                          const TppResolutionSource *printer)
{
    const std::int32_t thousandths = ClampToInt32(ToThousandths(pixels, utScreenPixels, axis, printer));
    return MMThousandthsToUnits(thousandths, unitType, axis, printer);
}

float TenthsMMToUnits(std::int32_t value, TppUnitType unitType, TppResolutionAxis axis,
                      const TppResolutionSource *printer)
{
    const Extended thousandths = Extended(value) * 100.0L;
    switch (unitType) {
    case utScreenPixels:
    case utPrinterPixels:
        return ToFloat(ToUnits(thousandths, unitType, axis, printer));
    case utInches: {
        // Through whole screen pixels, as the paper sizes of earlier versions were.
        const std::int32_t pixels = ClampToInt32(std::trunc(ToUnits(ClampToInt32(thousandths), utScreenPixels, axis, printer)));
        return ScreenPixelsToUnits(pixels, utInches, axis, printer);
    }
    case utMillimeters:
        return ToFloat(RoundHalfEven(Extended(value) / 10.0L));
    case utMMThousandths:
        return ToFloat(thousandths);
    }
    return 0.0f;
}

std::int32_t UnitsToTenthsMM(TppUnitType unitType, TppResolutionAxis axis,
                             const TppResolutionSource *printer, float value)
{
    switch (unitType) {
    case utScreenPixels:
    case utPrinterPixels:
        return UnitsToMMThousandths(value, unitType, axis, printer) / 100;
    case utInches: {
        const std::int32_t pixels = UnitsToScreenPixels(unitType, axis, printer, value);
        const float thousandths = ScreenPixelsToUnits(pixels, utMMThousandths, axis, printer);
        return ClampToInt32(std::trunc(Extended(thousandths) / 100.0L));
    }
    case utMillimeters:
        return ClampToInt32(RoundHalfEven(Extended(value) * 10.0L));
    case utMMThousandths:
        return ClampToInt32(RoundHalfEven(Extended(value) / 100.0L));
    }
    return 0;
}
