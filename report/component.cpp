#include "report/component.h"

#include "report/band.h"
#include "report/custom_report.h"

TppCustomReport *TppComponent::Report() const
{
    return m_band ? m_band->Report() : nullptr;
}

void TppComponent::SetBand(TppBand *band)
{
    // Placing a free component, or taking one out, goes through the band's
    // AddObject and RemoveObject, which hand over the ownership.
    if (band == m_band || !m_band || !band)
        return;
    band->AddObject(m_band->RemoveObject(this));
}

void TppComponent::SetBandType(int value)
{
    // A band decides the code once the component is in it.
    if (!m_band)
        m_bandType = value;
}

void TppComponent::SetParentWidth(bool value)
{
    m_parentWidth = value;
    ApplyParentSize();
}

void TppComponent::SetParentHeight(bool value)
{
    m_parentHeight = value;
    ApplyParentSize();
}

void TppComponent::ApplyParentSize()
{
    if (!m_band || (!m_parentWidth && !m_parentHeight))
        return;
    std::int32_t left = mmLeft();
    std::int32_t top = mmTop();
    std::int32_t width = mmWidth();
    std::int32_t height = mmHeight();
    if (m_parentWidth) {
        left = 0;
        width = m_band->mmWidth();
    }
    if (m_parentHeight) {
        top = 0;
        height = m_band->mmHeight();
    }
    SetBounds(left, top, width, height);
}
