#pragma once

#include <memory>

class TppDevice;

// A device kind as the registry, the report's DeviceType and the print
// dialog know it: the class name, the name reports use for it, a description
// for lists, its base kind, and how to make one. Each device class keeps one
// instance for the life of the process.
class TppDeviceClass {
public:
    using Factory = std::unique_ptr<TppDevice> (*)();

    // The names are literals: they live as long as the program.
    constexpr TppDeviceClass(const char *className, const char *deviceTypeName,
                             const TppDeviceClass *parent, Factory factory,
                             const char *description = "", const char *fileExtension = "",
                             const char *fileFilter = "")
        : m_className(className)
        , m_deviceTypeName(deviceTypeName)
        , m_description(description)
        , m_fileExtension(fileExtension)
        , m_fileFilter(fileFilter)
        , m_parent(parent)
        , m_factory(factory)
    {
    }
    TppDeviceClass(const TppDeviceClass &) = delete;
    TppDeviceClass &operator=(const TppDeviceClass &) = delete;

    const char *ClassName() const { return m_className; }
    const char *DeviceTypeName() const { return m_deviceTypeName; }
    const char *Description() const { return m_description; }
    const TppDeviceClass *Parent() const { return m_parent; }
    // For devices that write files: the default extension ("pdf") and the
    // filter of the save dialog as pairs of description and pattern joined
    // by "|" ("PDF files|*.pdf|All files|*"). Empty for other devices.
    const char *FileExtension() const { return m_fileExtension; }
    const char *FileFilter() const { return m_fileFilter; }

    // True for this class and every class derived from `ancestor`.
    bool InheritsFrom(const TppDeviceClass &ancestor) const
    {
        for (const TppDeviceClass *c = this; c; c = c->m_parent) {
            if (c == &ancestor)
                return true;
        }
        return false;
    }

    // A new device of this class; null for a class that cannot be made alone.
    std::unique_ptr<TppDevice> Create() const;

private:
    const char *m_className;
    const char *m_deviceTypeName;
    const char *m_description;
    const char *m_fileExtension;
    const char *m_fileFilter;
    const TppDeviceClass *m_parent;
    Factory m_factory;
};
