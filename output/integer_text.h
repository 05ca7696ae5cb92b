#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// The one way the program reads a whole number from text a user typed or a
// list holds: blanks around it, an optional sign, decimal digits, within the
// 32-bit range. Anything else (a NUL or a letter after the digits too) is no
// number.
std::optional<std::int32_t> ReadInteger(std::string_view text);

// ReadInteger, refusing what is no number with EConvertError and the
// standard message "'<text>' is not a valid integer value".
std::int32_t StrToInt(std::string_view text);
