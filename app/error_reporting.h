#pragma once

#include "platform/handler_guard.h"

#include <string>

// The program's top-level error reporting: a fault ends the handler it came
// from, the user sees its message, and the program goes on.

// The text shown for a fault: a full stop is added when the message lacks one.
std::string ErrorMessageText(const std::string &message);

// Shows the message in an error box titled "VALDORA" with an OK button, over
// the window that is active at the time.
void ReportError(const std::string &message);

// Every handler entry point runs guarded (platform/handler_guard.h).
using platform::Guarded;
using platform::RunGuarded;
