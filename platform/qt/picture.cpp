#include "platform/picture.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPainter>

#include <algorithm>
#include <climits>

namespace {

QByteArray FormatOf(TppGraphicKind kind)
{
    return kind == gkJpeg ? QByteArrayLiteral("jpeg") : QByteArray();
}

QImage ToImage(const TppBitmap &bitmap)
{
    QImage image(bitmap.Width, bitmap.Height, QImage::Format_ARGB32);
    for (int y = 0; y < bitmap.Height; ++y)
        std::copy_n(bitmap.Pixels.data() + std::size_t(y) * bitmap.Width, bitmap.Width,
                    reinterpret_cast<std::uint32_t *>(image.scanLine(y)));
    return image;
}

TppBitmap FromImage(const QImage &source)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    TppBitmap bitmap;
    bitmap.Width = image.width();
    bitmap.Height = image.height();
    bitmap.Pixels.resize(std::size_t(bitmap.Width) * bitmap.Height);
    for (int y = 0; y < bitmap.Height; ++y)
        std::copy_n(reinterpret_cast<const std::uint32_t *>(image.constScanLine(y)), bitmap.Width,
                    bitmap.Pixels.data() + std::size_t(y) * bitmap.Width);
    return bitmap;
}

// The caller's own limit; without one, Qt's reader applies its usual limit
// (which is process-wide, so it is never changed here).
bool Fits(std::size_t byteLimit, int width, int height)
{
    return byteLimit == 0 || std::size_t(width) * std::size_t(height) * 4u <= byteLimit;
}

// No picture of the program comes near this; a larger one is not read.
constexpr qint64 kMaxPictureBytes = 64 * 1024 * 1024;

} // namespace

TppPicture TppPicture::FromBitmap(TppBitmap bitmap)
{
    TppPicture picture;
    if (bitmap.IsEmpty() || bitmap.Pixels.size() != std::size_t(bitmap.Width) * bitmap.Height)
        return picture;
    picture.m_kind = gkBitmap;
    picture.m_width = bitmap.Width;
    picture.m_height = bitmap.Height;
    picture.m_bitmap = std::move(bitmap);
    return picture;
}

TppPicture TppPicture::FromEncoded(TppGraphicKind kind, std::vector<std::uint8_t> data)
{
    TppPicture picture;
    if (!platform::ReadPictureSize(kind, data, picture.m_width, picture.m_height))
        throw TppPictureError("The picture data is not a readable image.");
    picture.m_kind = kind;
    picture.m_data = std::move(data);
    return picture;
}

namespace platform {

bool ReadPictureSize(TppGraphicKind kind, const std::vector<std::uint8_t> &data, int &width,
                     int &height)
{
    const QByteArray format = FormatOf(kind);
    if (format.isEmpty() || data.empty())
        return false;
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data.data()),
                                               qsizetype(data.size()));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty())
        return false;
    width = size.width();
    height = size.height();
    return true;
}

TppPicture LoadPictureResource(std::string_view path)
{
    const QString name = QString::fromUtf8(path.data(), qsizetype(path.size()));
    // Only the program's resources: a file path could name a device that
    // never ends.
    QFile file(name);
    if (!name.startsWith(QLatin1String(":/")) || !file.open(QIODevice::ReadOnly))
        throw TppPictureError("There is no picture \"" + std::string(path) + "\" in the program.");
    const QByteArray bytes = file.read(kMaxPictureBytes + 1);
    if (bytes.size() > kMaxPictureBytes)
        throw TppPictureError("The picture \"" + std::string(path) + "\" is too large.");
    std::vector<std::uint8_t> data(bytes.begin(), bytes.end());
    const TppGraphicKind kind = name.endsWith(QLatin1String(".jpg"), Qt::CaseInsensitive)
            || name.endsWith(QLatin1String(".jpeg"), Qt::CaseInsensitive)
        ? gkJpeg
        : gkNone;
    int width = 0;
    int height = 0;
    if (kind == gkNone || !ReadPictureSize(kind, data, width, height))
        throw TppPictureError("The picture \"" + std::string(path) + "\" is not a JPEG image.");
    return TppPicture::FromEncoded(kind, std::move(data));
}

TppBitmap RenderPicture(const TppPicture &picture, int width, int height, std::size_t byteLimit)
{
    if (width <= 0 || height <= 0)
        throw TppPictureError("A picture cannot be rendered at an empty size.");
    if (!Fits(byteLimit, width, height))
        throw TppPictureError("The picture is too large to render at this size.");
    switch (picture.Kind()) {
    case gkBitmap: {
        if (width == picture.Width() && height == picture.Height())
            return picture.Bitmap();
        return FromImage(ToImage(picture.Bitmap())
                             .scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
    case gkJpeg: {
        const auto &data = picture.EncodedData();
        QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data.data()),
                                                   qsizetype(data.size()));
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer, FormatOf(gkJpeg));
        if (width != picture.Width() || height != picture.Height())
            reader.setScaledSize(QSize(width, height));
        QImage image;
        if (!reader.read(&image) || image.isNull())
            throw TppPictureError("The picture could not be rendered: "
                                  + reader.errorString().toStdString());
        if (image.width() != width || image.height() != height)
            image = image.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        return FromImage(image);
    }
    default:
        throw TppPictureError("This kind of picture has no bitmap rendition.");
    }
}

} // namespace platform
