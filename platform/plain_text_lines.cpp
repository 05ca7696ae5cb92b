#include "platform/plain_text_lines.h"

#include "platform/text_markups.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

// An integer written in decimal, blanks around it allowed.
bool ParseInteger(std::string_view text, std::int32_t &value)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty())
        return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

// The line with a space between every two of its (UTF-8) characters.
std::string LetterSpaced(std::string_view text, int &inserted)
{
    std::string result;
    inserted = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const bool startsCharacter = (byte & 0xC0) != 0x80;
        if (startsCharacter && i > 0) {
            result += TppTextMarkups::Space;
            ++inserted;
        }
        result += text[i];
    }
    return result;
}

} // namespace

std::string TppPlainTextLines::JustifyLine(platform::Canvas &canvas,
                                           const platform::CanvasRect &rect,
                                           const platform::TabStops &tabStops,
                                           std::string_view line)
{
    if (line.empty()) {
        canvas.SetTextJustification(0, 0);
        return {};
    }
    const std::size_t first = line.find_first_not_of(TppTextMarkups::Space);
    if (first == std::string_view::npos) {
        canvas.SetTextJustification(0, 0);
        return {};
    }
    const std::size_t last = line.find_last_not_of(TppTextMarkups::Space);
    std::string text(line.substr(first, last - first + 1));
    int breaks = int(std::count(text.begin(), text.end(), TppTextMarkups::Space));
    if (breaks == 0)
        text = LetterSpaced(text, breaks);

    canvas.SetTextJustification(0, 0);
    const int width = TabbedWidth(canvas, text, tabStops);
    canvas.SetTextJustification(rect.Width() - width, breaks);
    return text;
}

int TppPlainTextLines::TabbedWidth(const platform::Canvas &canvas, std::string_view text,
                                   const platform::TabStops &tabStops)
{
    return canvas.TabbedTextWidth(text, tabStops);
}

platform::TabStops TppPlainTextLines::ConvertTabStops(const TppStringList &tabStops,
                                                      const TppResolutionSource *printer)
{
    platform::TabStops result;
    for (const std::string &entry : tabStops) {
        if (result.size() == MaxTabStops)
            break;
        std::int32_t thousandths = 0;
        if (!ParseInteger(entry, thousandths))
            continue;
        result.push_back(int(std::trunc(
            MMThousandthsToUnits(thousandths, utPrinterPixels, raHorizontal, printer))));
    }
    return result;
}

std::string TppPlainTextLines::RemoveAll(std::string_view text, std::string_view part)
{
    if (part.empty())
        return std::string(text);
    std::string result;
    result.reserve(text.size());
    std::size_t start = 0;
    for (;;) {
        const std::size_t found = text.find(part, start);
        result.append(text.substr(start, found == std::string_view::npos ? found : found - start));
        if (found == std::string_view::npos)
            return result;
        start = found + part.size();
    }
}
