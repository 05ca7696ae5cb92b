#pragma once

#include "platform/graphics.h"
#include "platform/picture.h"

#include <memory>
#include <string_view>
#include <vector>

// The drawing surface through which the report engine measures and draws,
// whatever device lies behind it (a screen bitmap or a printer). All
// coordinates and sizes are whole device pixels; texts are UTF-8.
namespace platform {

// A rectangle in device pixels; right and bottom are exclusive.
struct CanvasRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }

    friend bool operator==(const CanvasRect &, const CanvasRect &) = default;
};

struct CanvasPoint {
    int x = 0;
    int y = 0;

    friend bool operator==(const CanvasPoint &, const CanvasPoint &) = default;
};

// Metrics of the selected font, in device pixels. Height is the character
// cell (ascent + descent); internal leading is the part of the cell above the
// characters' em height; external leading is the extra space the font
// recommends between lines.
struct CanvasFontMetrics {
    int height = 0;
    int ascent = 0;
    int descent = 0;
    int internalLeading = 0;
    int externalLeading = 0;
    int averageCharWidth = 0;
};

// Tab stop positions in device pixels, ascending. An empty table means a
// stop every eight average character widths.
using TabStops = std::vector<int>;

// Options of the text-rectangle calculation (combinable bits).
enum CanvasTextFlag : unsigned {
    ctfLeft = 0x0,
    ctfCenter = 0x1,
    ctfRight = 0x2,
    ctfWordBreak = 0x10,
    ctfExpandTabs = 0x40,
    ctfExternalLeading = 0x200,
};
using CanvasTextFlags = unsigned;

// How pixels drawn by a bitmap combine with those already there: plain copy,
// or "AND", through which white lets the page show.
enum class CopyMode { Copy, And };

class Canvas
{
public:
    virtual ~Canvas() = default;

    // Logical resolution of the device.
    virtual int PixelsPerInchX() const = 0;
    virtual int PixelsPerInchY() const = 0;

    // The font is kept as given, moved to the canvas's vertical resolution
    // (its point size kept), so a screen font selected on a printer prints at
    // the same size.
    virtual void SetFont(const TppFont &font) = 0;
    virtual const TppFont &Font() const = 0;
    virtual void SetPen(const TppPen &pen) = 0;
    virtual const TppPen &Pen() const = 0;
    virtual void SetBrush(const TppBrush &brush) = 0;
    virtual const TppBrush &Brush() const = 0;

    // Measurement with the selected font.
    virtual CanvasFontMetrics FontMetrics() const = 0;
    // Width of a single-line text, tabs measured as ordinary characters.
    virtual int TextWidth(std::string_view text) const = 0;
    // Width of a single-line text without tabs in fractional pixels, before
    // TextWidth rounds it: TextWidth(t) == AdvancePixels(TextAdvance(t)).
    virtual double TextAdvance(std::string_view text) const { return TextWidth(text); }
    // The whole pixels TextWidth makes of an advance.
    virtual int AdvancePixels(double advance) const { return int(advance); }
    // Whether the text's advance, joined before or after any other such
    // text, adds exactly to theirs (no shaping across the join), so that a
    // line can be measured piece by piece. False when unsure.
    virtual bool AdvancesAdd(std::string_view) const { return false; }
    // The advance of each character of a text whose advances add (see
    // AdvancesAdd), in fractional pixels: they sum to TextAdvance. Empty
    // when the text's characters are not laid out one by one.
    virtual std::vector<double> CharacterAdvances(std::string_view) const { return {}; }
    // TextAdvance of a text that AdvancesAdd accepts, found in one pass;
    // false, with `advance` left alone, for any other text.
    virtual bool PiecewiseAdvance(std::string_view text, double &advance) const
    {
        if (!AdvancesAdd(text))
            return false;
        advance = TextAdvance(text);
        return true;
    }
    // Height of a text's line: the character cell of the font.
    virtual int TextHeight(std::string_view text) const = 0;
    // Width of a text with tabs expanded to the stops (tab origin at 0).
    virtual int TabbedTextWidth(std::string_view text, const TabStops &stops) const = 0;
    // The rectangle a text needs when laid out from `bounds`' top-left;
    // with ctfWordBreak lines break at `bounds`' width.
    virtual CanvasRect CalcTextRect(const CanvasRect &bounds, std::string_view text,
                                    CanvasTextFlags flags) const = 0;

    // Lays text out as `layout` does, with the font selected there: widths,
    // advances, tab spacing and baseline are the layout's, scaled by
    // `scaleX` and `scaleY` into this canvas's pixels, and each character
    // is drawn, in this canvas's own font, where the layout puts it. So a
    // text takes on this canvas the room it takes on the layout's device.
    // Null goes back to this canvas's own metrics. Not owned; it must stay
    // while it is set.
    virtual void SetTextLayout(const Canvas *layout, double scaleX, double scaleY) = 0;

    // Distributes `extra` pixels over the next `breakCount` spaces of each
    // text drawn, until reset with (0, 0). A negative extra narrows.
    virtual void SetTextJustification(int extra, int breakCount) = 0;

    // Text output in the font's colour, the character cell's top-left at
    // (x, y); the background is left alone.
    virtual void TextOut(int x, int y, std::string_view text) = 0;
    // As TextOut, limited to `clip`; `opaque` first fills `clip` with the
    // brush colour.
    virtual void TextRect(const CanvasRect &clip, int x, int y, std::string_view text,
                          bool opaque = false) = 0;
    // Tabs expanded to the stops measured from `tabOrigin`.
    virtual void TabbedTextOut(int x, int y, std::string_view text, const TabStops &stops,
                               int tabOrigin) = 0;

    // Shapes: outlined with the pen, filled with the brush. Right and bottom
    // are exclusive, as for every rectangle here.
    virtual void FillRect(const CanvasRect &rect) = 0;
    virtual void Rectangle(const CanvasRect &rect) = 0;
    // Corners are quarters of an ellipse `cornerWidth` x `cornerHeight`.
    virtual void RoundRect(const CanvasRect &rect, int cornerWidth, int cornerHeight) = 0;
    virtual void Ellipse(const CanvasRect &rect) = 0;
    // A line from one point to the other, the end point itself not drawn.
    virtual void Line(CanvasPoint from, CanvasPoint to) = 0;
    // Connected lines through the points, in order.
    virtual void Polyline(const std::vector<CanvasPoint> &points) = 0;

    // The bitmap stretched (or shrunk) to fill `target` exactly.
    virtual void StretchBitmap(const CanvasRect &target, const TppBitmap &bitmap,
                               CopyMode mode = CopyMode::Copy) = 0;
    // An encoded picture (one source of it) stretched to fill `target`, its
    // bytes kept as they are where the device stores that encoding itself
    // (a PDF keeps a JPEG); false, with nothing drawn, where it does not.
    virtual bool DrawEncodedPicture(const CanvasRect &, TppGraphicKind, const TppPictureSource &)
    {
        return false;
    }

    // Drawing is limited to `rect` until the clipping is removed.
    virtual void SetClipRect(const CanvasRect &rect) = 0;
    virtual void RemoveClipping() = 0;
};

// A canvas over a new bitmap of the given size at the screen's resolution
// (platform::ScreenPixelsPerInch()), white, for measuring or for drawing a
// page image. Sizes below 1 are taken as 1.
std::unique_ptr<Canvas> CreateScreenBitmapCanvas(int width = 1, int height = 1);

// The same for a high-density screen: the canvas still measures and draws in
// width x height logical pixels, while its bitmap holds `devicePixelRatio`
// device pixels for each of them (rounded up), so that what is drawn stays
// sharp when shown there. Ratios below 1 are taken as 1.
std::unique_ptr<Canvas> CreateScreenBitmapCanvas(int width, int height, double devicePixelRatio);

// The pixels of a screen bitmap canvas, for devices that show or copy what
// was drawn; empty for canvases of other kinds. A high-density bitmap gives
// its device pixels.
TppBitmap CanvasPixels(const Canvas &canvas);

} // namespace platform
