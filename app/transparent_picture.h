#pragma once

#include <QImage>
#include <QPixmap>

class QString;

// A picture drawn with a transparent colour, as the screens draw check marks
// and button glyphs: the colour of the bottom-left pixel does not show.
// A JPEG only comes close to its background colour, so colours near it fade
// out over a short range instead of leaving a pale fringe.
QImage WithTransparentBackground(const QImage &picture);

// The resource picture with its background made transparent.
QPixmap TransparentPicture(const QString &resource);
