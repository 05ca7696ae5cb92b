#pragma once

#include <cstdint>
#include <limits>

// Sums of lengths in thousandths that stay inside the 32-bit range: a result
// beyond it is held at the nearest limit, which is "off the page" either way,
// instead of wrapping round to the other end.
namespace lengths {

constexpr std::int32_t Clamp(std::int64_t value)
{
    constexpr std::int64_t lowest = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t highest = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(value < lowest ? lowest : value > highest ? highest : value);
}

constexpr std::int32_t Add(std::int32_t a, std::int32_t b)
{
    return Clamp(std::int64_t(a) + b);
}

constexpr std::int32_t Add(std::int32_t a, std::int32_t b, std::int32_t c)
{
    return Clamp(std::int64_t(a) + b + c);
}

constexpr std::int32_t Subtract(std::int32_t a, std::int32_t b)
{
    return Clamp(std::int64_t(a) - b);
}

constexpr std::int32_t Multiply(std::int64_t count, std::int32_t length)
{
    // Counts are line or page counts, far below 2^31: the product fits 64 bits.
    return Clamp(count * length);
}

} // namespace lengths
