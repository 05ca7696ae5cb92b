#pragma once

#include <functional>
#include <string>

// Message boxes of the program: an OK button, over the active window, titled
// with the application's name. The text is shown as it is, never read as
// markup.
namespace platform {

enum class MessageKind { Error, Warning, Information };

void ShowMessage(MessageKind kind, const std::string &text);

// A question with Yes and No buttons, No the default; true for Yes.
bool AskYesNo(const std::string &text);

// Where messages go while the program runs without windows (the command
// line): each message is handed over instead of shown, and a question is
// answered No. An empty redirect shows boxes again. Process-wide, like the
// toolkit's own message handler.
using MessageRedirect = std::function<void(MessageKind kind, const std::string &text)>;
void RedirectMessages(MessageRedirect redirect);

// The message with a full stop added when it does not end with one.
std::string WithFullStop(const std::string &message);

// The application's error display: the full stop rule, then an error box.
// A fault that ends a handler is shown here, and the program goes on.
void ShowErrorMessage(const std::string &message);

} // namespace platform
