#include "output/printer_canvas.h"

TppPrinterCanvas::TppPrinterCanvas(platform::Canvas &target, bool monochrome)
    : m_target(target)
    , m_monochrome(monochrome)
{
}

void TppPrinterCanvas::SetFont(const TppFont &font)
{
    constexpr TppColor black = TppColor::FromRgb(0x000000);
    constexpr TppColor white = TppColor::FromRgb(0xFFFFFF);
    if (!m_monochrome || font.Color() == black || font.Color() == white) {
        m_target.SetFont(font);
        return;
    }
    TppFont printable = font;
    printable.SetColor(black);
    m_target.SetFont(printable);
}
