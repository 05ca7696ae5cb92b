#include "output/decoded_pictures.h"

const TppBitmap *TppDecodedPictures::Pixels(TppGraphicKind kind, const TppPictureSource &source)
{
    if (!source.Data)
        return nullptr;
    // The shared data names the source: every copy of a picture holds it.
    for (const Entry &entry : m_entries) {
        if (entry.data == source.Data)
            return entry.pixels.get();
    }
    Entry entry{source.Data, nullptr};
    try {
        entry.pixels = std::make_unique<TppBitmap>(platform::DecodePictureSource(kind, source));
    } catch (const TppPictureError &) {
    }
    if (m_entries.size() == kMaxEntries)
        m_entries.pop_front();
    m_entries.push_back(std::move(entry));
    return m_entries.back().pixels.get();
}
