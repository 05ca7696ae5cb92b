#pragma once

#include <string>
#include <string_view>

// Numbers as the screens read and write them, with the user's decimal separator.
namespace calc {

// General format: up to 15 significant digits, no trailing zeros; exponent form
// ("1E-5", "1.5E20") only below 0.0001 or with more than 15 integer digits.
std::string FormatGeneral(long double value, char decimalSeparator);

// Reads an optional sign, digits with at most one separator, and an optional
// exponent; blanks around the number are allowed. Throws ConversionError with
// "'<text>' is not a valid floating point value", or ArithmeticError (overflow)
// for a number beyond the double range.
double ParseFloat(std::string_view text, char decimalSeparator);

// The conversion error's text; `text` is inserted literally, never as a format.
std::string InvalidFloatMessage(std::string_view text);

} // namespace calc
