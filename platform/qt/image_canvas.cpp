#include "platform/qt/image_canvas.h"

#include "platform/qt/canvas_image.h"
#include "platform/screen_metrics.h"

#include <QGuiApplication>

#include <cmath>

#include <stdexcept>
#include <string>

namespace platform {

namespace {

constexpr double kMetresPerInch = 0.0254;

QImage NewImage(int width, int height, int pixelsPerInch, double devicePixelRatio)
{
    // Fonts need the graphics system; without it Qt would abort the program.
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        throw std::runtime_error("Cannot draw without the application's graphics system.");
    const double ratio = std::max(1.0, devicePixelRatio);
    const int deviceWidth = int(std::ceil(std::max(1, width) * ratio));
    const int deviceHeight = int(std::ceil(std::max(1, height) * ratio));
    QImage image(deviceWidth, deviceHeight, QImage::Format_RGB32);
    if (image.isNull()) {
        throw std::runtime_error("Cannot create a bitmap of " + std::to_string(deviceWidth) + " x "
                                 + std::to_string(deviceHeight) + " pixels.");
    }
    // The painter then works in logical pixels and fonts keep their
    // logical metrics, while the strokes land on device pixels.
    image.setDevicePixelRatio(ratio);
    const int dotsPerMetre = qRound(pixelsPerInch / kMetresPerInch);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    return image;
}

} // namespace

ImageCanvasSurface::ImageCanvasSurface(int width, int height, int pixelsPerInch,
                                       double devicePixelRatio)
    : m_image(NewImage(width, height, pixelsPerInch, devicePixelRatio))
{
}

ImageCanvas::ImageCanvas(int width, int height, int pixelsPerInch, double devicePixelRatio)
    : ImageCanvasSurface(width, height, pixelsPerInch, devicePixelRatio)
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

std::unique_ptr<Canvas> CreateScreenBitmapCanvas(int width, int height, double devicePixelRatio)
{
    return std::make_unique<ImageCanvas>(width, height, ScreenPixelsPerInch(),
                                         std::isfinite(devicePixelRatio) ? devicePixelRatio : 1.0);
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

const QImage *CanvasImage(const Canvas *canvas)
{
    const auto *imageCanvas = dynamic_cast<const ImageCanvas *>(canvas);
    return imageCanvas ? &imageCanvas->Image() : nullptr;
}

} // namespace platform
