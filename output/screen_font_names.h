#pragma once

#include <string>

// The font a page text is drawn in on the screen: the old bitmap fonts that
// report definitions name have no outline of their own, so each is drawn in
// a common outline font instead. Names are compared exactly; any other name
// is kept.
std::string ScreenFontName(const std::string &fontName);
