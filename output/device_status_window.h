#pragma once

#include <string>

// The progress window a device writes its status lines into (the cancel
// dialog of a print run). Implemented by the window itself; a device only
// refers to it.
class TppStatusWindow {
public:
    virtual ~TppStatusWindow() = default;

    virtual const std::string &StatusText() const = 0;
    virtual void SetStatusText(const std::string &text) = 0;
    // Shows the current StatusText.
    virtual void StatusChanged() = 0;
};
