#pragma once

#include "platform/picture.h"

class QImage;

namespace platform {

// The image's pixels as the report engine holds a bitmap.
TppBitmap BitmapFromImage(const QImage &image);

} // namespace platform
