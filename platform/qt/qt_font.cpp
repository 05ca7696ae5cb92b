#include "platform/qt/qt_font.h"

#include <QFontMetricsF>
#include <QPaintDevice>

#include <cmath>

namespace platform {

namespace {

constexpr int kDefaultPoints = 8;
// Em height at which a font's cell proportion is measured.
constexpr int kReferencePixels = 1000;

int DefaultEmPixels(const QPaintDevice *device)
{
    const int ppi = device ? device->logicalDpiY() : 96;
    return std::max(1, TppFont::MulDiv(kDefaultPoints, ppi, 72));
}

// The em height whose cell (ascent + descent) is `cellPixels` high.
int EmPixelsForCell(QFont font, int cellPixels, QPaintDevice *device)
{
    font.setPixelSize(kReferencePixels);
    const QFontMetricsF metrics(font, device);
    const qreal cell = metrics.ascent() + metrics.descent();
    if (cell <= 0)
        return cellPixels;
    return std::max(1, int(std::lround(cellPixels * kReferencePixels / cell)));
}

} // namespace

QFont ToQFont(const TppFont &font, QPaintDevice *device)
{
    QFont result(QString::fromStdString(font.Name()));
    result.setStyleStrategy(QFont::StyleStrategy(QFont::PreferNoShaping | QFont::PreferAntialias));
    result.setKerning(false);
    result.setBold(font.Bold());
    result.setItalic(font.Italic());
    result.setUnderline(font.Underline());
    result.setStrikeOut(font.StrikeOut());
    if (font.Pitch() == fpFixed) {
        result.setFixedPitch(true);
        result.setStyleHint(QFont::TypeWriter, result.styleStrategy());
    }

    const int height = font.Height();
    if (height < 0)
        result.setPixelSize(-height);
    else if (height > 0)
        result.setPixelSize(EmPixelsForCell(result, height, device));
    else
        result.setPixelSize(DefaultEmPixels(device));
    return result;
}

} // namespace platform
