#pragma once

#include <QString>

// Numbers in fields, read and written with the user's decimal separator.

// The separator of the user's locale; a point when it is not a single ASCII character.
char DecimalSeparator();

// Throws calc::ConversionError with the field's text, or calc::ArithmeticError
// for a number beyond the double range.
double ReadNumber(const QString &text);

// General format, up to 15 significant digits.
QString WriteNumber(long double value);
