#pragma once

#include "platform/picture.h"

class QWidget;

// Gives a report window the report's icon; a picture that cannot be shown
// leaves the window's own icon.
void SetWindowIconFromPicture(QWidget &window, const TppPicture &icon);
