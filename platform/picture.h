#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// Pictures as the report engine holds them: either encoded data of a graphic
// format (the program's pictures are JPEG images) or a decoded bitmap. The
// engine never decodes itself; the platform functions below do.

enum TppGraphicKind : std::uint8_t {
    gkNone,     // empty picture
    gkBitmap,   // decoded pixels
    gkJpeg,     // encoded JPEG data
    gkMetafile, // vector graphics: no bitmap rendition
    gkIcon,     // icons: no bitmap rendition
};

// A device-independent 32-bit bitmap: rows top-down, pixels 0xAARRGGBB.
struct TppBitmap {
    int Width = 0;
    int Height = 0;
    std::vector<std::uint32_t> Pixels;

    bool IsEmpty() const { return Width <= 0 || Height <= 0; }
    std::uint32_t PixelAt(int x, int y) const { return Pixels[std::size_t(y) * Width + x]; }

    friend bool operator==(const TppBitmap &, const TppBitmap &) = default;
};

class TppPictureError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One encoding of a picture's graphic, `Scale` times the picture's pixels
// each way (1: the picture's own size). Its data never changes once made,
// so copies of a picture share it, and its address names it while it lives.
struct TppPictureSource {
    int Scale = 1;
    int Width = 0;
    int Height = 0;
    std::shared_ptr<const std::vector<std::uint8_t>> Data;

    friend bool operator==(const TppPictureSource &a, const TppPictureSource &b)
    {
        return a.Scale == b.Scale && a.Width == b.Width && a.Height == b.Height
            && (a.Data == b.Data || (a.Data && b.Data && *a.Data == *b.Data));
    }
};

// A picture value. Copies behave as deep ones: an owner keeps its own.
class TppPicture {
public:
    TppPicture() = default;

    static TppPicture FromBitmap(TppBitmap bitmap);
    // Encoded data of `kind`; its pixel size is read from the data (through
    // the platform). Throws TppPictureError when the data cannot be read.
    static TppPicture FromEncoded(TppGraphicKind kind, std::vector<std::uint8_t> data);

    TppGraphicKind Kind() const { return m_kind; }
    bool IsEmpty() const { return m_kind == gkNone; }
    // Size in pixels (screen pixels at 100 %).
    int Width() const { return m_width; }
    int Height() const { return m_height; }

    const std::vector<std::uint8_t> &EncodedData() const;
    // Pixels of a gkBitmap picture; empty for every other kind.
    const TppBitmap &Bitmap() const { return m_bitmap; }

    // The encodings of an encoded picture, its own first, then finer ones
    // by growing scale; none for other kinds.
    const std::vector<TppPictureSource> &Sources() const { return m_sources; }
    // Adds a finer encoding of the same graphic, exactly `scale` times the
    // picture's size; throws TppPictureError when the data is not that.
    void AddFinerSource(int scale, std::vector<std::uint8_t> data);
    // The source to draw `width` x `height` pixels from: the coarsest one
    // with at least that many pixels each way, else the finest. Null for a
    // picture without sources.
    const TppPictureSource *SourceFor(int width, int height) const;

    friend bool operator==(const TppPicture &, const TppPicture &) = default;

private:
    TppGraphicKind m_kind = gkNone;
    int m_width = 0;
    int m_height = 0;
    std::vector<TppPictureSource> m_sources;
    TppBitmap m_bitmap;
};

namespace platform {

// Pixel size of encoded data; false when the data is not of a readable format.
bool ReadPictureSize(TppGraphicKind kind, const std::vector<std::uint8_t> &data, int &width,
                     int &height);

// The picture compiled into the program under `path` (":/assets/logo.jpg"),
// with the finer encodings compiled in beside it ("logo@3x.jpg": three times
// the pixels each way). Throws TppPictureError naming the path when there is
// none or it is not a picture.
TppPicture LoadPictureResource(std::string_view path);

// Renders the picture into a new bitmap of width x height, stretched when that
// differs from its own size. Throws TppPictureError when it cannot: corrupt
// data, a kind without pixels, or a bitmap larger than the memory a single
// image may take (`byteLimit`; 0 means the platform's usual limit).
TppBitmap RenderPicture(const TppPicture &picture, int width, int height,
                        std::size_t byteLimit = 0);

// The pixels of one source of an encoded picture at its own size. Throws
// TppPictureError when its data cannot be decoded.
TppBitmap DecodePictureSource(TppGraphicKind kind, const TppPictureSource &source);

// The bitmap resampled smoothly to width x height (sizes below 1 are 1).
TppBitmap ScaleBitmapSmoothly(const TppBitmap &bitmap, int width, int height);

} // namespace platform
