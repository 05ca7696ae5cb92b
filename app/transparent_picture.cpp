#include "app/transparent_picture.h"

#include <QPixmapCache>
#include <QString>

#include <algorithm>
#include <cstdlib>

namespace {

// Distances to the background colour (largest channel difference) below the
// first bound are background, above the second foreground, and in between
// partly covered.
constexpr int kBackgroundUpTo = 24;
constexpr int kForegroundFrom = 72;

int Distance(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

// The colour that, laid over the background with this coverage, gives the
// pixel: edge pixels keep their own colour instead of the background's tint.
int Unblend(int pixel, int background, int alpha)
{
    return std::clamp(background + (pixel - background) * 255 / alpha, 0, 255);
}

QRgb Covered(QRgb pixel, QRgb background)
{
    const int distance = Distance(pixel, background);
    if (distance <= kBackgroundUpTo)
        return qRgba(0, 0, 0, 0);
    if (distance >= kForegroundFrom)
        return pixel;
    const int alpha = (distance - kBackgroundUpTo) * 255 / (kForegroundFrom - kBackgroundUpTo);
    return qRgba(Unblend(qRed(pixel), qRed(background), alpha),
                 Unblend(qGreen(pixel), qGreen(background), alpha),
                 Unblend(qBlue(pixel), qBlue(background), alpha), alpha);
}

} // namespace

QImage WithTransparentBackground(const QImage &picture)
{
    if (picture.isNull())
        return picture;
    QImage result = picture.convertToFormat(QImage::Format_ARGB32);
    const QRgb background = result.pixel(0, result.height() - 1);
    for (int y = 0; y < result.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(result.scanLine(y));
        std::transform(line, line + result.width(), line,
                       [background](QRgb pixel) { return Covered(pixel, background); });
    }
    return result;
}

QPixmap TransparentPicture(const QString &resource)
{
    // The same glyph serves many controls (seven check marks on the results
    // screen alone): decode and clear it once.
    const QString key = QStringLiteral("transparent:") + resource;
    QPixmap picture;
    if (!QPixmapCache::find(key, &picture)) {
        picture = QPixmap::fromImage(WithTransparentBackground(QImage(resource)));
        QPixmapCache::insert(key, picture);
    }
    return picture;
}
