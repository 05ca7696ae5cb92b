#pragma once

#include "output/draw_command.h"
#include "platform/picture.h"

#include <cstddef>

// A picture on a page, fitted into the command's rectangle by the device
// according to Stretch, MaintainAspectRatio and Center.
class TppDrawImage : public TppDrawCommand {
public:
    TppDrawImage() : TppDrawCommand(dtGraphic) { }

    const char *ClassName() const override { return "TppDrawImage"; }
    std::unique_ptr<TppDrawCommand> CreateSameClass() const override;
    void Assign(const TppDrawCommand &source) override;
    bool SameContentAs(const TppDrawCommand &other) const override;

    bool Center() const { return m_center; }
    void SetCenter(bool value) { m_center = value; }
    bool MaintainAspectRatio() const { return m_maintainAspectRatio; }
    void SetMaintainAspectRatio(bool value) { m_maintainAspectRatio = value; }
    bool Scale() const { return m_scale; }
    void SetScale(bool value) { m_scale = value; }
    bool Stretch() const { return m_stretch; }
    void SetStretch(bool value) { m_stretch = value; }
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool value) { m_transparent = value; }
    bool DirectDraw() const { return m_directDraw; }
    void SetDirectDraw(bool value) { m_directDraw = value; }

    const TppPicture &Picture() const { return m_picture; }
    // Keeps a copy; a cached rendition of the previous picture is dropped.
    void SetPicture(const TppPicture &value);

    const std::string &ImageName() const { return m_imageName; }
    void SetImageName(std::string value) { m_imageName = std::move(value); }

    // A bitmap rendition of the picture, or none (metafiles, icons, empty
    // pictures, and pictures that cannot be rendered even at a quarter of
    // their size). A bitmap picture answers its own pixels; others are
    // rendered once and kept until the picture changes. Never throws.
    const TppBitmap *AsBitmap() const;

    // Largest rendition in bytes; 0 leaves it to the platform. Lets memory-poor
    // callers (and tests) make the full-size rendering fail over to a quarter.
    void SetBitmapByteLimit(std::size_t bytes) { m_bitmapByteLimit = bytes; }

private:
    bool m_center = false;
    bool m_maintainAspectRatio = false;
    TppPicture m_picture;
    bool m_scale = false;
    bool m_stretch = false;
    bool m_transparent = false;
    bool m_directDraw = false;
    mutable std::unique_ptr<TppBitmap> m_bitmap;
    mutable bool m_bitmapTried = false;
    std::size_t m_bitmapByteLimit = 0;
    std::string m_imageName;
};
