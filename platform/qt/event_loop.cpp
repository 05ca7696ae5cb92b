#include "platform/event_loop.h"

#include <QCoreApplication>

namespace platform {

void ProcessPendingMessages()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}

} // namespace platform
