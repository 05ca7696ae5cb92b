#pragma once

#include <string>
#include <string_view>

// What the devices ask of a text line as the wrapper left it, before they
// draw it: lines may carry the paragraph-end marker, which is never drawn.
namespace drawn_lines {

std::string WithoutParagraphEnds(std::string_view line);
bool EndsParagraph(std::string_view line);
// A line without a blank between its first and last non-blank characters.
bool IsSingleWord(std::string_view line);

} // namespace drawn_lines
