#include "report/plain_text.h"

#include "output/printer.h"
#include "output/printer_canvas.h"
#include "report/text_measuring.h"

#include <algorithm>

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
