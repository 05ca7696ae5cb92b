#include "report/text_measuring.h"

#include "platform/text_markups.h"

#include <cmath>

TppTextMeasuring::TppTextMeasuring(platform::Canvas *printerCanvas)
    : m_canvas(printerCanvas)
    , m_onPrinter(printerCanvas != nullptr)
{
    if (!m_canvas) {
        m_screenCanvas = platform::CreateScreenBitmapCanvas();
        m_canvas = m_screenCanvas.get();
    }
}

TppTextMeasuring::~TppTextMeasuring() = default;

int TppTextMeasuring::PixelWidth(std::string_view text, const platform::TabStops &stops) const
{
    if (text.find(TppTextMarkups::Tab) != std::string_view::npos)
        return m_canvas->TabbedTextWidth(text, stops);
    return m_canvas->TextWidth(text);
}

std::int32_t TppTextMeasuring::Width(std::string_view text, const platform::TabStops &stops) const
{
    return PixelsToThousandths(PixelWidth(text, stops), raHorizontal);
}

bool TppTextMeasuring::Piecewise(std::string_view text) const
{
    return text.find(TppTextMarkups::Tab) == std::string_view::npos && m_canvas->AdvancesAdd(text);
}

std::int32_t TppTextMeasuring::WidthOfAdvance(double advance) const
{
    return PixelsToThousandths(m_canvas->AdvancePixels(advance), raHorizontal);
}

bool TppTextMeasuring::RoundedAdvanceWiderThan(double advance, std::int32_t thousandths) const
{
    // The known advances were asked about in AdvanceWiderThan; a new bound
    // forgets them.
    SelectLimit(thousandths);
    const bool wider = m_canvas->AdvancePixels(advance) > m_limitPixels;
    if (wider) {
        m_narrowestTooWide = advance;
        m_tooWideKnown = true;
    } else {
        m_widestFitting = advance;
        m_fittingKnown = true;
    }
    return wider;
}

bool TppTextMeasuring::PixelsWiderThan(int pixels, std::int32_t thousandths) const
{
    SelectLimit(thousandths);
    return pixels > m_limitPixels;
}

void TppTextMeasuring::SelectLimit(std::int32_t thousandths) const
{
    if (m_limitKnown && m_limitThousandths == thousandths)
        return;
    m_limitPixels = LargestPixelsWithin(thousandths, PixelUnit(), raHorizontal, this);
    m_limitThousandths = thousandths;
    m_limitKnown = true;
    m_fittingKnown = false;
    m_tooWideKnown = false;
}

std::int32_t TppTextMeasuring::PixelsToThousandths(int pixels, TppResolutionAxis axis) const
{
    return UnitsToMMThousandths(float(pixels), PixelUnit(), axis, this);
}

int TppTextMeasuring::ThousandthsToPixels(std::int32_t thousandths, TppResolutionAxis axis) const
{
    return int(std::trunc(MMThousandthsToUnits(thousandths, PixelUnit(), axis, this)));
}
