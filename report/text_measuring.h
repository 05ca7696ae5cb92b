#pragma once

#include "platform/canvas.h"
#include "platform/units.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

// The surface text is measured on, with the conversions between its pixels
// and thousandths: the report printer's canvas when there is one (printer
// pixels at its resolution), otherwise a screen bitmap of its own (screen
// pixels).
class TppTextMeasuring : private TppResolutionSource
{
public:
    explicit TppTextMeasuring(platform::Canvas *printerCanvas);
    ~TppTextMeasuring() override;

    platform::Canvas &Canvas() const { return *m_canvas; }
    bool OnPrinter() const { return m_onPrinter; }

    // Width of a text in pixels: tabs expanded to the stops when it holds any.
    int PixelWidth(std::string_view text, const platform::TabStops &stops) const;
    // The same width in thousandths.
    std::int32_t Width(std::string_view text, const platform::TabStops &stops) const;

    // Whether a tab-free text can be measured piece by piece: the advance
    // of a line is then the sum of its parts' advances.
    bool Piecewise(std::string_view text) const;
    // Advance(text) of a text that Piecewise accepts, in one pass; none for
    // any other text.
    std::optional<double> PiecewiseAdvance(std::string_view text) const
    {
        double advance = 0;
        if (m_canvas->PiecewiseAdvance(text, advance))
            return advance;
        return std::nullopt;
    }
    // Fractional width in pixels, before rounding to whole pixels.
    double Advance(std::string_view text) const { return m_canvas->TextAdvance(text); }
    // Width in thousandths of a text of the given advance, as Width gives it.
    std::int32_t WidthOfAdvance(double advance) const;
    // Whether WidthOfAdvance(advance), or the width of `pixels`, would exceed
    // `thousandths`: the same answer, compared in pixels. Wrapping asks this
    // for every word, and converting each width costs more than measuring.
    bool AdvanceWiderThan(double advance, std::int32_t thousandths) const
    {
        // Most words are answered by what earlier ones found.
        if (m_limitKnown && m_limitThousandths == thousandths) {
            if (m_fittingKnown && advance <= m_widestFitting)
                return false;
            if (m_tooWideKnown && advance >= m_narrowestTooWide)
                return true;
        }
        return RoundedAdvanceWiderThan(advance, thousandths);
    }
    bool PixelsWiderThan(int pixels, std::int32_t thousandths) const;

    // The printer's resolution for unit conversions; none (the screen's)
    // on a screen bitmap.
    const TppResolutionSource *Resolution() const { return m_onPrinter ? this : nullptr; }

    std::int32_t PixelsToThousandths(int pixels, TppResolutionAxis axis) const;
    // Truncated to whole pixels.
    int ThousandthsToPixels(std::int32_t thousandths, TppResolutionAxis axis) const;

private:
    bool HasDeviceContext() const override { return true; }
    int PixelsPerInchX() const override { return m_canvas->PixelsPerInchX(); }
    int PixelsPerInchY() const override { return m_canvas->PixelsPerInchY(); }
    TppUnitType PixelUnit() const { return m_onPrinter ? utPrinterPixels : utScreenPixels; }
    // Makes `thousandths` the bound the answers below are kept for.
    void SelectLimit(std::int32_t thousandths) const;
    bool RoundedAdvanceWiderThan(double advance, std::int32_t thousandths) const;

    // The pixel bound of the last width asked about.
    mutable bool m_limitKnown = false;
    mutable std::int32_t m_limitThousandths = 0;
    mutable std::int64_t m_limitPixels = 0;
    // Advances already found to fit within the bound and to pass it: pixels
    // grow with the advance, so most words are answered without rounding.
    mutable double m_widestFitting = 0;
    mutable double m_narrowestTooWide = 0;
    mutable bool m_fittingKnown = false;
    mutable bool m_tooWideKnown = false;

    std::unique_ptr<platform::Canvas> m_screenCanvas;
    platform::Canvas *m_canvas;
    bool m_onPrinter;
};
