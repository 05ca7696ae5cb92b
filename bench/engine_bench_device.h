#pragma once

// The device the engine benchmarks publish to: it accepts pages as a viewer
// or a printer would and hands each command to a renderer that draws
// nothing, so that the figures are the engine's.

#include "output/device.h"
#include "output/page.h"

class CountingDevice : public TppDevice {
public:
    void AcceptPage(TppPage &page) override
    {
        TppDevice::AcceptPage(page);
        if (JobOpen() && PageWanted() && !SuppressPage()) {
            ++pages;
            DrawPageCommands(page);
        }
    }

    bool RenderCommand(TppDrawCommand &) override
    {
        ++commands;
        return true;
    }

    long pages = 0;
    long commands = 0;
};
