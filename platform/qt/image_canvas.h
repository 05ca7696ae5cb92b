#pragma once

#include "platform/qt/painter_canvas.h"

#include <QImage>
#include <QPainter>

namespace platform {

// The image a canvas draws on, made before the canvas that refers to it.
class ImageCanvasSurface
{
protected:
    ImageCanvasSurface(int width, int height, int pixelsPerInch, double devicePixelRatio);

    QImage m_image;
};

// A canvas that owns its bitmap and its painter: a screen bitmap for
// measuring, or the page image a screen device draws.
class ImageCanvas : private ImageCanvasSurface, public PainterCanvas
{
public:
    // Throws std::runtime_error when there is no graphics system to draw with
    // or no bitmap of that size can be had. Width and height are logical
    // pixels; the image holds devicePixelRatio device pixels for each.
    ImageCanvas(int width, int height, int pixelsPerInch, double devicePixelRatio = 1.0);
    ~ImageCanvas() override;

    // Its device pixel ratio tells how many image pixels make a logical one.
    const QImage &Image() const { return m_image; }

private:
    QPainter m_painter;
};

} // namespace platform
