#pragma once

#include "platform/graphics_font.h"

#include <QFont>

class QPaintDevice;

namespace platform {

// The toolkit font for `font` on `device`, its height taken in pixels of that
// device: negative heights are the characters' em height, positive ones the
// whole character cell, 0 the desktop's usual 8 points. Kerning and
// ligatures are left out, so that a text is as wide as its characters
// together, as every line break decision assumes.
QFont ToQFont(const TppFont &font, QPaintDevice *device);

} // namespace platform
