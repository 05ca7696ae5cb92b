#include "output/drawn_lines.h"

#include "platform/plain_text_lines.h"
#include "platform/text_markups.h"

namespace drawn_lines {

std::string WithoutParagraphEnds(std::string_view line)
{
    return TppPlainTextLines::RemoveAll(line, TppTextMarkups::ParagraphEnd);
}

bool EndsParagraph(std::string_view line)
{
    return line.find(TppTextMarkups::ParagraphEnd) != std::string_view::npos;
}

bool IsSingleWord(std::string_view line)
{
    const std::size_t first = line.find_first_not_of(TppTextMarkups::Space);
    if (first == std::string_view::npos)
        return true;
    const std::size_t last = line.find_last_not_of(TppTextMarkups::Space);
    return line.substr(first, last - first + 1).find(TppTextMarkups::Space) == std::string_view::npos;
}

} // namespace drawn_lines
