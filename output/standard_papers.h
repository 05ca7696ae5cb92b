#pragma once

#include <cstdint>
#include <string>

// The Windows paper numbers with their conventional names and nominal sizes,
// by which drivers and stored definitions identify papers.
inline constexpr std::int16_t kCustomPaperNumber = 256;

struct TppStandardPaper {
    std::string name;          // "Unknown" for a number not in the table
    std::int32_t widthTenths;  // portrait, tenths of a millimetre; 0 when unknown
    std::int32_t heightTenths;
};

// Inch papers are converted through whole screen pixels, as the stored
// definitions were, so at 96 pixels per inch Letter is 2159 x 2794.
TppStandardPaper StandardPaper(std::int32_t number);
