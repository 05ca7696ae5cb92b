#include "platform/qt/converted_images.h"

#include <algorithm>

namespace platform {

std::size_t ConvertedImages::BytesOf(const TppBitmap &bitmap)
{
    // The kept copy of the pixels and the image made of them.
    return 2 * std::size_t(bitmap.Width) * std::size_t(bitmap.Height) * sizeof(std::uint32_t);
}

QImage ConvertedImages::Convert(const TppBitmap &bitmap, bool whiteAsTransparent)
{
    QImage image(bitmap.Width, bitmap.Height, QImage::Format_ARGB32);
    for (int y = 0; y < bitmap.Height; ++y) {
        const std::uint32_t *source = bitmap.Pixels.data() + std::size_t(y) * bitmap.Width;
        auto *line = reinterpret_cast<std::uint32_t *>(image.scanLine(y));
        std::copy(source, source + bitmap.Width, line);
        if (whiteAsTransparent) {
            for (int x = 0; x < bitmap.Width; ++x) {
                if ((line[x] & 0xFFFFFFu) == 0xFFFFFFu)
                    line[x] = 0;
            }
        }
    }
    return image;
}

const QImage &ConvertedImages::Image(const TppBitmap &bitmap, bool whiteAsTransparent)
{
    const auto same = [&](const Entry &entry) {
        return entry.whiteAsTransparent == whiteAsTransparent && entry.bitmap == bitmap;
    };
    const auto found = std::find_if(m_entries.begin(), m_entries.end(), same);
    if (found != m_entries.end()) {
        std::rotate(found, found + 1, m_entries.end());
        return m_entries.back().image;
    }
    const std::size_t bytes = BytesOf(bitmap);
    if (bytes > kMaxBytes) {
        m_uncached = Convert(bitmap, whiteAsTransparent);
        return m_uncached;
    }
    while (!m_entries.empty() && (m_entries.size() >= kMaxEntries || m_bytes + bytes > kMaxBytes)) {
        m_bytes -= BytesOf(m_entries.front().bitmap);
        m_entries.erase(m_entries.begin());
    }
    m_entries.push_back({bitmap, whiteAsTransparent, Convert(bitmap, whiteAsTransparent)});
    m_bytes += bytes;
    return m_entries.back().image;
}

} // namespace platform
