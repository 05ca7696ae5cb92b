#include "calc/extended_math.h"

#include "calc/errors.h"

#include <cmath>

namespace calc {

Extended Divide(Extended a, Extended b)
{
    if (b == 0)
        throw ArithmeticError(a == 0 || std::isnan(a) ? kInvalidOperation : kDivisionByZero);
    return a / b;
}

double StoreDouble(Extended value)
{
    if (std::isnan(value))
        throw ArithmeticError(kInvalidOperation);
    // Anything that would round to infinity overflows: the threshold lies half
    // an ulp (2^970) above the largest double, and is exact in extended.
    const Extended limit = std::ldexp(Extended(1), 1024) - std::ldexp(Extended(1), 970);
    if (std::fabs(value) >= limit)
        throw ArithmeticError(kOverflow);
    return static_cast<double>(value);
}

std::int64_t RoundToInt64(Extended value)
{
    // nearbyint follows the default rounding mode: nearest, ties to even.
    const Extended rounded = std::nearbyint(value);
    constexpr Extended kTwo63 = 9223372036854775808.0L;
    if (std::isnan(rounded) || rounded >= kTwo63 || rounded < -kTwo63)
        throw ArithmeticError(kInvalidOperation);
    return static_cast<std::int64_t>(rounded);
}

} // namespace calc
