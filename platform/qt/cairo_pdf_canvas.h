#pragma once

#include "platform/qt/cairo_font_faces.h"
#include "platform/qt/converted_images.h"
#include "platform/qt/painter_canvas.h"

#include <QImage>

#include <cairo.h>

#include <map>
#include <optional>
#include <string>
#include <vector>


namespace platform {

// A printer's canvas whose pages are drawn into a PDF by cairo. It measures
// exactly as the painter canvas over the same printer (it is one), and draws
// what that canvas would draw at the same positions: text as runs of glyphs
// from the font files Qt measures with, shapes as paths, bitmaps once per
// document each. Without a context it only measures. The context is not
// owned.
class CairoPdfCanvas : public PainterCanvas
{
public:
    explicit CairoPdfCanvas(QPaintDevice *printer);
    ~CairoPdfCanvas() override;

    // The document's context, in device pixels from the corner of the
    // printable area; null between documents.
    void SetContext(cairo_t *context);

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
    // JPEG sources go into the PDF as their own bytes.
    bool DrawEncodedPicture(const CanvasRect &target, TppGraphicKind kind,
                            const TppPictureSource &source) override;

    void SetClipRect(const CanvasRect &rect) override;
    void RemoveClipping() override;

protected:
    void DrawTextAt(QPointF origin, const QString &text) override;

private:
    struct PictureSurface {
        cairo_surface_t *surface = nullptr;
        int lastPage = 0; // the page it was last drawn on
    };

    void SetClip(const std::optional<CanvasRect> &extra);
    void PrepareText();
    // Glyphs of the text in the canvas's own font when every character has
    // one there and its advance is known; false otherwise.
    bool DrawPlainRun(QPointF origin, const QString &text);
    // Any text, shaped by Qt with its fallback fonts.
    void DrawShapedRun(QPointF origin, const QString &text);
    void DrawDecorations(QPointF origin, qreal width);
    bool SelectFace(const QRawFont &font);
    // Prepares the pen; false when it draws nothing.
    bool PreparePen();
    // Fills the current path with the brush, keeping the path.
    void FillWithBrush();
    void StrokeAndFill();
    PictureSurface &SurfaceOf(const TppBitmap &bitmap, bool whiteAsTransparent);
    PictureSurface &JpegSurfaceOf(const TppPictureSource &source);
    // Paints a picture's surface of its size in pixels over `target`.
    void PaintPicture(PictureSurface &picture, const CanvasRect &target, int pixelsWide, int pixelsHigh);
    void DropSurfaces();

    cairo_t *m_context = nullptr;
    // The clip last given to cairo: the canvas's own and a text's rectangle.
    bool m_clipApplied = false;
    std::optional<CanvasRect> m_appliedClip;
    std::optional<CanvasRect> m_appliedExtra;
    CairoFontFaces m_faces;
    std::optional<QRawFont> m_rawFont;
    QFont m_rawFontOf;
    cairo_font_face_t *m_lastFace = nullptr;
    qreal m_lastPixelSize = 0;
    std::vector<cairo_glyph_t> m_glyphs;
    ConvertedImages m_images;
    // Surfaces of the images drawn in the current document, by the image's
    // cache key: drawn again, a picture is the same PDF object.
    std::map<qint64, PictureSurface> m_surfaces;
    // JPEG surfaces by their bytes' identifier; each keeps its bytes alive.
    std::map<std::string, PictureSurface> m_jpegSurfaces;
};

} // namespace platform
