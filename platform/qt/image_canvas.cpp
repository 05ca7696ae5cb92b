#include "platform/qt/image_canvas.h"

#include "platform/screen_metrics.h"

#include <QGuiApplication>

#include <stdexcept>
#include <string>

namespace platform {

namespace {

constexpr double kMetresPerInch = 0.0254;

QImage NewImage(int width, int height, int pixelsPerInch)
{
    // Fonts need the graphics system; without it Qt would abort the program.
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        throw std::runtime_error("Cannot draw without the application's graphics system.");
    QImage image(std::max(1, width), std::max(1, height), QImage::Format_RGB32);
    if (image.isNull()) {
        throw std::runtime_error("Cannot create a bitmap of " + std::to_string(width) + " x "
                                 + std::to_string(height) + " pixels.");
    }
    const int dotsPerMetre = qRound(pixelsPerInch / kMetresPerInch);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    return image;
}

} // namespace

ImageCanvasSurface::ImageCanvasSurface(int width, int height, int pixelsPerInch)
    : m_image(NewImage(width, height, pixelsPerInch))
{
}

ImageCanvas::ImageCanvas(int width, int height, int pixelsPerInch)
    : ImageCanvasSurface(width, height, pixelsPerInch)
    , PainterCanvas(&m_image)
{
    m_painter.begin(&m_image);
    SetPainter(&m_painter);
}

ImageCanvas::~ImageCanvas()
{
    SetPainter(nullptr);
    m_painter.end();
}

std::unique_ptr<Canvas> CreateScreenBitmapCanvas(int width, int height)
{
    return std::make_unique<ImageCanvas>(width, height, ScreenPixelsPerInch());
}

TppBitmap CanvasPixels(const Canvas &canvas)
{
    const auto *imageCanvas = dynamic_cast<const ImageCanvas *>(&canvas);
    if (!imageCanvas)
        return {};
    const QImage image = imageCanvas->Image().convertToFormat(QImage::Format_ARGB32);
    TppBitmap bitmap;
    bitmap.Width = image.width();
    bitmap.Height = image.height();
    bitmap.Pixels.resize(std::size_t(bitmap.Width) * std::size_t(bitmap.Height));
    for (int y = 0; y < bitmap.Height; ++y) {
        const auto *line = reinterpret_cast<const std::uint32_t *>(image.constScanLine(y));
        std::copy(line, line + bitmap.Width, bitmap.Pixels.begin() + std::ptrdiff_t(y) * bitmap.Width);
    }
    return bitmap;
}

} // namespace platform
