#include "output/page_reading_text.h"

#include "output/draw_text.h"
#include "output/page.h"

#include <algorithm>
#include <vector>

namespace {

struct PlacedText {
    std::int32_t left;
    std::int32_t top;
    std::int32_t bottom;
    std::string text;
};

// The lines a text shows, joined by blanks; line breaks of a memo included.
std::string ShownText(const TppDrawText &command)
{
    std::string text;
    const auto append = [&](const std::string &part) {
        for (const char c : part) {
            const char shown = c == '\r' || c == '\n' || c == '\t' ? ' ' : c;
            if (shown == ' ' && (text.empty() || text.back() == ' '))
                continue;
            text += shown;
        }
        if (!text.empty() && text.back() != ' ')
            text += ' ';
    };
    if (command.WrappedText().empty())
        append(command.Text());
    for (const std::string &line : command.WrappedText())
        append(line);
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

std::vector<PlacedText> TextsOf(const TppPage &page)
{
    std::vector<PlacedText> texts;
    for (int i = 0; i < page.DrawCommandCount(); ++i) {
        const auto *command = dynamic_cast<const TppDrawText *>(page.DrawCommands(i));
        if (!command)
            continue;
        std::string text = ShownText(*command);
        if (!text.empty())
            texts.push_back({command->Left(), command->Top(), command->Top() + std::max(command->Height(), 1), std::move(text)});
    }
    std::stable_sort(texts.begin(), texts.end(),
                     [](const PlacedText &a, const PlacedText &b) { return a.top < b.top; });
    return texts;
}

// A text belongs to a row when its middle lies within the row's first
// text, or that text's middle within it.
bool SameRow(const PlacedText &first, const PlacedText &other)
{
    const std::int32_t firstMiddle = first.top + (first.bottom - first.top) / 2;
    const std::int32_t otherMiddle = other.top + (other.bottom - other.top) / 2;
    return (otherMiddle >= first.top && otherMiddle < first.bottom)
        || (firstMiddle >= other.top && firstMiddle < other.bottom);
}

} // namespace

std::string PageReadingText(const TppPage &page)
{
    const std::vector<PlacedText> texts = TextsOf(page);
    std::string result;
    for (std::size_t start = 0; start < texts.size();) {
        std::size_t end = start + 1;
        while (end < texts.size() && SameRow(texts[start], texts[end]))
            ++end;
        std::vector<const PlacedText *> row;
        for (std::size_t i = start; i < end; ++i)
            row.push_back(&texts[i]);
        std::stable_sort(row.begin(), row.end(), [](const PlacedText *a, const PlacedText *b) { return a->left < b->left; });
        if (!result.empty())
            result += '\n';
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i > 0)
                result += ' ';
            result += row[i]->text;
        }
        start = end;
    }
    return result;
}
