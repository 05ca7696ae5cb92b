#include "preview/preview_glyphs.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kSize = 16;
const QColor kTealFill(0x00, 0x80, 0x80);
const QColor kGrayLines(0x80, 0x80, 0x80);
const QColor kSilver(0xC0, 0xC0, 0xC0);
const QColor kYellow(0xFF, 0xFF, 0x00);

// The glyphs are described pixel by pixel on a 16 x 16 grid; the painter is
// scaled to the screen's density, so that slopes and curves are drawn with
// its finer pixels.
using Glyph = QPainter;

// Inclusive corners, as the glyphs are described pixel by pixel.
void Fill(Glyph &glyph, int left, int top, int right, int bottom, const QColor &color)
{
    glyph.fillRect(QRectF(left, top, right - left + 1, bottom - top + 1), color);
}

void Dot(Glyph &glyph, int x, int y, const QColor &color)
{
    Fill(glyph, x, y, x, y, color);
}

void Frame(Glyph &glyph, int left, int top, int right, int bottom, const QColor &color)
{
    Fill(glyph, left, top, right, top, color);
    Fill(glyph, left, bottom, right, bottom, color);
    Fill(glyph, left, top, left, bottom, color);
    Fill(glyph, right, top, right, bottom, color);
}

// The corners are pixels, as the pixel-by-pixel description names them.
void Triangle(Glyph &glyph, const QPolygon &corners)
{
    glyph.save();
    // With finer pixels the outline runs through the pixels' centres, so
    // that it covers the same grid squares as on a plain screen.
    if (glyph.testRenderHint(QPainter::Antialiasing))
        glyph.translate(0.5, 0.5);
    glyph.setPen(QPen(Qt::black, 1));
    glyph.setBrush(Qt::black);
    glyph.drawPolygon(corners);
    glyph.restore();
}

// A teal square in a black frame, crossed by grey lines on every second
// diagonal: the page the zoom glyphs show a sheet on.
void ZoomBase(Glyph &glyph)
{
    Frame(glyph, 2, 2, 13, 13, Qt::black);
    Fill(glyph, 3, 3, 12, 12, kTealFill);
    for (int y = 3; y <= 12; ++y)
        for (int x = 3; x <= 12; ++x)
            if ((x + y) % 4 == 0)
                Dot(glyph, x, y, kGrayLines);
}

void Sheet(Glyph &glyph, int left, int top, int right, int bottom)
{
    Fill(glyph, left, top, right, bottom, Qt::white);
    Frame(glyph, left, top, right, bottom, Qt::black);
}

void DrawGlyph(Glyph &image, TppPreviewGlyph glyph)
{
    switch (glyph) {
    case TppPreviewGlyph::FirstPage:
        Fill(image, 3, 4, 4, 14, Qt::black);
        Triangle(image, QPolygon({QPoint(7, 9), QPoint(12, 4), QPoint(12, 14)}));
        break;
    case TppPreviewGlyph::PriorPage:
        Triangle(image, QPolygon({QPoint(7, 9), QPoint(12, 4), QPoint(12, 14)}));
        break;
    case TppPreviewGlyph::NextPage:
        Triangle(image, QPolygon({QPoint(7, 4), QPoint(12, 9), QPoint(7, 14)}));
        break;
    case TppPreviewGlyph::LastPage:
        Triangle(image, QPolygon({QPoint(7, 4), QPoint(12, 9), QPoint(7, 14)}));
        Fill(image, 14, 4, 15, 14, Qt::black);
        break;
    case TppPreviewGlyph::WholePage:
        ZoomBase(image);
        Sheet(image, 5, 4, 10, 11);
        Fill(image, 6, 6, 8, 6, Qt::black);
        Fill(image, 6, 8, 9, 8, Qt::black);
        break;
    case TppPreviewGlyph::PageWidth:
        ZoomBase(image);
        Sheet(image, 4, 5, 11, 13);
        for (int y : {7, 9, 11}) {
            Fill(image, 5, y, 7, y, Qt::black);
            Dot(image, 9, y, Qt::black);
        }
        break;
    case TppPreviewGlyph::HundredPercent:
        ZoomBase(image);
        Sheet(image, 5, 5, 13, 13);
        Fill(image, 7, 7, 8, 8, Qt::black);
        Fill(image, 10, 7, 11, 8, Qt::black);
        Fill(image, 7, 10, 8, 11, Qt::black);
        Fill(image, 10, 10, 11, 11, Qt::black);
        break;
    case TppPreviewGlyph::Print:
        // A sheet rising out of a printer with a yellow lamp.
        Sheet(image, 4, 1, 11, 7);
        Fill(image, 6, 3, 9, 3, Qt::black);
        Fill(image, 6, 5, 9, 5, Qt::black);
        Fill(image, 1, 8, 14, 13, kSilver);
        Frame(image, 1, 8, 14, 13, Qt::black);
        Fill(image, 2, 12, 13, 12, kGrayLines);
        Fill(image, 3, 14, 12, 14, Qt::black);
        Dot(image, 12, 10, kYellow);
        Dot(image, 11, 10, kYellow);
        break;
    case TppPreviewGlyph::Search: {
        QPainter &painter = image;
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(QColor(0xC0, 0xE0, 0xFF));
        painter.drawEllipse(QRect(2, 2, 8, 8));
        painter.setPen(QPen(Qt::black, 2));
        painter.drawLine(QPoint(9, 9), QPoint(13, 13));
        break;
    }
    }
}

} // namespace

QPixmap PreviewGlyph(TppPreviewGlyph glyph, qreal devicePixelRatio)
{
    const int density = std::max(1, int(std::ceil(devicePixelRatio - 0.01)));
    QImage image(kSize * density, kSize * density, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    image.setDevicePixelRatio(density);
    {
        QPainter painter(&image);
        // One pixel a grid square stays crisp; finer pixels smooth the slopes.
        painter.setRenderHint(QPainter::Antialiasing, density > 1);
        DrawGlyph(painter, glyph);
    }
    return QPixmap::fromImage(image);
}

QPixmap PreviewGlyph(TppPreviewGlyph glyph)
{
    return PreviewGlyph(glyph, qApp ? qApp->devicePixelRatio() : 1.0);
}
