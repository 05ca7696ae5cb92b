#pragma once

#include <cstdint>
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

// A picture value. Copies are deep: an owner keeps its own.
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

    const std::vector<std::uint8_t> &EncodedData() const { return m_data; }
    // Pixels of a gkBitmap picture; empty for every other kind.
    const TppBitmap &Bitmap() const { return m_bitmap; }

    friend bool operator==(const TppPicture &, const TppPicture &) = default;

private:
    TppGraphicKind m_kind = gkNone;
    int m_width = 0;
    int m_height = 0;
    std::vector<std::uint8_t> m_data;
    TppBitmap m_bitmap;
};

namespace platform {

// Pixel size of encoded data; false when the data is not of a readable format.
bool ReadPictureSize(TppGraphicKind kind, const std::vector<std::uint8_t> &data, int &width,
                     int &height);

// The picture compiled into the program under `path` (":/assets/logo.jpg").
// Throws TppPictureError naming the path when there is none or it is not a
// picture.
TppPicture LoadPictureResource(std::string_view path);

// Renders the picture into a new bitmap of width x height, stretched when that
// differs from its own size. Throws TppPictureError when it cannot: corrupt
// data, a kind without pixels, or a bitmap larger than the memory a single
// image may take (`byteLimit`; 0 means the platform's usual limit).
TppBitmap RenderPicture(const TppPicture &picture, int width, int height,
                        std::size_t byteLimit = 0);

} // namespace platform
