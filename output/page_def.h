#pragma once

#include <cstdint>

// A rectangle on the sheet in thousandths of a millimetre.
struct TppSheetRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;

    friend bool operator==(const TppSheetRect &, const TppSheetRect &) = default;
};

// The sheet: paper size as printed (swapped in landscape) and margins, in
// thousandths of a millimetre, in the order they are streamed. A printer
// setup derives it; pages reach it through their own setup.
class TppPageDef
{
public:
    std::int32_t mmHeight = 0;
    std::int32_t mmWidth = 0;
    std::int32_t mmMarginLeft = 0;
    std::int32_t mmMarginRight = 0;
    std::int32_t mmMarginTop = 0;
    std::int32_t mmMarginBottom = 0;

    void Assign(const TppPageDef &source) { *this = source; }
    friend bool operator==(const TppPageDef &, const TppPageDef &) = default;

    TppSheetRect PrintableRect() const;
    std::int32_t PrintableHeight() const;
    std::int32_t PrintableWidth() const;

    // Whole screen pixels, truncated.
    std::int32_t spPrintableWidth() const;
    std::int32_t spPaperHeight() const;
    std::int32_t spPaperWidth() const;
};
