#pragma once

#include "platform/graphics_color.h"

#include <QColor>

namespace platform {

// The colour as the desktop shows it now: fixed values as they are, system
// colour roles from the application's palette.
QColor ToQColor(TppColor color);

} // namespace platform
