#pragma once

#include <cstdint>

// A colour as the report engine stores it: either a fixed RGB value or a
// system colour role that the platform resolves when it draws. Roles let a
// page follow the desktop's colours without the engine knowing them.
enum TppSystemColor : std::uint8_t {
    scNone = 0,
    scWindow,
    scWindowText,
    scButtonFace,
    scButtonShadow,
    scButtonText,
    scHighlight,
    scHighlightText,
    scGrayText,
};

class TppColor {
public:
    constexpr TppColor() = default;

    // 0xRRGGBB.
    static constexpr TppColor FromRgb(std::uint32_t rgb)
    {
        TppColor c;
        c.m_rgb = rgb & 0xFFFFFFu;
        return c;
    }
    static constexpr TppColor FromRgb(std::uint8_t r, std::uint8_t g, std::uint8_t b)
    {
        return FromRgb((std::uint32_t(r) << 16) | (std::uint32_t(g) << 8) | b);
    }
    static constexpr TppColor FromSystem(TppSystemColor role)
    {
        TppColor c;
        c.m_role = role;
        return c;
    }

    constexpr bool IsSystem() const { return m_role != scNone; }
    constexpr TppSystemColor SystemRole() const { return m_role; }
    // The RGB value; 0 for a system colour (resolve it through the platform).
    constexpr std::uint32_t Rgb() const { return m_role == scNone ? m_rgb : 0; }
    constexpr std::uint8_t Red() const { return std::uint8_t(Rgb() >> 16); }
    constexpr std::uint8_t Green() const { return std::uint8_t(Rgb() >> 8); }
    constexpr std::uint8_t Blue() const { return std::uint8_t(Rgb()); }

    friend constexpr bool operator==(const TppColor &, const TppColor &) = default;

private:
    std::uint32_t m_rgb = 0;
    TppSystemColor m_role = scNone;
};

inline constexpr TppColor clBlack = TppColor::FromRgb(0x000000);
inline constexpr TppColor clWhite = TppColor::FromRgb(0xFFFFFF);
inline constexpr TppColor clRed = TppColor::FromRgb(0xFF0000);
inline constexpr TppColor clGreen = TppColor::FromRgb(0x008000);
inline constexpr TppColor clBlue = TppColor::FromRgb(0x0000FF);
inline constexpr TppColor clGray = TppColor::FromRgb(0x808080);
inline constexpr TppColor clSilver = TppColor::FromRgb(0xC0C0C0);
inline constexpr TppColor clWindow = TppColor::FromSystem(scWindow);
inline constexpr TppColor clWindowText = TppColor::FromSystem(scWindowText);
inline constexpr TppColor clBtnFace = TppColor::FromSystem(scButtonFace);
inline constexpr TppColor clBtnShadow = TppColor::FromSystem(scButtonShadow);
inline constexpr TppColor clBtnText = TppColor::FromSystem(scButtonText);
inline constexpr TppColor clHighlight = TppColor::FromSystem(scHighlight);
inline constexpr TppColor clHighlightText = TppColor::FromSystem(scHighlightText);
inline constexpr TppColor clGrayText = TppColor::FromSystem(scGrayText);
