#include "platform/event_loop.h"

#include <QCoreApplication>
#include <QTimer>

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
    QTimer::singleShot(0, QCoreApplication::instance(), std::move(task));
}

} // namespace platform
