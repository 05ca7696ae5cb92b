#pragma once

#include <cstdint>

// Shapes of shape components and shape draw commands. Commands only ever hold
// rectangles, rounded rectangles and ellipses: the component resolves squares
// and circles into their rectangle first.
enum TppShapeType : std::uint8_t {
    stRectangle = 0,
    stSquare = 1,
    stRoundRect = 2,
    stRoundSquare = 3,
    stEllipse = 4,
    stCircle = 5,
};

// Which edge of its rectangle a line runs along.
enum TppLinePositionType : std::uint8_t { lpTop, lpBottom, lpLeft, lpRight };

enum TppLineStyleType : std::uint8_t { lsSingle, lsDouble };
