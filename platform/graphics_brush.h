#pragma once

#include "platform/graphics_color.h"

#include <cstdint>

enum TppBrushStyle : std::uint8_t {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross,
};

// Fill of shapes and backgrounds.
struct TppBrush {
    TppColor Color = clWhite;
    TppBrushStyle Style = bsSolid;

    friend bool operator==(const TppBrush &, const TppBrush &) = default;
};
