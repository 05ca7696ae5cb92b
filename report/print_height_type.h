#pragma once

#include <cstdint>

// Whether a band always takes its designed height or grows and shrinks with
// its stretching components.
enum TppPrintHeightType : std::uint8_t { phStatic = 0, phDynamic = 1 };
