#pragma once

#include <cstdint>

// Two-sided printing; the device settings number them from 1 (dpNone + 1).
enum TppDuplexType : std::uint8_t {
    dpNone = 0,
    dpHorizontal = 1,
    dpVertical = 2,
};
