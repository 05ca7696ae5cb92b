#pragma once

#include <cstdint>

// Lengths of report definitions and generated pages are whole thousandths of
// a millimetre; these are the unit types a report shows them in, and the
// conversions between them.

enum TppUnitType : int {
    utScreenPixels = 0,
    utInches = 1,
    utMillimeters = 2,
    utPrinterPixels = 3,
    utMMThousandths = 4,
};

// Which of a printer's two resolutions a conversion uses.
enum TppResolutionAxis : int {
    raHorizontal = 0,
    raVertical = 1,
};

// What the conversions need to know of a printer: its logical resolution,
// available only while it has a drawing context.
class TppResolutionSource
{
public:
    virtual ~TppResolutionSource() = default;

    virtual bool HasDeviceContext() const = 0;
    virtual int PixelsPerInchX() const = 0;
    virtual int PixelsPerInchY() const = 0;
};

// Inches per millimetre, deliberately not 1 / 25.4: lengths stored by earlier
// versions were computed with this single-precision factor.
inline constexpr float kInchesPerMillimetre = 0.03937f;

// The screen's logical pixels per inch (read once; 96 without a screen).
int ScreenPixelsPerInch();

// Pixels per inch used for `utPrinterPixels`: the printer's, on the axis, when
// it has a drawing context; the screen's otherwise.
int PrinterPixelsPerInch(TppResolutionAxis axis, const TppResolutionSource *printer);

// None of the conversions raises an error; an unknown unit type gives 0, and
// results beyond the 32-bit range are clamped to it.
float MMThousandthsToUnits(std::int32_t value, TppUnitType unitType, TppResolutionAxis axis,
                           const TppResolutionSource *printer = nullptr);
std::int32_t UnitsToMMThousandths(float value, TppUnitType unitType, TppResolutionAxis axis,
                                  const TppResolutionSource *printer = nullptr);
// The largest whole number of pixels (`utScreenPixels` or `utPrinterPixels`)
// that UnitsToMMThousandths turns into at most `thousandths`; below the
// 32-bit range when even the fewest pixels convert to more. The conversion
// never decreases as pixels grow, so "pixels > this" says exactly what
// "UnitsToMMThousandths(pixels) > thousandths" says, without converting.
std::int64_t LargestPixelsWithin(std::int32_t thousandths, TppUnitType pixelUnit, TppResolutionAxis axis,
                                 const TppResolutionSource *printer = nullptr);
std::int32_t UnitsToScreenPixels(TppUnitType unitType, TppResolutionAxis axis,
                                 const TppResolutionSource *printer, float value);
float ScreenPixelsToUnits(std::int32_t pixels, TppUnitType unitType, TppResolutionAxis axis,
                          const TppResolutionSource *printer = nullptr);

// Tenths of a millimetre are the unit in which printer drivers report papers.
float TenthsMMToUnits(std::int32_t value, TppUnitType unitType, TppResolutionAxis axis,
                      const TppResolutionSource *printer = nullptr);
std::int32_t UnitsToTenthsMM(TppUnitType unitType, TppResolutionAxis axis,
                             const TppResolutionSource *printer, float value);
