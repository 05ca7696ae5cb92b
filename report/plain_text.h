#pragma once

#include "platform/canvas.h"
#include "platform/graphics_alignment.h"
#include "platform/graphics_font.h"
#include "platform/plain_text_lines.h"
#include "platform/string_list.h"
#include "report/text_wrapper.h"

#include <cstddef>
#include <cstdint>
#include <string>

class TppPrinter;

// Text wrapping and the helpers the devices use to draw wrapped lines.
class TppPlainText : public TppPlainTextLines
{
public:
    // The canvas text is measured on for a report's printer: the printer's
    // (its drawing context made on demand); none, meaning a screen bitmap,
    // when there is no printer or it cannot give a context.
    static platform::Canvas *MeasuringCanvasOf(TppPrinter *printer);

    // Wraps `text` into `rect` from `position` (bytes already printed) and
    // replaces `lines` with the result; `position` becomes where printing
    // resumes. `printerCanvas` is the report printer's canvas, or none.
    static void WrapText(const std::string &text, const TppTextRect &rect, TppStringList &lines,
                         std::size_t &position, platform::Canvas *printerCanvas,
                         const TppStringList &tabStops, std::int32_t leading, bool charWrap,
                         const TppFont &font, bool autoSize, TppTextAlignment alignment);

    // Whole lines of `font` plus `leading` that fit `availableHeight`
    // (thousandths); `lineHeight` receives one line's height in thousandths.
    static int LineHeightAndCount(const TppFont &font, std::int32_t leading,
                                  platform::Canvas *printerCanvas, std::int32_t availableHeight,
                                  std::int32_t &lineHeight);
};
