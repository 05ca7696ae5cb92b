#include "output/drawn_lines.h"

#include "output/device_rounding.h"
#include "output/draw_text.h"
#include "platform/plain_text_lines.h"
#include "platform/text_markups.h"

#include <algorithm>
#include <vector>

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

namespace {

using drawn_lines::EndsParagraph;
using drawn_lines::IsSingleWord;
using drawn_lines::WithoutParagraphEnds;
using platform::CanvasRect;

int LineWidth(const TppDrawText &text, const TppTextLineDrawing &drawing, const std::string &line)
{
    return text.IsMemo() ? TppPlainTextLines::TabbedWidth(drawing.canvas, line, drawing.tabStops)
                         : drawing.canvas.TextWidth(line);
}

// The widest line gives an auto-sized text its width, placed by alignment.
void FitToWidestLine(const TppDrawText &text, const TppTextLineDrawing &drawing,
                     const std::vector<std::string> &lines, CanvasRect &area)
{
    int widest = 0;
    for (const std::string &line : lines)
        widest = std::max(widest, LineWidth(text, drawing, WithoutParagraphEnds(line)));
    if (widest == area.Width())
        return;
    switch (text.Alignment()) {
    case taRightJustify:
        area.left = area.right - widest;
        break;
    case taCenter:
        area.left += NearestPixel((area.Width() - widest) / 2.0);
        area.right = area.left + widest;
        break;
    case taLeftJustify:
    default:
        area.right = area.left + widest;
        break;
    }
}

// Places one line by the text's alignment (justification prepared on the
// canvas) and answers its left edge; `line` becomes the text to draw.
int PlaceLine(const TppDrawText &text, const TppTextLineDrawing &drawing, const CanvasRect &lineRect,
              const std::string &stored, std::string &line)
{
    switch (text.TextAlignment()) {
    case taRightJustified:
        return lineRect.right - LineWidth(text, drawing, line);
    case taCentered:
        return lineRect.left + NearestPixel((lineRect.Width() - LineWidth(text, drawing, line)) / 2.0 - 0.5);
    case taFullJustified:
        if (!EndsParagraph(stored) || (text.ForceJustifyLastLine() && !IsSingleWord(line)))
            line = TppPlainTextLines::JustifyLine(drawing.canvas, lineRect, drawing.tabStops, line);
        else
            drawing.canvas.SetTextJustification(0, 0);
        return lineRect.left;
    case taLeftJustified:
    default:
        return lineRect.left;
    }
}

} // namespace

void DrawTextLines(TppDrawText &text, const TppTextLineDrawing &drawing)
{
    platform::Canvas &canvas = drawing.canvas;
    const auto lineTop = [&](CanvasRect area, std::size_t i) {
        return area.top + NearestPixel(double(i) * drawing.lineHeight);
    };

    CanvasRect area{text.DeviceLeft(), text.DeviceTop(), text.DeviceRight(), text.DeviceBottom()};
    const bool singleAutoSized = text.AutoSize() && !text.WordWrap() && !text.Text().empty();
    if (singleAutoSized && area.Height() < NearestPixel(drawing.lineHeight))
        area.bottom = lineTop(area, 1);

    std::vector<std::string> lines;
    if (text.WordWrap())
        lines.assign(text.WrappedText().begin(), text.WrappedText().end());
    else if (!text.Text().empty())
        lines.push_back(text.Text());
    if (text.AutoSize())
        FitToWidestLine(text, drawing, lines, area);

    if (!text.Transparent()) {
        canvas.SetBrush(TppBrush{text.Color(), bsSolid});
        canvas.FillRect(area);
    }
    canvas.SetBrush(TppBrush{text.Color(), bsClear});
    canvas.SetTextJustification(0, 0);

    const bool clipped = text.IsMemo() && drawing.clipMemo;
    if (clipped)
        canvas.SetClipRect(area);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const CanvasRect lineRect{area.left, lineTop(area, i), area.right, area.bottom};
        std::string line = WithoutParagraphEnds(lines[i]);
        const int x = PlaceLine(text, drawing, lineRect, lines[i], line);
        if (text.IsMemo())
            canvas.TabbedTextOut(x, lineRect.top, line, drawing.tabStops, x);
        else if (singleAutoSized && !drawing.clipAutoSizedLine)
            canvas.TextOut(x, lineRect.top, line);
        else
            canvas.TextRect(lineRect, x, lineRect.top, line);
    }
    canvas.SetTextJustification(0, 0);
    if (clipped)
        canvas.RemoveClipping();

    if (text.AutoSize()) {
        text.SetDeviceLeft(area.left);
        text.SetDeviceRight(area.right);
        text.SetDeviceBottom(lineTop(CanvasRect{0, text.DeviceTop(), 0, 0}, lines.size()));
    }
}
