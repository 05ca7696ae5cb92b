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

// The finer encodings a picture of the program may have beside it.
constexpr int kFinerScales[] = {2, 3, 4};

// Reads at most one byte more than the limit, so that size is checked after.
bool ReadResource(const QString &name, std::vector<std::uint8_t> &data)
{
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.read(kMaxPictureBytes + 1);
    data.assign(bytes.begin(), bytes.end());
    return true;
}

// "name@3x.jpg" beside "name.jpg", for every scale there is one of; a finer
// file that does not fit its picture is left out, the picture still usable.
void AddFinerResources(TppPicture &picture, const QString &name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    for (const int scale : kFinerScales) {
        const QString finer = name.left(dot) + QStringLiteral("@%1x").arg(scale) + name.mid(dot);
        std::vector<std::uint8_t> data;
        if (!QFile::exists(finer) || !ReadResource(finer, data) || data.size() > std::size_t(kMaxPictureBytes))
            continue;
        try {
            picture.AddFinerSource(scale, std::move(data));
        } catch (const TppPictureError &) {
        }
    }
}

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
    picture.m_sources.push_back({1, picture.m_width, picture.m_height,
                                 std::make_shared<const std::vector<std::uint8_t>>(std::move(data))});
    return picture;
}

const std::vector<std::uint8_t> &TppPicture::EncodedData() const
{
    static const std::vector<std::uint8_t> none;
    return m_sources.empty() ? none : *m_sources.front().Data;
}

void TppPicture::AddFinerSource(int scale, std::vector<std::uint8_t> data)
{
    int width = 0;
    int height = 0;
    if (m_sources.empty() || scale <= m_sources.back().Scale
        || !platform::ReadPictureSize(m_kind, data, width, height)
        || std::int64_t(width) != std::int64_t(m_width) * scale
        || std::int64_t(height) != std::int64_t(m_height) * scale)
        throw TppPictureError("The finer picture does not match its picture.");
    m_sources.push_back(
        {scale, width, height, std::make_shared<const std::vector<std::uint8_t>>(std::move(data))});
}

const TppPictureSource *TppPicture::SourceFor(int width, int height) const
{
    for (const TppPictureSource &source : m_sources) {
        if (source.Width >= width && source.Height >= height)
            return &source;
    }
    return m_sources.empty() ? nullptr : &m_sources.back();
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
    if (!name.startsWith(QLatin1String(":/")))
        throw TppPictureError("There is no picture \"" + std::string(path) + "\" in the program.");
    std::vector<std::uint8_t> data;
    if (!ReadResource(name, data))
        throw TppPictureError("There is no picture \"" + std::string(path) + "\" in the program.");
    if (data.size() > std::size_t(kMaxPictureBytes))
        throw TppPictureError("The picture \"" + std::string(path) + "\" is too large.");
    const TppGraphicKind kind = name.endsWith(QLatin1String(".jpg"), Qt::CaseInsensitive)
            || name.endsWith(QLatin1String(".jpeg"), Qt::CaseInsensitive)
        ? gkJpeg
        : gkNone;
    int width = 0;
    int height = 0;
    if (kind == gkNone || !ReadPictureSize(kind, data, width, height))
        throw TppPictureError("The picture \"" + std::string(path) + "\" is not a JPEG image.");
    TppPicture picture = TppPicture::FromEncoded(kind, std::move(data));
    AddFinerResources(picture, name);
    return picture;
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

TppBitmap DecodePictureSource(TppGraphicKind kind, const TppPictureSource &source)
{
    const QByteArray format = FormatOf(kind);
    if (format.isEmpty() || !source.Data || source.Data->empty())
        throw TppPictureError("This kind of picture has no bitmap rendition.");
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(source.Data->data()),
                                               qsizetype(source.Data->size()));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    QImage image;
    if (!reader.read(&image) || image.isNull())
        throw TppPictureError("The picture could not be rendered: " + reader.errorString().toStdString());
    return FromImage(image);
}

TppBitmap ScaleBitmapSmoothly(const TppBitmap &bitmap, int width, int height)
{
    width = std::max(1, width);
    height = std::max(1, height);
    if (bitmap.IsEmpty() || (width == bitmap.Width && height == bitmap.Height))
        return bitmap;
    return FromImage(ToImage(bitmap).scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

} // namespace platform
