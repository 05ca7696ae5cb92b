#include "report/wrap_cache.h"

#include "platform/canvas.h"
#include "report/plain_text.h"

TppWrapCache::Surface TppWrapCache::SurfaceOf(const platform::Canvas *canvas)
{
    // A canvas replaced by another at the same address is told apart by its
    // resolution; a screen bitmap (no canvas) is always the same.
    if (!canvas)
        return {};
    return {canvas, canvas->PixelsPerInchX(), canvas->PixelsPerInchY()};
}

void TppWrapCache::Wrap(const std::string &text, const TppTextRect &rect, TppStringList &lines,
                        std::size_t &position, platform::Canvas *canvas,
                        const TppStringList &tabStops, std::int32_t leading, bool charWrap,
                        const TppFont &font, bool autoSize, TppTextAlignment alignment)
{
    // Kept as the last text only when it differs from it.
    const std::shared_ptr<const std::string> shared
        = m_text && *m_text == text ? m_text : std::make_shared<const std::string>(text);
    Wrap(shared, rect, lines, position, canvas, tabStops, leading, charWrap, font, autoSize, alignment);
}

void TppWrapCache::Wrap(const std::shared_ptr<const std::string> &text, const TppTextRect &rect,
                        TppStringList &lines, std::size_t &position, platform::Canvas *canvas,
                        const TppStringList &tabStops, std::int32_t leading, bool charWrap,
                        const TppFont &font, bool autoSize, TppTextAlignment alignment)
{
    const Surface surface = SurfaceOf(canvas);
    const std::int32_t width = rect.Right - rect.Left;
    const std::int32_t height = rect.Bottom - rect.Top;
    const bool same = m_wrapValid && width == m_width && height == m_height && position == m_start
        && surface == m_surface && leading == m_leading && charWrap == m_charWrap
        && autoSize == m_autoSize && alignment == m_alignment && font == m_font
        && tabStops == m_tabStops && (text == m_text || (text && m_text && *text == *m_text));
    if (same) {
        lines = m_lines;
        position = m_position;
        return;
    }
    m_wrapValid = false;
    m_start = position;
    TppPlainText::WrapText(*text, rect, lines, position, canvas, tabStops, leading, charWrap, font,
                           autoSize, alignment);
    m_text = text;
    m_width = width;
    m_height = height;
    m_surface = surface;
    m_tabStops = tabStops;
    m_leading = leading;
    m_charWrap = charWrap;
    m_font = font;
    m_autoSize = autoSize;
    m_alignment = alignment;
    m_lines = lines;
    m_position = position;
    m_wrapValid = true;
}

std::int32_t TppWrapCache::LineHeight(const TppFont &font, std::int32_t leading,
                                      platform::Canvas *canvas)
{
    const Surface surface = SurfaceOf(canvas);
    if (!m_lineHeightValid || surface != m_lineSurface || leading != m_lineLeading || !(font == m_lineFont)) {
        TppPlainText::LineHeightAndCount(font, leading, canvas, 0, m_lineHeight);
        m_lineSurface = surface;
        m_lineFont = font;
        m_lineLeading = leading;
        m_lineHeightValid = true;
    }
    return m_lineHeight;
}

void TppWrapCache::Clear()
{
    m_wrapValid = false;
    m_lineHeightValid = false;
    m_text.reset();
    m_lines.clear();
}
