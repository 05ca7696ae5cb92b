#include "report/producer.h"

#include "output/device_registry.h"

TppProducer::TppProducer() : m_printerSetup(std::make_unique<TppPrinterSetup>(&m_setupOwner)) { }

TppProducer::~TppProducer() = default;

void TppProducer::SetPrinterSetup(const TppPrinterSetup &setup)
{
    if (&setup != m_printerSetup.get())
        m_printerSetup->Assign(setup);
}

void TppProducer::SetDeviceType(const std::string &value)
{
    if (m_printing)
        return;
    if (IsReading() || FindDeviceClass(value))
        m_deviceType = value;
}
