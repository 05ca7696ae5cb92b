#include "output/screen_font_names.h"

#include <array>
#include <string_view>
#include <utility>

std::string ScreenFontName(const std::string &fontName)
{
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 8> kSubstitutes{{
        {"Courier", "Courier New"},
        {"Fixedsys", "Arial"},
        {"Modern", "Arial"},
        {"MS Sans Serif", "Arial"},
        {"MS Serif", "Courier New"},
        {"Small Fonts", "Arial"},
        {"System", "Arial"},
        {"Terminal", "Arial"},
    }};
    for (const auto &[name, substitute] : kSubstitutes) {
        if (fontName == name)
            return std::string(substitute);
    }
    return fontName;
}
