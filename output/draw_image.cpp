#include "output/draw_image.h"

std::unique_ptr<TppDrawCommand> TppDrawImage::CreateSameClass() const
{
    return std::make_unique<TppDrawImage>();
}

void TppDrawImage::Assign(const TppDrawCommand &source)
{
    TppDrawCommand::Assign(source);
    const auto *image = dynamic_cast<const TppDrawImage *>(&source);
    if (!image)
        return;
    m_center = image->m_center;
    m_directDraw = image->m_directDraw;
    m_maintainAspectRatio = image->m_maintainAspectRatio;
    m_scale = image->m_scale;
    m_stretch = image->m_stretch;
    m_transparent = image->m_transparent;
    m_imageName = image->m_imageName;
    SetPicture(image->m_picture);
}

bool TppDrawImage::SameContentAs(const TppDrawCommand &other) const
{
    return dynamic_cast<const TppDrawImage *>(&other) && TppDrawCommand::SameContentAs(other);
}

void TppDrawImage::SetPicture(const TppPicture &value)
{
    // Bitmaps are always held device-independent, so a copy is all it takes.
    m_picture = value;
    m_bitmap.reset();
    m_bitmapTried = false;
}

const TppBitmap *TppDrawImage::AsBitmap() const
{
    switch (m_picture.Kind()) {
    case gkNone:
    case gkMetafile:
    case gkIcon:
        return nullptr;
    case gkBitmap:
        return &m_picture.Bitmap();
    default:
        break;
    }
    if (m_bitmapTried)
        return m_bitmap.get();
    m_bitmapTried = true;
    const int width = m_picture.Width();
    const int height = m_picture.Height();
    try {
        m_bitmap = std::make_unique<TppBitmap>(
            platform::RenderPicture(m_picture, width, height, m_bitmapByteLimit));
    } catch (const std::exception &) {
        // A picture too large for memory may still fit at a quarter of its size.
        try {
            m_bitmap = std::make_unique<TppBitmap>(platform::RenderPicture(
                m_picture, int(width * 0.25), int(height * 0.25), m_bitmapByteLimit));
        } catch (const std::exception &) {
            m_bitmap.reset();
        }
    }
    return m_bitmap.get();
}
