#pragma once

#include <QPixmap>

// The 16 x 16 glyphs of the preview's tool bar, drawn when the tool bar is
// built, on a transparent ground, at the screen's density: on a screen of
// ratio 2 a glyph has 32 x 32 pixels of its own, not 16 x 16 blown up.
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

QPixmap PreviewGlyph(TppPreviewGlyph glyph, qreal devicePixelRatio);
// At the application's device pixel ratio.
QPixmap PreviewGlyph(TppPreviewGlyph glyph);
