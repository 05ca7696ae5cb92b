#pragma once

#include "report/relative.h"

// An object whose generation state can be saved and restored, so that pages
// already generated can be regenerated from a saved point. Page caching of
// generation state is not used by this program; the hooks stay for the
// engine's generation objects.
class TppCacheable : public TppRelative {
public:
    virtual void SaveState() { }
    virtual void RestoreState() { }
};
