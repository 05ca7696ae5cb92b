#pragma once

#include <QString>

#include <map>
#include <tuple>

class QRawFont;
typedef struct _cairo_font_face cairo_font_face_t;

namespace platform {

// The cairo faces of the font files Qt draws with: a QRawFont names the face
// (family, style, weight) and fontconfig, which Qt itself asks, gives its
// file, so glyph indexes taken from Qt mean the same glyphs to cairo. Faces
// are kept for the life of the cache.
class CairoFontFaces
{
public:
    CairoFontFaces() = default;
    CairoFontFaces(const CairoFontFaces &) = delete;
    CairoFontFaces &operator=(const CairoFontFaces &) = delete;
    ~CairoFontFaces();

    // Null when no file is found for the font.
    cairo_font_face_t *FaceOf(const QRawFont &font);

private:
    using Key = std::tuple<QString, QString, int, int>;
    static cairo_font_face_t *Load(const QRawFont &font);

    std::map<Key, cairo_font_face_t *> m_faces;
};

} // namespace platform
