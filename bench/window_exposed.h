#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>
#include <QWindow>

// Serves the event loop until the window is on the screen, at most 5 s.
inline void WaitExposed(QWidget &widget)
{
    QElapsedTimer clock;
    clock.start();
    while ((!widget.windowHandle() || !widget.windowHandle()->isExposed()) && clock.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}
