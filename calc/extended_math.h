#pragma once

#include <cstdint>

// Extended-precision steps that fault the way the calculation reports it,
// instead of producing infinities or NaN.
namespace calc {

using Extended = long double;
static_assert(sizeof(Extended) >= 10, "the calculation needs the 80-bit extended type");

// a / b, raising division by zero (or invalid operation for 0 / 0).
Extended Divide(Extended a, Extended b);

// Rounds a formula's result to a double, raising overflow when it does not fit.
double StoreDouble(Extended value);

// Nearest whole number, ties to even, raising invalid operation outside int64.
std::int64_t RoundToInt64(Extended value);

} // namespace calc
