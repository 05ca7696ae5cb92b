#pragma once

#include "platform/graphics_alignment.h"
#include "platform/graphics_font.h"
#include "platform/string_list.h"
#include "report/text_wrapper.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace platform {
class Canvas;
}

// The last wrap of a component's text, kept so that a memo printed page
// after page with the same text, box and font is measured once. The lines
// depend on the rectangle's size only, never on where it lies on the page.
class TppWrapCache
{
public:
    // As TppPlainText::WrapText, answering the remembered result when every
    // input but the rectangle's position equals the last call's.
    void Wrap(const std::string &text, const TppTextRect &rect, TppStringList &lines,
              std::size_t &position, platform::Canvas *canvas, const TppStringList &tabStops,
              std::int32_t leading, bool charWrap, const TppFont &font, bool autoSize,
              TppTextAlignment alignment);
    // The same for a shared text that nobody changes: the very text of the
    // last call is known as such without reading it, and it is kept without
    // a copy, so a long text costs nothing per call.
    void Wrap(const std::shared_ptr<const std::string> &text, const TppTextRect &rect,
              TppStringList &lines, std::size_t &position, platform::Canvas *canvas,
              const TppStringList &tabStops, std::int32_t leading, bool charWrap,
              const TppFont &font, bool autoSize, TppTextAlignment alignment);

    // As TppPlainText::LineHeightAndCount's line height, remembered likewise.
    std::int32_t LineHeight(const TppFont &font, std::int32_t leading, platform::Canvas *canvas);

    void Clear();

private:
    struct Surface {
        const platform::Canvas *canvas = nullptr;
        int pixelsPerInchX = 0;
        int pixelsPerInchY = 0;
        friend bool operator==(const Surface &, const Surface &) = default;
    };
    static Surface SurfaceOf(const platform::Canvas *canvas);

    bool m_wrapValid = false;
    std::shared_ptr<const std::string> m_text;
    std::int32_t m_width = 0;
    std::int32_t m_height = 0;
    std::size_t m_start = 0;
    Surface m_surface;
    TppStringList m_tabStops;
    std::int32_t m_leading = 0;
    bool m_charWrap = false;
    TppFont m_font;
    bool m_autoSize = false;
    TppTextAlignment m_alignment = taLeftJustified;
    TppStringList m_lines;
    std::size_t m_position = 0;

    bool m_lineHeightValid = false;
    Surface m_lineSurface;
    TppFont m_lineFont;
    std::int32_t m_lineLeading = 0;
    std::int32_t m_lineHeight = 0;
};
