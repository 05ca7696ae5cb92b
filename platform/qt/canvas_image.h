#pragma once

#include "platform/canvas.h"

class QImage;

namespace platform {

// The image a screen bitmap canvas draws on, for a widget that shows it; none
// for no canvas or one of another kind. Its device pixel ratio tells how many
// image pixels make a logical one.
const QImage *CanvasImage(const Canvas *canvas);

} // namespace platform
