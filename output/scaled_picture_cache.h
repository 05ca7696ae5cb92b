#pragma once

#include "platform/canvas.h"
#include "platform/picture.h"

#include <cstddef>
#include <deque>

// Pictures as the screen shows them: resampled smoothly from their finest
// source to the device pixels they cover, kept by source and size, so that
// a picture drawn again at a zoom it was drawn at (every page, or back to an
// earlier zoom) is not resampled again.
class TppScaledPictureCache
{
public:
    struct Key {
        const void *source = nullptr; // the source's data, which never changes
        platform::CanvasRect target;  // where the picture lies in the area
        int width = 0;                // the area, in device pixels
        int height = 0;
        bool operator==(const Key &) const = default;
    };

    const TppBitmap *Find(const Key &key) const
    {
        for (const Entry &entry : m_entries) {
            if (entry.key == key)
                return &entry.pixels;
        }
        return nullptr;
    }

    const TppBitmap &Add(const Key &key, TppBitmap pixels)
    {
        if (m_entries.size() >= kMaxEntries)
            m_entries.pop_front();
        m_entries.push_back({key, std::move(pixels)});
        return m_entries.back().pixels;
    }

private:
    struct Entry {
        Key key;
        TppBitmap pixels;
    };
    // A sheet has a few pictures; a few zooms of each are kept.
    static constexpr std::size_t kMaxEntries = 12;

    std::deque<Entry> m_entries;
};
