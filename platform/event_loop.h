#pragma once

#include <functional>

namespace platform {

enum class MessageWait {
    None,    // handle what is waiting and return
    ForNext, // first wait until a message comes (a timer's tick among them)
};

// Handles the window messages that are waiting, so that a long piece of work
// on the user-interface thread keeps its windows responsive. False without an
// application object: there are no messages, and none will come.
bool ProcessPendingMessages(MessageWait wait = MessageWait::None);

// Runs the task once control is back in the event loop, after the handler
// that is running now has returned. Without an application object there is
// no loop to come back to, and the task runs at once.
void PostToEventLoop(std::function<void()> task);

} // namespace platform
