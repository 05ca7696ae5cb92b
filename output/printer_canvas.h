#pragma once

#include "platform/canvas.h"

#include <memory>

// The canvas of a printer: the drawing context's canvas, with the printer's
// rule for fonts: on a monochrome printer a font colour other than black and
// white prints black (fonts move to the printer's resolution in the canvas
// itself).
class TppPrinterCanvas : public platform::Canvas
{
public:
    TppPrinterCanvas(platform::Canvas &target, bool monochrome);

    platform::Canvas &Target() const { return m_target; }
    bool Monochrome() const { return m_monochrome; }

    int PixelsPerInchX() const override { return m_target.PixelsPerInchX(); }
    int PixelsPerInchY() const override { return m_target.PixelsPerInchY(); }

    void SetFont(const TppFont &font) override;
    const TppFont &Font() const override { return m_target.Font(); }
    void SetPen(const TppPen &pen) override { m_target.SetPen(pen); }
    const TppPen &Pen() const override { return m_target.Pen(); }
    void SetBrush(const TppBrush &brush) override { m_target.SetBrush(brush); }
    const TppBrush &Brush() const override { return m_target.Brush(); }

    platform::CanvasFontMetrics FontMetrics() const override { return m_target.FontMetrics(); }
    int TextWidth(std::string_view text) const override { return m_target.TextWidth(text); }
    double TextAdvance(std::string_view text) const override { return m_target.TextAdvance(text); }
    int AdvancePixels(double advance) const override { return m_target.AdvancePixels(advance); }
    bool AdvancesAdd(std::string_view text) const override { return m_target.AdvancesAdd(text); }
    std::vector<double> CharacterAdvances(std::string_view text) const override
    {
        return m_target.CharacterAdvances(text);
    }
    bool PiecewiseAdvance(std::string_view text, double &advance) const override
    {
        return m_target.PiecewiseAdvance(text, advance);
    }
    int TextHeight(std::string_view text) const override { return m_target.TextHeight(text); }
    int TabbedTextWidth(std::string_view text, const platform::TabStops &stops) const override
    {
        return m_target.TabbedTextWidth(text, stops);
    }
    platform::CanvasRect CalcTextRect(const platform::CanvasRect &bounds, std::string_view text,
                                      platform::CanvasTextFlags flags) const override
    {
        return m_target.CalcTextRect(bounds, text, flags);
    }

    void SetTextLayout(const platform::Canvas *layout, double scaleX, double scaleY) override
    {
        m_target.SetTextLayout(layout, scaleX, scaleY);
    }
    void SetTextJustification(int extra, int breakCount) override { m_target.SetTextJustification(extra, breakCount); }
    void TextOut(int x, int y, std::string_view text) override { m_target.TextOut(x, y, text); }
    void TextRect(const platform::CanvasRect &clip, int x, int y, std::string_view text, bool opaque = false) override
    {
        m_target.TextRect(clip, x, y, text, opaque);
    }
    void TabbedTextOut(int x, int y, std::string_view text, const platform::TabStops &stops, int tabOrigin) override
    {
        m_target.TabbedTextOut(x, y, text, stops, tabOrigin);
    }

    void FillRect(const platform::CanvasRect &rect) override { m_target.FillRect(rect); }
    void Rectangle(const platform::CanvasRect &rect) override { m_target.Rectangle(rect); }
    void RoundRect(const platform::CanvasRect &rect, int cornerWidth, int cornerHeight) override
    {
        m_target.RoundRect(rect, cornerWidth, cornerHeight);
    }
    void Ellipse(const platform::CanvasRect &rect) override { m_target.Ellipse(rect); }
    void Line(platform::CanvasPoint from, platform::CanvasPoint to) override { m_target.Line(from, to); }
    void Polyline(const std::vector<platform::CanvasPoint> &points) override { m_target.Polyline(points); }

    void StretchBitmap(const platform::CanvasRect &target, const TppBitmap &bitmap,
                       platform::CopyMode mode = platform::CopyMode::Copy) override
    {
        m_target.StretchBitmap(target, bitmap, mode);
    }
    bool DrawEncodedPicture(const platform::CanvasRect &target, TppGraphicKind kind,
                            const TppPictureSource &source) override
    {
        return m_target.DrawEncodedPicture(target, kind, source);
    }

    void SetClipRect(const platform::CanvasRect &rect) override { m_target.SetClipRect(rect); }
    void RemoveClipping() override { m_target.RemoveClipping(); }

private:
    platform::Canvas &m_target;
    bool m_monochrome;
};
