#include "output/device_registry.h"

#include "output/device_class.h"

#include <algorithm>
#include <cctype>
#include <memory>
#include <string_view>

namespace {

using ClassList = std::vector<const TppDeviceClass *>;

// Created on first use, like the registry it stands for; the list itself is
// the only state.
std::unique_ptr<ClassList> &Registry()
{
    static std::unique_ptr<ClassList> registry;
    return registry;
}

bool SameTextIgnoringCase(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](unsigned char x, unsigned char y) {
        return std::tolower(x) == std::tolower(y);
    });
}

} // namespace

void RegisterDeviceClass(const TppDeviceClass *deviceClass)
{
    if (!deviceClass)
        return;
    std::unique_ptr<ClassList> &registry = Registry();
    if (!registry)
        registry = std::make_unique<ClassList>();
    if (std::find(registry->begin(), registry->end(), deviceClass) == registry->end())
        registry->push_back(deviceClass);
}

void UnregisterDeviceClass(const TppDeviceClass *deviceClass)
{
    const std::unique_ptr<ClassList> &registry = Registry();
    if (!deviceClass || !registry)
        return;
    const auto it = std::find(registry->begin(), registry->end(), deviceClass);
    if (it != registry->end())
        registry->erase(it);
}

void DeviceClassNames(TppDeviceClassNames &names)
{
    const std::unique_ptr<ClassList> &registry = Registry();
    if (!registry)
        return;
    for (const TppDeviceClass *deviceClass : *registry)
        names.emplace_back(deviceClass->DeviceTypeName(), deviceClass);
}

const TppDeviceClass *FindDeviceClass(const std::string &deviceTypeName)
{
    TppDeviceClassNames names;
    DeviceClassNames(names);
    const auto it = std::find_if(names.begin(), names.end(), [&](const auto &entry) {
        return SameTextIgnoringCase(entry.first, deviceTypeName);
    });
    return it == names.end() ? nullptr : it->second;
}
