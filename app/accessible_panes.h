#pragma once

// Plain QFrames (the screens' coloured panels and bevels) are told to
// assistive technology as panes. Qt presents them as frames, the role of a
// top-level window, and a screen reader that looks for the window of the
// focused control stops at the panel, finds it inactive and says nothing.
// The main screen, a plain widget, is told as a window. Call once, before
// the windows are created.
void PresentPanelsAsPanes();
