#pragma once

#include <string_view>

// The format version that definitions written now carry.
inline constexpr const char *kCurrentDefinitionVersion = "5.0";

// A definition's version text as a number: its leading digits and points,
// the first point deleted, padded with zeros to four digits ("1.0" gives
// 1000, "4.1" gives 4100). Anything after a second point is ignored; a text
// without leading digits gives 0.
int VersionNumber(std::string_view version);
