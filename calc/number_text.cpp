#include "calc/number_text.h"

#include "calc/errors.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace calc {

namespace {

constexpr int kPrecision = 15;

std::string StripTrailingZeros(std::string digits)
{
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    return digits;
}

// Canonical "[-]d.ddd" text of the number, or nothing when it is malformed.
std::string CanonicalNumber(std::string_view text, char separator)
{
    std::size_t i = 0;
    const std::size_t end = text.size();
    auto skipBlanks = [&] { while (i < end && text[i] == ' ') ++i; };
    auto isDigit = [&](std::size_t k) { return k < end && text[k] >= '0' && text[k] <= '9'; };

    std::string out;
    skipBlanks();
    if (i < end && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-')
            out += '-';
        ++i;
    }
    bool digits = false;
    while (isDigit(i)) { out += text[i++]; digits = true; }
    if (i < end && text[i] == separator) {
        out += '.';
        ++i;
        while (isDigit(i)) { out += text[i++]; digits = true; }
    }
    if (!digits)
        return {};
    if (i < end && (text[i] == 'e' || text[i] == 'E')) {
        out += 'e';
        ++i;
        if (i < end && (text[i] == '+' || text[i] == '-')) {
            if (text[i] == '-')
                out += '-';
            ++i;
        }
        if (!isDigit(i))
            return {};
        while (isDigit(i)) out += text[i++];
    }
    skipBlanks();
    return i == end ? out : std::string();
}

// Whether a canonical number that no floating type can hold is too large
// (rather than too small): the decimal exponent of its first significant
// digit is positive. Exponents are read with saturation, so any length of
// exponent is judged rightly.
bool BeyondLargest(std::string_view canonical)
{
    const std::size_t ePos = canonical.find('e');
    const std::string_view mantissa = canonical.substr(0, ePos);
    long long exponent = 0;
    if (ePos != std::string_view::npos) {
        std::size_t i = ePos + 1;
        const bool negative = i < canonical.size() && canonical[i] == '-';
        if (negative)
            ++i;
        constexpr long long kSaturation = 1'000'000'000'000LL;
        for (; i < canonical.size(); ++i)
            exponent = std::min(kSaturation, exponent * 10 + (canonical[i] - '0'));
        if (negative)
            exponent = -exponent;
    }
    // Digits of the mantissa before its point, counted from the first that is
    // not zero; a negative count for zeros after the point.
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t first = mantissa.find_first_of("123456789");
    if (first == std::string_view::npos)
        return false;
    const long long position = first < point ? static_cast<long long>(point - first)
                                             : -static_cast<long long>(first - point - 1);
    return exponent + position > 0;
}

} // namespace

std::string InvalidFloatMessage(std::string_view text)
{
    std::string message;
    message.reserve(text.size() + 40);
    message.append("'").append(text).append("' is not a valid floating point value");
    return message;
}

double ParseFloat(std::string_view text, char decimalSeparator)
{
    const std::string canonical = CanonicalNumber(text, decimalSeparator);
    if (canonical.empty())
        throw ConversionError(InvalidFloatMessage(text));

    const char *first = canonical.data();
    const char *last = first + canonical.size();
    double value = 0;
    const auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec == std::errc() && ptr == last)
        return value;
    if (ec != std::errc::result_out_of_range)
        throw ConversionError(InvalidFloatMessage(text));

    // Out of the double range: too large is an overflow, too small goes to 0
    // or a subnormal as arithmetic would.
    long double wide = 0;
    const auto extended = std::from_chars(first, last, wide);
    if (extended.ec == std::errc::result_out_of_range) {
        // Beyond the extended range too: the value is untouched, so the
        // digits decide between overflow and a zero.
        if (BeyondLargest(canonical))
            throw ArithmeticError(kOverflow);
        return canonical[0] == '-' ? -0.0 : 0.0;
    }
    if (std::isinf(wide) || std::fabs(wide) > DBL_MAX)
        throw ArithmeticError(kOverflow);
    return static_cast<double>(wide);
}

std::string FormatGeneral(long double value, char decimalSeparator)
{
    if (value == 0 || std::isnan(value) || std::isinf(value))
        return "0";

    // %.14Le gives 15 significant digits, correctly rounded from extended.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*Le", kPrecision - 1, value);
    std::string text(buffer);
    const bool negative = text[0] == '-';
    if (negative)
        text.erase(0, 1);
    const std::size_t ePos = text.find('e');
    const int exponent = std::atoi(text.c_str() + ePos + 1);
    std::string digits = text.substr(0, 1) + text.substr(2, ePos - 2);
    digits = StripTrailingZeros(digits);

    std::string out = negative ? "-" : "";
    if (exponent < -4 || exponent >= kPrecision) {
        out += digits[0];
        if (digits.size() > 1) {
            out += decimalSeparator;
            out += digits.substr(1);
        }
        out += 'E';
        out += std::to_string(exponent);
    } else if (exponent < 0) {
        out += '0';
        out += decimalSeparator;
        out += std::string(static_cast<std::size_t>(-exponent - 1), '0');
        out += digits;
    } else {
        const std::size_t integerDigits = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= integerDigits) {
            out += digits + std::string(integerDigits - digits.size(), '0');
        } else {
            out += digits.substr(0, integerDigits);
            out += decimalSeparator;
            out += digits.substr(integerDigits);
        }
    }
    return out;
}

} // namespace calc
