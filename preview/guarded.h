#pragma once

#include "platform/message_box.h"

#include <exception>
#include <utility>

// Qt does not carry exceptions through its event loop: every entry point of
// the report windows (event overrides, slots, timers) runs its work through
// here, and a fault is shown in the application's error display.
template <typename Handler>
void RunPreviewGuarded(Handler &&handler)
{
    try {
        std::forward<Handler>(handler)();
    } catch (const std::exception &fault) {
        platform::ShowErrorMessage(fault.what());
    } catch (...) {
        platform::ShowErrorMessage("Unknown error");
    }
}
