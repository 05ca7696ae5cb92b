#include "report/plain_text.h"

#include "output/printer.h"
#include "output/printer_canvas.h"
#include "report/text_markups.h"
#include "report/text_measuring.h"

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

platform::Canvas *TppPlainText::MeasuringCanvasOf(TppPrinter *printer)
{
    // The context is created on demand, so that wrapping and line counting
    // of one memo always measure on the same surface.
    return printer ? printer->Canvas() : nullptr;
}

void TppPlainText::WrapText(const std::string &text, const TppTextRect &rect,
                            TppStringList &lines, std::size_t &position,
                            platform::Canvas *printerCanvas, const TppStringList &tabStops,
                            std::int32_t leading, bool charWrap, const TppFont &font,
                            bool autoSize, TppTextAlignment alignment)
{
    TppTextWrapper wrapper;
    // The text outlives the wrapper: no copy of a long memo per page.
    wrapper.SetTextView(text);
    wrapper.SetRect(rect);
    wrapper.SetStartPosition(position);
    wrapper.SetPrinterCanvas(printerCanvas);
    wrapper.SetTabStops(tabStops);
    wrapper.SetLeading(leading);
    wrapper.SetCharWrap(charWrap);
    wrapper.SetFont(font);
    wrapper.SetAutoSize(autoSize);
    wrapper.SetTextAlignment(alignment);
    wrapper.Run();
    lines = wrapper.Lines();
    position = wrapper.Position();
}

int TppPlainText::LineHeightAndCount(const TppFont &font, std::int32_t leading,
                                     platform::Canvas *printerCanvas,
                                     std::int32_t availableHeight, std::int32_t &lineHeight)
{
    TppTextMeasuring measuring(printerCanvas);
    measuring.Canvas().SetFont(font);
    int height = measuring.Canvas().TextHeight("W");
    if (leading != 0)
        height += measuring.ThousandthsToPixels(leading, raVertical);
    lineHeight = measuring.PixelsToThousandths(height, raVertical);
    // A leading that eats the whole line leaves no line that could fit.
    if (height <= 0)
        return 0;
    const int available = measuring.ThousandthsToPixels(availableHeight, raVertical);
    return std::max(0, available / height);
}

std::string TppPlainText::JustifyLine(platform::Canvas &canvas, const platform::CanvasRect &rect,
                                      const platform::TabStops &tabStops, std::string_view line)
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

int TppPlainText::TabbedWidth(const platform::Canvas &canvas, std::string_view text,
                              const platform::TabStops &tabStops)
{
    return canvas.TabbedTextWidth(text, tabStops);
}

platform::TabStops TppPlainText::ConvertTabStops(const TppStringList &tabStops,
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

std::string TppPlainText::RemoveAll(std::string_view text, std::string_view part)
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
