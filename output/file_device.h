#pragma once

#include "output/device_class.h"

#include <string>

// What the devices that write a file have in common, whatever they derive
// from: the name of the file to write. Their device classes descend from
// StaticClass(), which is how the print dialog finds the file types to offer.
class TppFileDevice {
public:
    virtual ~TppFileDevice() = default;

    virtual const std::string &FileName() const = 0;
    virtual void SetFileName(const std::string &name) = 0;

    static const TppDeviceClass &StaticClass();
};
