#pragma once

namespace platform {

// Handles the window messages that are waiting, so that a long piece of work
// on the user-interface thread keeps its windows responsive. Does nothing
// when the program has no application object.
void ProcessPendingMessages();

} // namespace platform
