#pragma once

#include <QPixmap>

// The pictures beside the print dialog's collation box, drawn when asked:
// numbered sheets, either two collated sets or three pairs of the same page.
inline constexpr int kCollationPictureWidth = 102;
inline constexpr int kCollationPictureHeight = 53;

QPixmap CollatedPicture();
QPixmap NotCollatedPicture();
