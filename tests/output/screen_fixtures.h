#pragma once

// A viewer for the screen device that records the device's notices, pages of
// given paper, and helpers that read the page image's pixels.

#include "output/draw_image.h"
#include "output/draw_text.h"
#include "output/page.h"
#include "output/screen_device.h"
#include "output/screen_viewer.h"
#include "platform/canvas.h"

#include <QBuffer>
#include <QImage>
#include <QList>
#include <QStringList>

#include <memory>
#include <string>

// Letter paper as the results sheet has it.
inline constexpr std::int32_t kLetterWidth = 215900;
inline constexpr std::int32_t kLetterHeight = 279401;

class RecordingViewer : public TppScreenViewer {
public:
    TppZoomSettingType ZoomSetting() const override { return zoom; }
    int ZoomPercentage() const override { return percentage; }
    TppColor PageColor() const override { return pageColor; }
    int VisibleWidth() const override { return width; }
    int VisibleHeight() const override { return height; }
    double DevicePixelRatio() const override { return ratio; }
    TppDeviceReport *ViewedReport() const override { return report; }

    void PageImageReady() override { ++pagesReady; }
    void ScreenStatusChanged() override
    {
        if (device)
            statuses << QString::fromStdString(device->StatusText());
    }
    void RepaintPage() override { ++repaints; }
    void CopyPageImageToScreen(const TppDeviceRect &rect) override { copies << rect; }
    bool PageSurfaceVisible() const override { return surfaceVisible; }
    void ShowPageSurface() override { surfaceVisible = true; }
    void DetachReport() override
    {
        report = nullptr;
        ++detached;
    }

    TppZoomSettingType zoom = zsWholePage;
    int percentage = 100;
    TppColor pageColor = clWhite;
    int width = 500;
    int height = 400;
    double ratio = 1.0;
    TppDeviceReport *report = nullptr;
    TppScreenDevice *device = nullptr;

    QStringList statuses;
    int pagesReady = 0;
    int repaints = 0;
    int detached = 0;
    bool surfaceVisible = false;
    QList<TppDeviceRect> copies;
};

inline void SetPaper(TppPage &page, std::int32_t width, std::int32_t height)
{
    TppPrinterSetup setup;
    setup.SetmmPaperWidth(width);
    setup.SetmmPaperHeight(height);
    page.SetPrinterSetup(&setup);
}

// A text command in thousandths of a millimetre, black on a transparent
// background.
inline std::unique_ptr<TppDrawText> MakeText(const std::string &text, std::int32_t left,
                                             std::int32_t top, std::int32_t width,
                                             std::int32_t height, const std::string &font = "Arial",
                                             int points = 10)
{
    auto command = std::make_unique<TppDrawText>();
    command->SetText(text);
    command->SetLeft(left);
    command->SetTop(top);
    command->SetWidth(width);
    command->SetHeight(height);
    command->SetTransparent(true);
    TppFont f;
    f.SetName(font);
    f.SetSize(points);
    f.SetColor(clBlack);
    command->SetFont(f);
    return command;
}

// A real JPEG picture of one colour, optionally with a white right half.
inline TppPicture SolidJpeg(int width, int height, QColor color, bool whiteRightHalf = false)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    if (whiteRightHalf) {
        for (int y = 0; y < height; ++y)
            for (int x = width / 2; x < width; ++x)
                image.setPixel(x, y, qRgb(255, 255, 255));
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 100);
    return TppPicture::FromEncoded(gkJpeg,
                                   std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

// The page image as a QImage of device pixels.
inline QImage PageImage(const TppScreenDevice &device)
{
    const TppBitmap bitmap = platform::CanvasPixels(*device.PageCanvas());
    QImage image(bitmap.Width, bitmap.Height, QImage::Format_ARGB32);
    for (int y = 0; y < bitmap.Height; ++y)
        for (int x = 0; x < bitmap.Width; ++x)
            image.setPixel(x, y, bitmap.PixelAt(x, y));
    return image;
}

inline bool IsDark(QRgb pixel)
{
    return qGray(pixel) < 128;
}

inline bool Near(QRgb a, QColor b, int tolerance = 24)
{
    return std::abs(qRed(a) - b.red()) <= tolerance && std::abs(qGreen(a) - b.green()) <= tolerance
        && std::abs(qBlue(a) - b.blue()) <= tolerance;
}

// The smallest rectangle holding every dark pixel inside `area`; null when
// there is none.
inline QRect InkBounds(const QImage &image, const QRect &area)
{
    QRect ink;
    const QRect clipped = area & image.rect();
    for (int y = clipped.top(); y <= clipped.bottom(); ++y)
        for (int x = clipped.left(); x <= clipped.right(); ++x)
            if (IsDark(image.pixel(x, y)))
                ink |= QRect(x, y, 1, 1);
    return ink;
}
