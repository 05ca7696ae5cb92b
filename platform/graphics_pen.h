#pragma once

#include "platform/graphics_color.h"

#include <cstdint>

enum TppPenStyle : std::uint8_t {
    psSolid,
    psDash,
    psDot,
    psDashDot,
    psDashDotDot,
    psClear,
    psInsideFrame,
};

// How a pen combines with what is already drawn; only copy is used by the
// reports of this program, the others are kept for completeness of a copy.
enum TppPenMode : std::uint8_t { pmCopy, pmNotCopy, pmMerge, pmMask, pmXor, pmNot };

// Outline of shapes and lines. Width is in screen pixels at 100 %; devices
// scale it to their own resolution.
struct TppPen {
    TppColor Color = clBlack;
    TppPenStyle Style = psSolid;
    int Width = 1;
    TppPenMode Mode = pmCopy;

    friend bool operator==(const TppPen &, const TppPen &) = default;
};
