#pragma once

#include <cstdint>

// Horizontal alignment of each line of a text.
enum TppTextAlignment : std::uint8_t {
    taLeftJustified = 0,
    taRightJustified = 1,
    taCentered = 2,
    taFullJustified = 3,
};

// The older three-value alignment, kept in step with TppTextAlignment because
// auto-sized texts are placed by it (full justification maps to left).
enum TppAlignment : std::uint8_t { taLeftJustify, taRightJustify, taCenter };

constexpr TppAlignment AlignmentOf(TppTextAlignment value)
{
    switch (value) {
    case taRightJustified:
        return taRightJustify;
    case taCentered:
        return taCenter;
    default:
        return taLeftJustify;
    }
}

constexpr TppTextAlignment TextAlignmentOf(TppAlignment value)
{
    switch (value) {
    case taRightJustify:
        return taRightJustified;
    case taCenter:
        return taCentered;
    default:
        return taLeftJustified;
    }
}
