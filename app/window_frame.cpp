#include "app/window_frame.h"

#include <QWidget>

QSize ClientSize(const QSize &outer)
{
    return outer.shrunkBy(kTypicalFrame);
}

void PlaceWindow(QWidget &window, const QRect &outer)
{
    window.resize(ClientSize(outer.size()));
    // For a top-level window move() places the frame, not the client area.
    window.move(outer.topLeft());
}
