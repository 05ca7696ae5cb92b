#include "platform/event_loop.h"

#include "platform/handler_guard.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <memory>

namespace platform {

void ProcessPendingMessages()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}

void PostToEventLoop(std::function<void()> task)
{
    if (!QCoreApplication::instance()) {
        task();
        return;
    }
    // Run from the event loop, it is a handler entry point like any other.
    QTimer::singleShot(0, QCoreApplication::instance(), Guarded(std::move(task)));
}

} // namespace platform

namespace platform {

void WaitInEventLoop(const std::function<void(std::function<void()> done)> &start)
{
    // Shared with the callback, which may outlive the wait when the
    // application quits the loop first.
    struct Wait {
        bool done = false;
        QEventLoop loop;
    };
    auto wait = std::make_shared<Wait>();
    start([wait] {
        wait->done = true;
        wait->loop.quit();
    });
    if (!wait->done && QCoreApplication::instance())
        wait->loop.exec();
}

} // namespace platform
