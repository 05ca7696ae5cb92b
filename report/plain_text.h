#pragma once

#include "output/graphics_alignment.h"
#include "output/graphics_font.h"
#include "output/string_list.h"
#include "platform/canvas.h"
#include "report/text_wrapper.h"
#include "report/units.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class TppPrinter;

// Text wrapping and the helpers the devices use to draw wrapped lines.
class TppPlainText
{
public:
    // At most this many tab stops are used; further entries are ignored.
    static constexpr std::size_t MaxTabStops = 100;

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

    // Prepares the canvas to spread `line` over `rect`'s width and answers the
    // text to draw at its left: the line from its first to its last non-blank
    // character, letter-spaced when it has no blank. An empty line only
    // switches justification off.
    static std::string JustifyLine(platform::Canvas &canvas, const platform::CanvasRect &rect,
                                   const platform::TabStops &tabStops, std::string_view line);

    // Width in device pixels with tabs expanded to the stops.
    static int TabbedWidth(const platform::Canvas &canvas, std::string_view text,
                           const platform::TabStops &tabStops);

    // Tab stops (integers in thousandths as text) in pixels of the printer on
    // the horizontal axis, truncated; the screen's without a printer. Entries
    // that are not integers are skipped.
    static platform::TabStops ConvertTabStops(const TppStringList &tabStops,
                                              const TppResolutionSource *printer);

    // `text` without any occurrence of `part`.
    static std::string RemoveAll(std::string_view text, std::string_view part);
};
