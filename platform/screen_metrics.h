#pragma once

namespace platform {

// The display's logical pixels per inch, from the vertical resolution of the
// primary screen; it serves both axes. Read once, when a screen first exists;
// without a screen (no GUI application yet, or none at all) it is 96.
int ScreenPixelsPerInch();

} // namespace platform
