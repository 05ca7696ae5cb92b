#pragma once

#include "platform/graphics_color.h"

#include <cstdint>
#include <string>

enum TppFontStyle : std::uint8_t {
    fsBold = 0x01,
    fsItalic = 0x02,
    fsUnderline = 0x04,
    fsStrikeOut = 0x08,
};
// A set of TppFontStyle bits.
using TppFontStyles = std::uint8_t;

enum TppFontPitch : std::uint8_t { fpDefault, fpVariable, fpFixed };

// Character sets by their conventional numbers; only these three occur.
inline constexpr std::uint8_t kAnsiCharset = 0;
inline constexpr std::uint8_t kDefaultCharset = 1;
inline constexpr std::uint8_t kSymbolCharset = 2;

// A font description owned by its holder (components, draw commands, canvases
// copy it; nobody shares one). The height in pixels at PixelsPerInch is what
// is kept, as drawing needs it; the point size is derived from it, so a font
// moved to a printer's resolution keeps its point size.
class TppFont {
public:
    TppFont() = default;

    const std::string &Name() const { return m_name; }
    void SetName(std::string name) { m_name = std::move(name); }

    // Negative: the character height without internal leading, as fonts are
    // usually asked for; positive: the cell height.
    int Height() const { return m_height; }
    void SetHeight(int height) { m_height = height; }

    // Points; rounded to the nearest whole point (halves away from zero).
    int Size() const { return -MulDiv(m_height, 72, m_pixelsPerInch); }
    void SetSize(int points) { m_height = -MulDiv(points, m_pixelsPerInch, 72); }

    int PixelsPerInch() const { return m_pixelsPerInch; }
    // Keeps the point size. Non-positive resolutions are ignored.
    void SetPixelsPerInch(int ppi)
    {
        if (ppi <= 0 || ppi == m_pixelsPerInch)
            return;
        const int points = Size();
        m_pixelsPerInch = ppi;
        SetSize(points);
    }

    TppFontStyles Style() const { return m_style; }
    void SetStyle(TppFontStyles style) { m_style = style; }
    bool Bold() const { return m_style & fsBold; }
    bool Italic() const { return m_style & fsItalic; }
    bool Underline() const { return m_style & fsUnderline; }
    bool StrikeOut() const { return m_style & fsStrikeOut; }

    TppColor Color() const { return m_color; }
    void SetColor(TppColor color) { m_color = color; }

    std::uint8_t Charset() const { return m_charset; }
    void SetCharset(std::uint8_t charset) { m_charset = charset; }

    TppFontPitch Pitch() const { return m_pitch; }
    void SetPitch(TppFontPitch pitch) { m_pitch = pitch; }

    // Same look: name, size, style, colour, character set and pitch.
    friend bool operator==(const TppFont &a, const TppFont &b)
    {
        return a.m_name == b.m_name && a.Size() == b.Size() && a.m_height == b.m_height
            && a.m_style == b.m_style && a.m_color == b.m_color && a.m_charset == b.m_charset
            && a.m_pitch == b.m_pitch;
    }

    // a * b / c rounded half away from zero, as font sizes are converted
    // everywhere else on the desktop; 0 when c is 0.
    static constexpr int MulDiv(int a, int b, int c)
    {
        if (c == 0)
            return 0;
        const long long p = static_cast<long long>(a) * b;
        const long long half = (c < 0 ? -c : c) / 2;
        const bool negative = (p < 0) != (c < 0);
        const long long q = ((p < 0 ? -p : p) + half) / (c < 0 ? -c : c);
        return static_cast<int>(negative ? -q : q);
    }

private:
    // The desktop's default user-interface font at 96 pixels per inch (8 points).
    std::string m_name = "MS Sans Serif";
    int m_height = -11;
    int m_pixelsPerInch = 96;
    TppFontStyles m_style = 0;
    TppColor m_color = clWindowText;
    std::uint8_t m_charset = kDefaultCharset;
    TppFontPitch m_pitch = fpDefault;
};
