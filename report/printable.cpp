#include "report/printable.h"

#include "report/custom_report.h"

TppPrintable::TppPrintable(int widthPixels, int heightPixels)
    : m_mmWidth(UnitsToMMThousandths(float(widthPixels), utScreenPixels, raVertical))
    , m_mmHeight(UnitsToMMThousandths(float(heightPixels), utScreenPixels, raVertical))
{
}

void TppPrintable::Changed()
{
    if (TppCustomReport *report = Report())
        report->Changed();
}

void TppPrintable::SetmmLeft(std::int32_t value)
{
    SetBounds(value, m_mmTop, m_mmWidth, m_mmHeight);
}

void TppPrintable::SetmmTop(std::int32_t value)
{
    SetBounds(m_mmLeft, value, m_mmWidth, m_mmHeight);
}

void TppPrintable::SetmmWidth(std::int32_t value)
{
    SetBounds(m_mmLeft, m_mmTop, value, m_mmHeight);
}

void TppPrintable::SetmmHeight(std::int32_t value)
{
    SetBounds(m_mmLeft, m_mmTop, m_mmWidth, value);
}

void TppPrintable::SetBounds(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height)
{
    if (left == m_mmLeft && top == m_mmTop && width == m_mmWidth && height == m_mmHeight)
        return;
    m_mmLeft = left;
    m_mmTop = top;
    m_mmWidth = width;
    m_mmHeight = height;
    if (!IsReading())
        Changed();
}

float TppPrintable::ToUnits(std::int32_t value) const
{
    return MMThousandthsToUnits(value, m_units, raVertical);
}

std::int32_t TppPrintable::FromUnits(float value) const
{
    if (IsReading())
        return static_cast<std::int32_t>(value);
    return UnitsToMMThousandths(value, m_units, raVertical);
}

void TppPrintable::SetVisible(bool value)
{
    if (value == m_visible)
        return;
    m_visible = value;
    if (!IsReading())
        Changed();
}

void TppPrintable::SetFont(const TppFont &font)
{
    m_font = font;
}

void TppPrintable::SetWordWrap(bool value)
{
    if (value == m_wordWrap)
        return;
    m_wordWrap = value;
    if (!IsReading())
        Changed();
}
