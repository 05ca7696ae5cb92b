#include "report/image.h"

TppImage::TppImage() : TppCustomImage(50, 50) { }
