#pragma once

#include "output/printer_capabilities.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <string>

// One entry of the printer list: a spooler queue, the "Default" stand-in or
// the "Screen" pseudo-printer. Capabilities are read from the driver on first
// request and kept.
class TppPrinterInfo
{
public:
    TppPrinterInfo(std::string name, std::string device, std::string driver, std::string port, bool local);
    TppPrinterInfo(const TppPrinterInfo &) = delete;
    TppPrinterInfo &operator=(const TppPrinterInfo &) = delete;
    virtual ~TppPrinterInfo();

    const std::string &Name() const { return m_name; }
    const std::string &Device() const { return m_device; }
    const std::string &Driver() const { return m_driver; }
    const std::string &Port() const { return m_port; }
    // False for a queue the spooler reaches over the network.
    bool Local() const { return m_local; }
    virtual bool IsScreen() const { return false; }

    // True until a drawing context for this printer has failed.
    bool Valid() const { return m_valid; }
    void MarkInvalid() const { m_valid = false; }

    const TppPrinterCapabilities &Capabilities() const;

protected:
    virtual TppPrinterCapabilities BuildCapabilities() const;

private:
    std::string m_name;
    std::string m_device;
    std::string m_driver;
    std::string m_port;
    bool m_local;
    mutable std::atomic<bool> m_valid{true};
    mutable std::once_flag m_capabilitiesBuilt;
    mutable std::unique_ptr<TppPrinterCapabilities> m_capabilities;
};

// The "Screen" pseudo-printer: fixed capabilities, never prints.
class TppScreenPrinterInfo : public TppPrinterInfo
{
public:
    TppScreenPrinterInfo();
    bool IsScreen() const override { return true; }

protected:
    TppPrinterCapabilities BuildCapabilities() const override;
};
