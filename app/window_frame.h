#pragma once

#include <QMargins>
#include <QRect>

class QWidget;

// The screens' window sizes are outer sizes, frame included. The frame the
// window manager will draw is not known before the window is shown, so the
// client area is the outer size less a classic sizeable frame: 4-pixel
// borders and a 19-pixel caption.
inline constexpr QMargins kTypicalFrame(4, 23, 4, 4);

// Client size for an outer size.
QSize ClientSize(const QSize &outer);

// Places the window's frame at the outer rectangle's corner and sizes its
// client area to fit the outer size.
void PlaceWindow(QWidget &window, const QRect &outer);
