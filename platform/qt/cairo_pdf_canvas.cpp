#include "platform/qt/cairo_pdf_canvas.h"

#include "platform/qt/pdf_document.h"
#include "platform/qt/qt_color.h"

#include <QGlyphRun>
#include <QRawFont>
#include <QTextLayout>

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace platform {

namespace {

QString FromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

void SetSourceColor(cairo_t *context, TppColor color)
{
    const QColor qt = ToQColor(color);
    cairo_set_source_rgb(context, qt.redF(), qt.greenF(), qt.blueF());
}

// The rectangle a frame of the pen's width is stroked along, so that the
// stroke stays inside `rect`, as the painter canvas draws it.
void PathStrokeRect(cairo_t *context, const CanvasRect &rect, double penWidth)
{
    const double inset = penWidth / 2;
    cairo_rectangle(context, rect.left + inset, rect.top + inset, std::max(0.0, rect.Width() - penWidth),
                    std::max(0.0, rect.Height() - penWidth));
}

void PathEllipse(cairo_t *context, double x, double y, double width, double height)
{
    if (width <= 0 || height <= 0)
        return;
    cairo_save(context);
    cairo_translate(context, x + width / 2, y + height / 2);
    cairo_scale(context, width / 2, height / 2);
    cairo_new_sub_path(context);
    cairo_arc(context, 0, 0, 1, 0, 2 * M_PI);
    cairo_close_path(context);
    cairo_restore(context);
}

void PathRoundedRect(cairo_t *context, double x, double y, double width, double height, double radiusX,
                     double radiusY)
{
    radiusX = std::min(radiusX, width / 2);
    radiusY = std::min(radiusY, height / 2);
    if (radiusX <= 0 || radiusY <= 0) {
        cairo_rectangle(context, x, y, width, height);
        return;
    }
    const auto corner = [&](double cx, double cy, double from) {
        cairo_save(context);
        cairo_translate(context, cx, cy);
        cairo_scale(context, radiusX, radiusY);
        cairo_arc(context, 0, 0, 1, from, from + M_PI / 2);
        cairo_restore(context);
    };
    cairo_new_sub_path(context);
    corner(x + width - radiusX, y + radiusY, -M_PI / 2);
    corner(x + width - radiusX, y + height - radiusY, 0);
    corner(x + radiusX, y + height - radiusY, M_PI / 2);
    corner(x + radiusX, y + radiusY, M_PI);
    cairo_close_path(context);
}

// The dashes of one-pixel pens, in pen widths, as the painter draws them.
std::vector<double> DashesOf(TppPenStyle style)
{
    switch (style) {
    case psDash:
        return {4, 2};
    case psDot:
        return {1, 2};
    case psDashDot:
        return {4, 2, 1, 2};
    case psDashDotDot:
        return {4, 2, 1, 2, 1, 2};
    default:
        return {};
    }
}

// A repeating tile of hatching in the brush's colour, eight pixels square.
cairo_pattern_t *HatchPattern(TppBrushStyle style, TppColor color)
{
    constexpr int kTile = 8;
    cairo_surface_t *tile = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kTile, kTile);
    cairo_t *draw = cairo_create(tile);
    SetSourceColor(draw, color);
    cairo_set_line_width(draw, 1);
    cairo_set_antialias(draw, CAIRO_ANTIALIAS_NONE);
    const bool horizontal = style == bsHorizontal || style == bsCross;
    const bool vertical = style == bsVertical || style == bsCross;
    const bool forward = style == bsFDiagonal || style == bsDiagCross;
    const bool backward = style == bsBDiagonal || style == bsDiagCross;
    if (horizontal) {
        cairo_move_to(draw, 0, 0.5);
        cairo_line_to(draw, kTile, 0.5);
    }
    if (vertical) {
        cairo_move_to(draw, 0.5, 0);
        cairo_line_to(draw, 0.5, kTile);
    }
    if (forward) {
        cairo_move_to(draw, 0, kTile);
        cairo_line_to(draw, kTile, 0);
    }
    if (backward) {
        cairo_move_to(draw, 0, 0);
        cairo_line_to(draw, kTile, kTile);
    }
    cairo_stroke(draw);
    cairo_destroy(draw);
    cairo_pattern_t *pattern = cairo_pattern_create_for_surface(tile);
    cairo_surface_destroy(tile);
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_REPEAT);
    cairo_pattern_set_filter(pattern, CAIRO_FILTER_NEAREST);
    return pattern;
}

// Names a picture's surface in the document: drawn again on later pages, it
// is the same object in the file.
void SetUniqueId(cairo_surface_t *surface, const std::string &id)
{
    auto *bytes = static_cast<unsigned char *>(std::malloc(id.size()));
    std::memcpy(bytes, id.data(), id.size());
    cairo_surface_set_mime_data(surface, CAIRO_MIME_TYPE_UNIQUE_ID, bytes, id.size(), std::free, bytes);
}

} // namespace

CairoPdfCanvas::CairoPdfCanvas(QPaintDevice *printer)
    : PainterCanvas(printer)
{
}

CairoPdfCanvas::~CairoPdfCanvas()
{
    DropSurfaces();
}

void CairoPdfCanvas::SetContext(cairo_t *context)
{
    m_context = context;
    m_clipApplied = false;
    DropSurfaces();
    m_lastFace = nullptr;
}

void CairoPdfCanvas::DropSurfaces()
{
    for (const auto &[key, picture] : m_surfaces)
        cairo_surface_destroy(picture.surface);
    m_surfaces.clear();
    for (const auto &[key, picture] : m_jpegSurfaces)
        cairo_surface_destroy(picture.surface);
    m_jpegSurfaces.clear();
}

void CairoPdfCanvas::SetClip(const std::optional<CanvasRect> &extra)
{
    // Most drawing keeps the clip it had: a clip set again costs cairo a new
    // graphics state in the page.
    if (m_clipApplied && m_appliedClip == Clip() && m_appliedExtra == extra)
        return;
    m_clipApplied = true;
    m_appliedClip = Clip();
    m_appliedExtra = extra;
    cairo_reset_clip(m_context);
    for (const std::optional<CanvasRect> &rect : {Clip(), extra}) {
        if (!rect)
            continue;
        cairo_rectangle(m_context, rect->left, rect->top, rect->Width(), rect->Height());
        cairo_clip(m_context);
    }
}

void CairoPdfCanvas::SetClipRect(const CanvasRect &rect)
{
    PainterCanvas::SetClipRect(rect);
    if (m_context)
        SetClip(std::nullopt);
}

void CairoPdfCanvas::RemoveClipping()
{
    PainterCanvas::RemoveClipping();
    if (m_context)
        SetClip(std::nullopt);
}

void CairoPdfCanvas::PrepareText()
{
    SetSourceColor(m_context, Font().Color());
    SetClip(std::nullopt);
}

void CairoPdfCanvas::TextOut(int x, int y, std::string_view text)
{
    if (!m_context)
        return;
    PrepareText();
    int breaksDone = 0;
    DrawRun(x, y, FromUtf8(text), breaksDone);
}

void CairoPdfCanvas::TextRect(const CanvasRect &clip, int x, int y, std::string_view text, bool opaque)
{
    if (!m_context)
        return;
    SetClip(clip);
    if (opaque) {
        SetSourceColor(m_context, Brush().Color);
        cairo_rectangle(m_context, clip.left, clip.top, clip.Width(), clip.Height());
        cairo_fill(m_context);
    }
    SetSourceColor(m_context, Font().Color());
    int breaksDone = 0;
    DrawRun(x, y, FromUtf8(text), breaksDone);
    SetClip(std::nullopt);
}

void CairoPdfCanvas::TabbedTextOut(int x, int y, std::string_view text, const TabStops &stops, int tabOrigin)
{
    if (!m_context)
        return;
    PrepareText();
    DrawTabbed(x, y, FromUtf8(text), stops, tabOrigin);
}

void CairoPdfCanvas::DrawTextAt(QPointF origin, const QString &text)
{
    if (text.isEmpty())
        return;
    if (!DrawPlainRun(origin, text))
        DrawShapedRun(origin, text);
    if (QtFont().underline() || QtFont().strikeOut())
        DrawDecorations(origin, TextAdvance(text.toStdString()));
}

bool CairoPdfCanvas::SelectFace(const QRawFont &font)
{
    cairo_font_face_t *face = m_faces.FaceOf(font);
    if (!face)
        return false;
    if (face != m_lastFace || font.pixelSize() != m_lastPixelSize) {
        cairo_set_font_face(m_context, face);
        cairo_set_font_size(m_context, font.pixelSize());
        m_lastFace = face;
        m_lastPixelSize = font.pixelSize();
    }
    return true;
}

bool CairoPdfCanvas::DrawPlainRun(QPointF origin, const QString &text)
{
    // The advances the text was measured with place its glyphs: what the
    // painter draws for text laid out glyph by glyph.
    const std::vector<double> advances = CharacterAdvances(text.toStdString());
    if (advances.size() != std::size_t(text.size()))
        return false;
    if (!m_rawFont || m_rawFontOf != QtFont()) {
        m_rawFont = QRawFont::fromFont(QtFont());
        m_rawFontOf = QtFont();
    }
    const QList<quint32> indexes = m_rawFont->glyphIndexesForString(text);
    if (indexes.size() != text.size() || indexes.contains(0u) || !SelectFace(*m_rawFont))
        return false;
    m_glyphs.resize(advances.size());
    double pen = origin.x();
    for (std::size_t i = 0; i < advances.size(); ++i) {
        m_glyphs[i] = {indexes[qsizetype(i)], pen, origin.y()};
        pen += advances[i];
    }
    cairo_show_glyphs(m_context, m_glyphs.data(), int(m_glyphs.size()));
    return true;
}

void CairoPdfCanvas::DrawShapedRun(QPointF origin, const QString &text)
{
    QTextLayout layout(text, QtFont(), Device());
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (!line.isValid()) {
        layout.endLayout();
        return;
    }
    line.setPosition(QPointF(0, 0));
    layout.endLayout();
    for (const QGlyphRun &run : layout.glyphRuns()) {
        if (!SelectFace(run.rawFont()))
            continue;
        const QList<quint32> indexes = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        m_glyphs.resize(std::size_t(indexes.size()));
        for (qsizetype i = 0; i < indexes.size() && i < positions.size(); ++i)
            m_glyphs[std::size_t(i)] = {indexes[i], origin.x() + positions[i].x(),
                                        origin.y() + positions[i].y() - line.ascent()};
        cairo_show_glyphs(m_context, m_glyphs.data(), int(std::min(indexes.size(), positions.size())));
    }
}

void CairoPdfCanvas::DrawDecorations(QPointF origin, qreal width)
{
    const QFontMetricsF &metrics = Metrics();
    const qreal thickness = std::max<qreal>(1, metrics.lineWidth());
    if (QtFont().underline())
        cairo_rectangle(m_context, origin.x(), origin.y() + metrics.underlinePos() - thickness / 2, width, thickness);
    if (QtFont().strikeOut())
        cairo_rectangle(m_context, origin.x(), origin.y() - metrics.strikeOutPos() - thickness / 2, width, thickness);
    cairo_fill(m_context);
}

bool CairoPdfCanvas::PreparePen()
{
    if (Pen().Style == psClear)
        return false;
    // Dashes and dots exist only for one-pixel pens; wider ones draw solid.
    const int width = std::max(1, Pen().Width);
    SetSourceColor(m_context, Pen().Color);
    cairo_set_line_width(m_context, width);
    cairo_set_line_cap(m_context, CAIRO_LINE_CAP_SQUARE);
    cairo_set_line_join(m_context, CAIRO_LINE_JOIN_MITER);
    const std::vector<double> dashes = width > 1 ? std::vector<double>() : DashesOf(Pen().Style);
    cairo_set_dash(m_context, dashes.data(), int(dashes.size()), 0);
    return true;
}

void CairoPdfCanvas::FillWithBrush()
{
    if (Brush().Style == bsClear)
        return;
    if (Brush().Style == bsSolid) {
        SetSourceColor(m_context, Brush().Color);
        cairo_fill_preserve(m_context);
        return;
    }
    cairo_pattern_t *pattern = HatchPattern(Brush().Style, Brush().Color);
    cairo_set_source(m_context, pattern);
    cairo_fill_preserve(m_context);
    cairo_pattern_destroy(pattern);
}

void CairoPdfCanvas::StrokeAndFill()
{
    FillWithBrush();
    if (PreparePen())
        cairo_stroke(m_context);
    cairo_new_path(m_context);
}

static double PenWidthOf(const TppPen &pen)
{
    return pen.Style == psClear ? 0 : std::max(1, pen.Width);
}

void CairoPdfCanvas::FillRect(const CanvasRect &rect)
{
    if (!m_context || Brush().Style == bsClear)
        return;
    SetClip(std::nullopt);
    cairo_rectangle(m_context, rect.left, rect.top, rect.Width(), rect.Height());
    FillWithBrush();
    cairo_new_path(m_context);
}

void CairoPdfCanvas::Rectangle(const CanvasRect &rect)
{
    if (!m_context || rect.Width() <= 0 || rect.Height() <= 0)
        return;
    SetClip(std::nullopt);
    PathStrokeRect(m_context, rect, PenWidthOf(Pen()));
    StrokeAndFill();
}

void CairoPdfCanvas::RoundRect(const CanvasRect &rect, int cornerWidth, int cornerHeight)
{
    if (!m_context || rect.Width() <= 0 || rect.Height() <= 0)
        return;
    SetClip(std::nullopt);
    const double pen = PenWidthOf(Pen());
    PathRoundedRect(m_context, rect.left + pen / 2, rect.top + pen / 2, std::max(0.0, rect.Width() - pen),
                    std::max(0.0, rect.Height() - pen), cornerWidth / 2.0, cornerHeight / 2.0);
    StrokeAndFill();
}

void CairoPdfCanvas::Ellipse(const CanvasRect &rect)
{
    if (!m_context || rect.Width() <= 0 || rect.Height() <= 0)
        return;
    SetClip(std::nullopt);
    const double pen = PenWidthOf(Pen());
    PathEllipse(m_context, rect.left + pen / 2, rect.top + pen / 2, std::max(0.0, rect.Width() - pen),
                std::max(0.0, rect.Height() - pen));
    StrokeAndFill();
}

void CairoPdfCanvas::Line(CanvasPoint from, CanvasPoint to)
{
    if (!m_context || from == to || !PreparePen())
        return;
    SetClip(std::nullopt);
    // The end point belongs to the next segment: stop one pixel short of it
    // along the longer axis, as the painter canvas does.
    const int dx = to.x - from.x;
    const int dy = to.y - from.y;
    const int steps = std::max(std::abs(dx), std::abs(dy));
    const double lastX = std::round(to.x - double(dx) / steps);
    const double lastY = std::round(to.y - double(dy) / steps);
    cairo_move_to(m_context, from.x + 0.5, from.y + 0.5);
    cairo_line_to(m_context, lastX + 0.5, lastY + 0.5);
    cairo_stroke(m_context);
}

void CairoPdfCanvas::Polyline(const std::vector<CanvasPoint> &points)
{
    for (std::size_t i = 1; i < points.size(); ++i)
        Line(points[i - 1], points[i]);
}

CairoPdfCanvas::PictureSurface &CairoPdfCanvas::SurfaceOf(const TppBitmap &bitmap, bool whiteAsTransparent)
{
    const QImage &image = m_images.Image(bitmap, whiteAsTransparent);
    const qint64 key = image.cacheKey();
    if (const auto found = m_surfaces.find(key); found != m_surfaces.end())
        return found->second;
    // A bounded number of pictures per document; past it they start afresh
    // (cairo keeps what its pages still need).
    constexpr std::size_t kMaxSurfaces = 32;
    if (m_surfaces.size() >= kMaxSurfaces)
        DropSurfaces();
    const QImage premultiplied = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    cairo_surface_t *surface
        = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, premultiplied.width(), premultiplied.height());
    cairo_surface_flush(surface);
    unsigned char *data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const std::size_t rowBytes = std::size_t(premultiplied.width()) * 4;
    for (int y = 0; y < premultiplied.height(); ++y)
        std::memcpy(data + std::size_t(y) * stride, premultiplied.constScanLine(y), rowBytes);
    cairo_surface_mark_dirty(surface);
    SetUniqueId(surface, "valdora-picture-" + std::to_string(key));
    return m_surfaces.emplace(key, PictureSurface{surface, 0}).first->second;
}

CairoPdfCanvas::PictureSurface &CairoPdfCanvas::JpegSurfaceOf(const TppPictureSource &source)
{
    // Every copy of a picture holds its own bytes: the same bytes are the
    // same picture.
    const std::vector<std::uint8_t> &bytes = *source.Data;
    std::uint64_t hash = 14695981039346656037ull;
    for (const std::uint8_t byte : bytes)
        hash = (hash ^ byte) * 1099511628211ull;
    const std::string id = "valdora-jpeg-" + std::to_string(hash) + '-' + std::to_string(bytes.size());
    if (const auto found = m_jpegSurfaces.find(id); found != m_jpegSurfaces.end())
        return found->second;
    constexpr std::size_t kMaxSurfaces = 32;
    if (m_jpegSurfaces.size() >= kMaxSurfaces)
        DropSurfaces();
    // The pixels are never drawn: the PDF takes the JPEG bytes, and an opaque
    // surface tells cairo there is nothing to blend.
    cairo_surface_t *surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, source.Width, source.Height);
    auto *held = new std::shared_ptr<const std::vector<std::uint8_t>>(source.Data);
    cairo_surface_set_mime_data(
        surface, CAIRO_MIME_TYPE_JPEG, (*held)->data(), (*held)->size(),
        [](void *data) { delete static_cast<std::shared_ptr<const std::vector<std::uint8_t>> *>(data); }, held);
    SetUniqueId(surface, id);
    return m_jpegSurfaces.emplace(id, PictureSurface{surface, 0}).first->second;
}

bool CairoPdfCanvas::DrawEncodedPicture(const CanvasRect &target, TppGraphicKind kind,
                                        const TppPictureSource &source)
{
    if (!m_context || kind != gkJpeg || !source.Data || source.Data->empty() || source.Width <= 0
        || source.Height <= 0)
        return false;
    if (target.Width() == 0 || target.Height() == 0)
        return true;
    SetClip(std::nullopt);
    PaintPicture(JpegSurfaceOf(source), target, source.Width, source.Height);
    return true;
}

void CairoPdfCanvas::StretchBitmap(const CanvasRect &target, const TppBitmap &bitmap, CopyMode mode)
{
    if (!m_context || bitmap.IsEmpty() || target.Width() == 0 || target.Height() == 0
        || bitmap.Pixels.size() < std::size_t(bitmap.Width) * std::size_t(bitmap.Height))
        return;
    SetClip(std::nullopt);
    // Paper cannot combine pixels: white made transparent gives the same
    // result over it.
    PaintPicture(SurfaceOf(bitmap, mode == CopyMode::And), target, bitmap.Width, bitmap.Height);
}

void CairoPdfCanvas::PaintPicture(PictureSurface &picture, const CanvasRect &target, int pixelsWide, int pixelsHigh)
{
    // cairo lists a picture among a page's resources at every draw, and a
    // name twice in a dictionary makes the file faulty: drawn again on the
    // same page, the picture goes in a group of its own (the image itself is
    // still stored once).
    const int page = PdfDocument::PageOf(m_context);
    const bool again = picture.lastPage == page;
    picture.lastPage = page;
    const double left = std::min(target.left, target.right);
    const double top = std::min(target.top, target.bottom);
    const double width = std::abs(target.Width());
    const double height = std::abs(target.Height());
    cairo_save(m_context);
    if (again)
        cairo_push_group(m_context);
    cairo_translate(m_context, left, top);
    cairo_scale(m_context, width / pixelsWide, height / pixelsHigh);
    cairo_set_source_surface(m_context, picture.surface, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(m_context), CAIRO_FILTER_NEAREST);
    cairo_rectangle(m_context, 0, 0, pixelsWide, pixelsHigh);
    cairo_fill(m_context);
    if (again) {
        cairo_pop_group_to_source(m_context);
        cairo_paint(m_context);
    }
    cairo_restore(m_context);
}

} // namespace platform
