#pragma once

#include <exception>
#include <string>
#include <utility>

class QWidget;

// The program's top-level error reporting: a fault ends the handler it came
// from, the user sees its message, and the program goes on.

// The text shown for a fault: a full stop is added when the message lacks one.
std::string ErrorMessageText(const std::string &message);

// Shows the message in an error box titled "VALDORA" with an OK button, over
// the window that is active at the time.
void ReportError(const std::string &message);

// Runs one handler with its faults reported. Qt does not carry exceptions
// through its event loop, so every handler entry point goes through here.
template <typename Handler>
void RunGuarded(Handler &&handler)
{
    try {
        std::forward<Handler>(handler)();
    } catch (const std::exception &fault) {
        ReportError(fault.what());
    } catch (...) {
        ReportError("Unknown error");
    }
}

// Wraps a handler for connect(): the returned slot takes no arguments and runs
// the handler guarded.
template <typename Handler>
auto Guarded(Handler handler)
{
    return [handler = std::move(handler)]() mutable { RunGuarded(handler); };
}
