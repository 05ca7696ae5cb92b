#include "platform/qt/cairo_font_faces.h"

#include <QRawFont>

#include <cairo-ft.h>
#include <fontconfig/fontconfig.h>

#include <memory>

namespace platform {

namespace {

struct PatternDeleter {
    void operator()(FcPattern *pattern) const { FcPatternDestroy(pattern); }
};
using Pattern = std::unique_ptr<FcPattern, PatternDeleter>;

int FontconfigWeight(int qtWeight)
{
    // Qt's weights are OpenType's (100 to 900); fontconfig has its own scale.
    return FcWeightFromOpenType(qtWeight);
}

} // namespace

CairoFontFaces::~CairoFontFaces()
{
    for (const auto &[key, face] : m_faces)
        cairo_font_face_destroy(face);
}

cairo_font_face_t *CairoFontFaces::FaceOf(const QRawFont &font)
{
    const Key key{font.familyName(), font.styleName(), int(font.weight()), int(font.style())};
    const auto found = m_faces.find(key);
    if (found != m_faces.end())
        return found->second;
    cairo_font_face_t *face = Load(font);
    m_faces.emplace(key, face);
    return face;
}

cairo_font_face_t *CairoFontFaces::Load(const QRawFont &font)
{
    Pattern wanted(FcPatternCreate());
    const QByteArray family = font.familyName().toUtf8();
    const QByteArray style = font.styleName().toUtf8();
    FcPatternAddString(wanted.get(), FC_FAMILY, reinterpret_cast<const FcChar8 *>(family.constData()));
    if (!style.isEmpty())
        FcPatternAddString(wanted.get(), FC_STYLE, reinterpret_cast<const FcChar8 *>(style.constData()));
    FcPatternAddInteger(wanted.get(), FC_WEIGHT, FontconfigWeight(int(font.weight())));
    FcPatternAddInteger(wanted.get(), FC_SLANT, font.style() == QFont::StyleNormal ? FC_SLANT_ROMAN
                                                  : font.style() == QFont::StyleItalic ? FC_SLANT_ITALIC
                                                                                        : FC_SLANT_OBLIQUE);
    FcConfigSubstitute(nullptr, wanted.get(), FcMatchPattern);
    FcDefaultSubstitute(wanted.get());
    FcResult result = FcResultNoMatch;
    const Pattern match(FcFontMatch(nullptr, wanted.get(), &result));
    FcChar8 *file = nullptr;
    if (!match || FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch)
        return nullptr;
    int index = 0;
    FcPatternGetInteger(match.get(), FC_INDEX, 0, &index);
    // Only the file: hinting and the like mean nothing in a PDF.
    const Pattern chosen(FcPatternCreate());
    FcPatternAddString(chosen.get(), FC_FILE, file);
    FcPatternAddInteger(chosen.get(), FC_INDEX, index);
    cairo_font_face_t *face = cairo_ft_font_face_create_for_pattern(chosen.get());
    if (cairo_font_face_status(face) != CAIRO_STATUS_SUCCESS) {
        cairo_font_face_destroy(face);
        return nullptr;
    }
    return face;
}

} // namespace platform
