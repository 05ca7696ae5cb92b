#pragma once

#include <QFont>

// A screen font given as the layouts give it: a family and a character
// height in pixels (the screens are laid out at 96 pixels per inch).
QFont ScreenFont(const char *family, int pixels, bool bold = false);

inline constexpr const char *kSansSerif = "MS Sans Serif";
inline constexpr const char *kLucida = "Lucida Sans Unicode";
