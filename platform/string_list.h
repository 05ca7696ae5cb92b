#pragma once

#include <string>
#include <vector>

// An ordered list of lines (memo lines, wrapped lines, tab stops).
using TppStringList = std::vector<std::string>;

// The list as one text: every line followed by CR LF.
inline std::string JoinedText(const TppStringList &lines)
{
    std::string text;
    for (const auto &line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}
