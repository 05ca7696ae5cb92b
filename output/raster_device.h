#pragma once

#include "output/device.h"

// Base of the devices that draw pages onto pixels (screen and printer). It
// adds nothing to TppDevice but its class.
class TppRasterDevice : public TppDevice {
public:
    TppRasterDevice() = default;

    static const TppDeviceClass &StaticClass()
    {
        static const TppDeviceClass rasterClass("TppRasterDevice", "TppRasterDevice",
                                                &TppDevice::StaticClass(),
                                                []() -> std::unique_ptr<TppDevice> {
                                                    return std::make_unique<TppRasterDevice>();
                                                });
        return rasterClass;
    }
    const TppDeviceClass &Class() const override { return StaticClass(); }
};
