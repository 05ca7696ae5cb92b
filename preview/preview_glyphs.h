#pragma once

#include <QPixmap>

// The 16 x 16 glyphs of the preview's tool bar, drawn when the tool bar is
// built. Each is drawn on green, and the colour of its bottom-left pixel is
// made transparent, as speed buttons show glyphs.
enum class TppPreviewGlyph {
    Print,
    Search,
    WholePage,
    PageWidth,
    HundredPercent,
    FirstPage,
    PriorPage,
    NextPage,
    LastPage,
};

QPixmap PreviewGlyph(TppPreviewGlyph glyph);
