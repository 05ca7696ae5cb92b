#pragma once

#include <QIcon>

// The window icon of the results and definitions screens: the logo picture
// at 16, 32 and 48 pixels, fitted into the square without distortion.
QIcon LogoIcon();
