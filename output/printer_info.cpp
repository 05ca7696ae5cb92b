#include "output/printer_info.h"

#include "platform/print_spooler.h"

TppPrinterInfo::TppPrinterInfo(std::string name, std::string device, std::string driver, std::string port,
                               bool local)
    : m_name(std::move(name))
    , m_device(std::move(device))
    , m_driver(std::move(driver))
    , m_port(std::move(port))
    , m_local(local)
{
}

TppPrinterInfo::~TppPrinterInfo() = default;

const TppPrinterCapabilities &TppPrinterInfo::Capabilities() const
{
    std::call_once(m_capabilitiesBuilt, [this] {
        m_capabilities = std::make_unique<TppPrinterCapabilities>(BuildCapabilities());
    });
    return *m_capabilities;
}

TppPrinterCapabilities TppPrinterInfo::BuildCapabilities() const
{
    // The "Default" stand-in has no device to ask: it gets only what
    // normalisation supplies.
    const platform::SpoolerCapabilities driver =
        m_device.empty() ? platform::SpoolerCapabilities{} : platform::ReadCapabilities(m_device);
    return TppPrinterCapabilities(m_name, driver);
}

TppScreenPrinterInfo::TppScreenPrinterInfo()
    : TppPrinterInfo("Screen", "Screen", std::string(), std::string(), true)
{
}

TppPrinterCapabilities TppScreenPrinterInfo::BuildCapabilities() const
{
    return TppPrinterCapabilities::ForScreen();
}
