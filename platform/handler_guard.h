#pragma once

#include "platform/message_box.h"

#include <exception>
#include <utility>

// The toolkit does not carry exceptions through its event loop: every
// handler entry point (a slot, an event override, a timer, a window's
// activation) runs through here, so that a fault ends that handler, the
// user sees its message in the application's error display, and the
// program goes on.
namespace platform {

template <typename Handler>
void RunGuarded(Handler &&handler)
{
    try {
        std::forward<Handler>(handler)();
    } catch (const std::exception &fault) {
        ShowErrorMessage(fault.what());
    } catch (...) {
        ShowErrorMessage("Unknown error");
    }
}

// Wraps a handler for connect(): the returned slot takes no arguments and
// runs the handler guarded.
template <typename Handler>
auto Guarded(Handler handler)
{
    return [handler = std::move(handler)]() mutable { RunGuarded(handler); };
}

} // namespace platform
