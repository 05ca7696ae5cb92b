#pragma once

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <functional>

// Serves the event loop until the window is on the screen, at most 5 s.
inline void WaitExposed(QWidget &widget)
{
    QElapsedTimer clock;
    clock.start();
    while ((!widget.windowHandle() || !widget.windowHandle()->isExposed()) && clock.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

inline void CloseModalWindow()
{
    if (auto *window = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
        window->close();
}

// Notes when the first widget `isTarget` accepts has painted (once the paint
// event has been handled), then closes the modal window it stands in.
// Installed on the application while the window opens.
class FirstPaintWatch : public QObject {
public:
    explicit FirstPaintWatch(std::function<bool(QObject *)> isTarget)
        : m_isTarget(std::move(isTarget))
    {
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Paint || painted || !m_isTarget(watched))
            return false;
        QTimer::singleShot(0, watched, [this] {
            if (!painted) {
                painted = true;
                elapsed = clock.nsecsElapsed() / 1e6;
                CloseModalWindow();
            }
        });
        return false;
    }

    // Starts the clock, and a guard that closes the modal window after 5 s:
    // a target that never paints must not hang the benchmark.
    void Start()
    {
        clock.start();
        m_guard.setSingleShot(true);
        QObject::connect(&m_guard, &QTimer::timeout, [] { CloseModalWindow(); });
        m_guard.start(5000);
    }

    QElapsedTimer clock;
    bool painted = false;
    double elapsed = 0;

private:
    std::function<bool(QObject *)> m_isTarget;
    QTimer m_guard;
};
