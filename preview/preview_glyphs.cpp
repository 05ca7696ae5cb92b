#include "preview/preview_glyphs.h"

#include <QImage>
#include <QPainter>
#include <QPolygon>

namespace {

constexpr int kSize = 16;
const QColor kBackground(0x00, 0x80, 0x00); // green, taken as transparent
const QColor kTealFill(0x00, 0x80, 0x80);
const QColor kGrayLines(0x80, 0x80, 0x80);
const QColor kSilver(0xC0, 0xC0, 0xC0);
const QColor kYellow(0xFF, 0xFF, 0x00);

// Inclusive corners, as the glyphs are described pixel by pixel.
void Fill(QImage &image, int left, int top, int right, int bottom, const QColor &color)
{
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x)
            if (image.rect().contains(x, y))
                image.setPixelColor(x, y, color);
}

void Frame(QImage &image, int left, int top, int right, int bottom, const QColor &color)
{
    Fill(image, left, top, right, top, color);
    Fill(image, left, bottom, right, bottom, color);
    Fill(image, left, top, left, bottom, color);
    Fill(image, right, top, right, bottom, color);
}

void Triangle(QImage &image, const QPolygon &corners)
{
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::black);
    painter.drawPolygon(corners);
}

// A teal square in a black frame, crossed by grey lines on every second
// diagonal: the page the zoom glyphs show a sheet on.
void ZoomBase(QImage &image)
{
    Frame(image, 2, 2, 13, 13, Qt::black);
    Fill(image, 3, 3, 12, 12, kTealFill);
    for (int y = 3; y <= 12; ++y)
        for (int x = 3; x <= 12; ++x)
            if ((x + y) % 4 == 0)
                image.setPixelColor(x, y, kGrayLines);
}

void Sheet(QImage &image, int left, int top, int right, int bottom)
{
    Fill(image, left, top, right, bottom, Qt::white);
    Frame(image, left, top, right, bottom, Qt::black);
}

void DrawGlyph(QImage &image, TppPreviewGlyph glyph)
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
            image.setPixelColor(9, y, Qt::black);
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
        image.setPixelColor(12, 10, kYellow);
        image.setPixelColor(11, 10, kYellow);
        break;
    case TppPreviewGlyph::Search: {
        QPainter painter(&image);
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

QPixmap PreviewGlyph(TppPreviewGlyph glyph)
{
    QImage image(kSize, kSize, QImage::Format_RGB32);
    image.fill(kBackground);
    DrawGlyph(image, glyph);
    const QRgb transparent = image.pixel(0, kSize - 1);
    QImage masked = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x)
            if (masked.pixel(x, y) == transparent)
                masked.setPixel(x, y, qRgba(0, 0, 0, 0));
    return QPixmap::fromImage(masked);
}
