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
