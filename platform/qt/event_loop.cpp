#include "platform/event_loop.h"

#include "platform/handler_guard.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace platform {

bool ProcessPendingMessages(MessageWait wait)
{
    if (!QCoreApplication::instance())
        return false;
    QCoreApplication::processEvents(wait == MessageWait::ForNext ? QEventLoop::WaitForMoreEvents
                                                                  : QEventLoop::AllEvents);
    return true;
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
