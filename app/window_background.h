#pragma once

class QLabel;
class QString;
class QWidget;

// The screens place their background picture at an offset, and it ends short
// of the window's client area, whose size follows the frame. So the window
// paints the picture itself: from the picture control's corner, repeated
// beyond the picture's edges, edge to edge. The control only marks the place.
// The picture is decoded when the window is first painted, so a window that
// is never shown never decodes it.
void PaintBackgroundEdgeToEdge(QWidget &window, const QLabel &place, const QString &resource);
