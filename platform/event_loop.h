#pragma once

#include <functional>

namespace platform {

// Handles the window messages that are waiting, so that a long piece of work
// on the user-interface thread keeps its windows responsive. Does nothing
// when the program has no application object.
void ProcessPendingMessages();

// Runs the task once control is back in the event loop, after the handler
// that is running now has returned. Without an application object there is
// no loop to come back to, and the task runs at once.
void PostToEventLoop(std::function<void()> task);

// Handles window messages in a loop of its own until the callback handed to
// `start` is called; not at all when `start` calls it at once, or without an
// application object.
void WaitInEventLoop(const std::function<void(std::function<void()> done)> &start);

} // namespace platform
