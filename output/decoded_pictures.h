#pragma once

#include "platform/picture.h"

#include <cstddef>
#include <deque>
#include <memory>
#include <vector>

// The pixels of the picture sources a device draws, each decoded once and
// kept while the device lives, so that a picture drawn on every page (or at
// every zoom) is read only the first time.
class TppDecodedPictures
{
public:
    // The pixels of `source`, a source of an encoded picture of `kind`; null
    // when its data cannot be decoded (asked once, remembered as such).
    const TppBitmap *Pixels(TppGraphicKind kind, const TppPictureSource &source);

private:
    struct Entry {
        std::shared_ptr<const std::vector<std::uint8_t>> data;
        std::unique_ptr<TppBitmap> pixels;
    };

    // A report seldom has more pictures than this; the oldest goes first.
    static constexpr std::size_t kMaxEntries = 32;

    std::deque<Entry> m_entries;
};
