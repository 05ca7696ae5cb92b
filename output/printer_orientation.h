#pragma once

#include <cstdint>

enum TPrinterOrientation : std::uint8_t {
    poPortrait = 0,
    poLandscape = 1,
};
