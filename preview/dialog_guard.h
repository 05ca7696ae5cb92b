#pragma once

#include "platform/message_box.h"

#include <exception>
#include <string>
#include <utility>

// Runs a handler of a report window: Qt carries no exception through its
// event loop, so a fault ends the handler here and is shown by the
// program's error display.
template <typename Handler>
void RunDialogHandler(Handler &&handler) noexcept
{
    try {
        std::forward<Handler>(handler)();
    } catch (const std::exception &error) {
        platform::ShowErrorMessage(error.what());
    } catch (...) {
        platform::ShowErrorMessage("Unknown error.");
    }
}
