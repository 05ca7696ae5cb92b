#pragma once

#include "output/draw_command.h"
#include "platform/graphics_color.h"

#include <cstdint>

class TppDeviceReport;

// How a viewer scales the page it shows.
enum TppZoomSettingType : std::uint8_t {
    zsWholePage = 0,
    zsPageWidth = 1,
    zs100Percent = 2,
    zsPercentage = 3,
};

// What the screen device needs of the control that shows its page image:
// the zoom and colour to render with, the size of the visible area, the
// report it shows, and where to send its notices. Implemented by the
// preview's viewer; the device only refers to it.
class TppScreenViewer {
public:
    virtual ~TppScreenViewer() = default;

    virtual TppZoomSettingType ZoomSetting() const = 0;
    virtual int ZoomPercentage() const = 0;
    virtual TppColor PageColor() const = 0;
    // The visible page area, in logical pixels.
    virtual int VisibleWidth() const = 0;
    virtual int VisibleHeight() const = 0;
    // Device pixels per logical pixel of the screen the viewer is on; the
    // page image is rendered that much finer, its geometry unchanged.
    virtual double DevicePixelRatio() const = 0;
    // The report whose pages are shown, or none.
    virtual TppDeviceReport *ViewedReport() const = 0;

    // A page the device accepted has been rendered into its page image.
    virtual void PageImageReady() = 0;
    // The device's status line changed.
    virtual void ScreenStatusChanged() = 0;
    // The page image changed as a whole.
    virtual void RepaintPage() = 0;
    // Copies one rectangle of the page image (logical pixels) to the screen
    // at once, without repainting the rest.
    virtual void CopyPageImageToScreen(const TppDeviceRect &rect) = 0;
    // The page surface is shown once the first page has been rendered.
    virtual bool PageSurfaceVisible() const = 0;
    virtual void ShowPageSurface() = 0;
    // The report's publisher is being destroyed: the viewer lets go of the
    // report before the device forgets the publisher.
    virtual void DetachReport() = 0;
};
