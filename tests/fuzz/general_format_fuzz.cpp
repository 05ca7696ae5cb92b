// The general-format writer against a model of its rules built without the
// C library's formatting: the value's exact decimal expansion (worked out
// with whole-number arithmetic on its binary digits), rounded to 15
// significant digits with ties to even, trailing zeros dropped, the exponent
// form ("1E-5", "1.5E20") only for magnitudes below 0.0001 or with more than
// 15 integer digits, the locale's separator. The input is an extended value
// (sign, exponent within the double range and beyond, 64-bit significand).

#include "calc/number_text.h"
#include "tests/fuzz/fuzz_check.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace {

// A whole number as decimal digits, least significant first.
using Digits = std::vector<int>;

void MultiplyBy(Digits &digits, int factor)
{
    int carry = 0;
    for (int &d : digits) {
        const int product = d * factor + carry;
        d = product % 10;
        carry = product / 10;
    }
    while (carry > 0) {
        digits.push_back(carry % 10);
        carry /= 10;
    }
}

// The decimal digits (most significant first) and the decimal exponent of
// the first one: value = 0.d1d2d3... * 10^(point), exactly.
struct Expansion {
    std::string digits;
    int point = 0;
};

Expansion Exact(std::uint64_t significand, int binaryExponent)
{
    Digits n;
    for (std::uint64_t m = significand; m > 0; m /= 10)
        n.push_back(static_cast<int>(m % 10));
    int decimalShift = 0;
    if (binaryExponent >= 0) {
        for (int i = 0; i < binaryExponent; ++i)
            MultiplyBy(n, 2);
    } else {
        // m / 2^k = m * 5^k / 10^k.
        for (int i = 0; i < -binaryExponent; ++i)
            MultiplyBy(n, 5);
        decimalShift = binaryExponent;
    }
    Expansion e;
    for (auto it = n.rbegin(); it != n.rend(); ++it)
        e.digits += static_cast<char>('0' + *it);
    e.point = static_cast<int>(n.size()) + decimalShift;
    return e;
}

// Rounds to 15 significant digits, ties to even; may carry into a new digit.
Expansion Rounded(Expansion e)
{
    constexpr std::size_t kKeep = 15;
    if (e.digits.size() <= kKeep)
        return e;
    const std::string rest = e.digits.substr(kKeep);
    e.digits.resize(kKeep);
    const bool aboveHalf = rest[0] > '5' || (rest[0] == '5' && rest.find_first_not_of('0', 1) != std::string::npos);
    const bool half = rest[0] == '5' && rest.find_first_not_of('0', 1) == std::string::npos;
    const bool odd = (e.digits.back() - '0') % 2 == 1;
    if (aboveHalf || (half && odd)) {
        int i = static_cast<int>(kKeep) - 1;
        while (i >= 0 && e.digits[i] == '9')
            e.digits[i--] = '0';
        if (i < 0) {
            e.digits.insert(e.digits.begin(), '1');
            e.digits.pop_back();
            ++e.point;
        } else {
            ++e.digits[i];
        }
    }
    return e;
}

std::string Model(bool negative, std::uint64_t significand, int binaryExponent, char separator)
{
    if (significand == 0)
        return "0";
    Expansion e = Rounded(Exact(significand, binaryExponent));
    while (e.digits.size() > 1 && e.digits.back() == '0')
        e.digits.pop_back();
    const int exponent = e.point - 1;  // of the first digit
    std::string out = negative ? "-" : "";
    if (exponent < -4 || exponent >= 15) {
        out += e.digits[0];
        if (e.digits.size() > 1)
            out += separator + e.digits.substr(1);
        out += 'E' + std::to_string(exponent);
    } else if (exponent < 0) {
        out += std::string("0") + separator + std::string(static_cast<std::size_t>(-exponent - 1), '0') + e.digits;
    } else {
        const std::size_t integerDigits = static_cast<std::size_t>(exponent) + 1;
        if (e.digits.size() <= integerDigits)
            out += e.digits + std::string(integerDigits - e.digits.size(), '0');
        else
            out += e.digits.substr(0, integerDigits) + separator + e.digits.substr(integerDigits);
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // 8 bytes of significand, 2 of exponent, 1 of sign and separator.
    if (size < 11)
        return 0;
    std::uint64_t significand;
    std::memcpy(&significand, data, sizeof significand);
    std::uint16_t rawExponent;
    std::memcpy(&rawExponent, data + 8, sizeof rawExponent);
    const bool negative = data[10] & 1;
    const char separator = (data[10] & 2) ? ',' : '.';
    // Well beyond the double range on both sides, where extended
    // intermediates may go; the model's arithmetic stays small enough.
    const int binaryExponent = static_cast<int>(rawExponent % 2400) - 1200 - 63;

    const long double magnitude = std::ldexp(static_cast<long double>(significand), binaryExponent);
    FUZZ_CHECK(std::isfinite(magnitude), "input out of the extended range");
    const long double value = negative ? -magnitude : magnitude;
    const std::string written = calc::FormatGeneral(value, separator);
    const std::string expected = Model(negative, significand, binaryExponent, separator);
    FUZZ_CHECK(written == expected, "%.20Lg written \"%s\", expected \"%s\"", value, written.c_str(),
               expected.c_str());
    return 0;
}
