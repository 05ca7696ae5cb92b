#pragma once

#include "platform/canvas.h"
#include "platform/string_list.h"
#include "platform/units.h"

#include <cstddef>
#include <string>
#include <string_view>

// The helpers the devices use to draw the lines text wrapping decided: full
// justification and tab stops.
class TppPlainTextLines
{
public:
    // At most this many tab stops are used; further entries are ignored.
    static constexpr std::size_t MaxTabStops = 100;

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
