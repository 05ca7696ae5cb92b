#pragma once

#include "platform/picture.h"

#include <QImage>

#include <cstddef>
#include <vector>

namespace platform {

// Bitmaps as QImages, kept while the same pixels come again: a picture drawn
// on page after page is then one and the same image to the paint engine,
// which a PDF stores once (by the image's cache key) instead of at every
// draw, and it is converted once. Bounded in entries and bytes; a bitmap
// larger than the bound is converted every time and not kept.
class ConvertedImages
{
public:
    // The bitmap as an ARGB32 image; with `whiteAsTransparent`, pure white
    // made transparent (what combining with "AND" over white paper gives).
    const QImage &Image(const TppBitmap &bitmap, bool whiteAsTransparent);

private:
    struct Entry {
        TppBitmap bitmap;
        bool whiteAsTransparent = false;
        QImage image;
    };

    static QImage Convert(const TppBitmap &bitmap, bool whiteAsTransparent);
    static std::size_t BytesOf(const TppBitmap &bitmap);

    static constexpr std::size_t kMaxEntries = 16;
    static constexpr std::size_t kMaxBytes = std::size_t(32) << 20;

    std::vector<Entry> m_entries; // the most recently used last
    std::size_t m_bytes = 0;
    QImage m_uncached;
};

} // namespace platform
