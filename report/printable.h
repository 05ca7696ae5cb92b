#pragma once

#include "platform/graphics_alignment.h"
#include "platform/graphics_color.h"
#include "platform/graphics_font.h"
#include "platform/units.h"
#include "report/cacheable.h"

#include <cstdint>
#include <string>

// Anything that can be placed and printed: geometry in thousandths of a
// millimetre (with views in the report's units), font, caption and colour.
class TppPrintable : public TppCacheable {
public:
    std::int32_t mmLeft() const { return m_mmLeft; }
    std::int32_t mmTop() const { return m_mmTop; }
    std::int32_t mmWidth() const { return m_mmWidth; }
    std::int32_t mmHeight() const { return m_mmHeight; }
    void SetmmLeft(std::int32_t value);
    void SetmmTop(std::int32_t value);
    void SetmmWidth(std::int32_t value);
    void SetmmHeight(std::int32_t value);
    // Position and size at once, announcing one change.
    virtual void SetBounds(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height);

    // Views in Units, vertical resolution for all four. While a definition is
    // read, a written value is stored as whole thousandths without conversion.
    float Left() const { return ToUnits(m_mmLeft); }
    float Top() const { return ToUnits(m_mmTop); }
    float Width() const { return ToUnits(m_mmWidth); }
    float Height() const { return ToUnits(m_mmHeight); }
    void SetLeft(float value) { SetmmLeft(FromUnits(value)); }
    void SetTop(float value) { SetmmTop(FromUnits(value)); }
    void SetWidth(float value) { SetmmWidth(FromUnits(value)); }
    void SetHeight(float value) { SetmmHeight(FromUnits(value)); }

    bool Visible() const { return m_visible; }
    virtual void SetVisible(bool value);
    const std::string &Caption() const { return m_caption; }
    virtual void SetCaption(const std::string &value) { m_caption = value; }

    const TppFont &Font() const { return m_font; }
    // Copies the font in.
    virtual void SetFont(const TppFont &font);
    TppColor Color() const { return m_color; }
    void SetColor(TppColor value) { m_color = value; }
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool value) { m_transparent = value; }
    TppTextAlignment TextAlignment() const { return m_textAlignment; }
    virtual void SetTextAlignment(TppTextAlignment value) { m_textAlignment = value; }
    bool WordWrap() const { return m_wordWrap; }
    virtual void SetWordWrap(bool value);
    bool AutoSize() const { return m_autoSize; }
    virtual void SetAutoSize(bool value) { m_autoSize = value; }

    TppUnitType Units() const { return m_units; }
    void SetUnits(TppUnitType units) { m_units = units; }

protected:
    // Default size in screen pixels at the screen's resolution.
    TppPrintable(int widthPixels, int heightPixels);
    // Announces a layout change to the report, when there is one.
    void Changed();

private:
    float ToUnits(std::int32_t value) const;
    std::int32_t FromUnits(float value) const;

    std::int32_t m_mmLeft = 0;
    std::int32_t m_mmTop = 0;
    std::int32_t m_mmWidth;
    std::int32_t m_mmHeight;
    bool m_visible = true;
    std::string m_caption;
    TppFont m_font;
    TppColor m_color = clWhite;
    bool m_transparent = false;
    TppTextAlignment m_textAlignment = taLeftJustified;
    bool m_wordWrap = false;
    bool m_autoSize = false;
    TppUnitType m_units = utInches;
};
