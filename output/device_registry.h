#pragma once

#include <string>
#include <utility>
#include <vector>

class TppDeviceClass;

// The process-wide list of device kinds, in registration order. Each device
// kind registers itself when the program starts and unregisters at shut-down;
// a report finds the kind for its DeviceType here.

using TppDeviceClassNames = std::vector<std::pair<std::string, const TppDeviceClass *>>;

// Null is ignored; a class already registered is not added again.
void RegisterDeviceClass(const TppDeviceClass *deviceClass);
// Null and unknown classes are ignored.
void UnregisterDeviceClass(const TppDeviceClass *deviceClass);
// Appends each registered class's DeviceTypeName with the class.
void DeviceClassNames(TppDeviceClassNames &names);
// The class whose DeviceTypeName matches without regard to case (the first
// registered wins), or null.
const TppDeviceClass *FindDeviceClass(const std::string &deviceTypeName);

// Keeps a device class registered for as long as it lives: the program's
// start-up holds one for each device kind, and its end unregisters them.
class TppDeviceClassRegistration {
public:
    explicit TppDeviceClassRegistration(const TppDeviceClass &deviceClass)
        : m_deviceClass(deviceClass)
    {
        RegisterDeviceClass(&m_deviceClass);
    }
    ~TppDeviceClassRegistration() { UnregisterDeviceClass(&m_deviceClass); }
    TppDeviceClassRegistration(const TppDeviceClassRegistration &) = delete;
    TppDeviceClassRegistration &operator=(const TppDeviceClassRegistration &) = delete;

private:
    const TppDeviceClass &m_deviceClass;
};
