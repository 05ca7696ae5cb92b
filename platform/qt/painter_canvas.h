#pragma once

#include "platform/canvas.h"
#include "platform/qt/converted_images.h"
#include "platform/qt/text_advance_cache.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPointF>
#include <QRawFont>

#include <optional>

class QPaintDevice;
class QPainter;
class QString;

namespace platform {

// A canvas over any paint device (a QImage, a QPrinter). It measures with the
// fonts of that device at its resolution, and draws through a painter active
// on it; without a painter (a printer between documents) it only measures and
// drawing does nothing. Neither the device nor the painter is owned.
class PainterCanvas : public Canvas
{
public:
    explicit PainterCanvas(QPaintDevice *device, QPainter *painter = nullptr);
    ~PainterCanvas() override;

    // The printer's painter lives as long as its document.
    void SetPainter(QPainter *painter);
    QPainter *Painter() const { return m_painter; }
    QPaintDevice *Device() const { return m_device; }

    int PixelsPerInchX() const override;
    int PixelsPerInchY() const override;

    void SetFont(const TppFont &font) override;
    const TppFont &Font() const override { return m_font; }
    void SetPen(const TppPen &pen) override { m_pen = pen; }
    const TppPen &Pen() const override { return m_pen; }
    void SetBrush(const TppBrush &brush) override { m_brush = brush; }
    const TppBrush &Brush() const override { return m_brush; }

    CanvasFontMetrics FontMetrics() const override;
    int TextWidth(std::string_view text) const override;
    double TextAdvance(std::string_view text) const override;
    int AdvancePixels(double advance) const override;
    bool AdvancesAdd(std::string_view text) const override;
    std::vector<double> CharacterAdvances(std::string_view text) const override;
    bool PiecewiseAdvance(std::string_view text, double &advance) const override;
    int TextHeight(std::string_view text) const override;
    int TabbedTextWidth(std::string_view text, const TabStops &stops) const override;
    CanvasRect CalcTextRect(const CanvasRect &bounds, std::string_view text,
                            CanvasTextFlags flags) const override;

    void SetTextLayout(const Canvas *layout, double scaleX, double scaleY) override;
    void SetTextJustification(int extra, int breakCount) override;
    void TextOut(int x, int y, std::string_view text) override;
    void TextRect(const CanvasRect &clip, int x, int y, std::string_view text,
                  bool opaque = false) override;
    void TabbedTextOut(int x, int y, std::string_view text, const TabStops &stops,
                       int tabOrigin) override;

    void FillRect(const CanvasRect &rect) override;
    void Rectangle(const CanvasRect &rect) override;
    void RoundRect(const CanvasRect &rect, int cornerWidth, int cornerHeight) override;
    void Ellipse(const CanvasRect &rect) override;
    void Line(CanvasPoint from, CanvasPoint to) override;
    void Polyline(const std::vector<CanvasPoint> &points) override;

    void StretchBitmap(const CanvasRect &target, const TppBitmap &bitmap,
                       CopyMode mode = CopyMode::Copy) override;

    void SetClipRect(const CanvasRect &rect) override;
    void RemoveClipping() override;

protected:
    const QFont &QtFont() const { return m_qfont; }
    const QFontMetricsF &Metrics() const;
    const std::optional<CanvasRect> &Clip() const { return m_clip; }
    // Draws one tab-free run at x, spaces widened by the justification; answers
    // the x after it.
    int DrawRun(int x, int y, const QString &run, int &breaksDone);
    int DrawTabbed(int x, int y, const QString &text, const TabStops &stops, int origin);
    // Draws a text shaped as measured with its baseline's start at `origin`:
    // every piece of text the canvas draws, on its own layout, goes here.
    virtual void DrawTextAt(QPointF origin, const QString &text);

private:
    struct Justification {
        int extra = 0;
        int breakCount = 0;
    };

    int WidthOf(const QString &text) const;
    // WidthOf a run being drawn.
    int RunWidth(const QString &run) const;
    double CharacterAdvance(char32_t code) const;
    double MeasureCharacter(char32_t code) const;
    void SelectAdvances() const;
    int DefaultTabSpacing() const;
    int TabbedWidthOf(const QString &text, const TabStops &stops) const;
    // DrawRun with every character where the layout canvas puts it.
    int DrawLaidOutRun(int x, qreal baseline, const QString &run, int &breaksDone);
    void DrawGlyphsAt(int x, qreal baseline, const QString &text, const std::vector<qreal> &offsets);
    // The advance of the text's first `length` characters, in this canvas's
    // pixels.
    qreal PrefixAdvance(const QString &text, qsizetype length) const;
    qreal Baseline(int y) const;
    bool PrepareShape();
    void PrepareText();
    void ApplyClip();

    QPaintDevice *m_device;
    QPainter *m_painter;
    TppFont m_font;
    TppPen m_pen;
    TppBrush m_brush;
    QFont m_qfont;
    bool m_qfontMade = false;
    mutable std::optional<QFontMetricsF> m_metrics;
    // Asked for every text a wrapper lays out; Qt looks the font up again on
    // every question.
    mutable std::optional<CanvasFontMetrics> m_canvasMetrics;
    mutable TextAdvanceCache m_advances;
    mutable bool m_advancesFontSelected = false;
    Justification m_justification;
    const Canvas *m_layout = nullptr;
    double m_layoutScaleX = 1.0;
    double m_layoutScaleY = 1.0;
    mutable std::optional<QRawFont> m_rawFont;
    std::optional<CanvasRect> m_clip;
    ConvertedImages m_images;
};

} // namespace platform
