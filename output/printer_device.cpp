#include "output/printer_device.h"

#include "output/printer.h"

const TppDeviceClass &TppPrinterDevice::StaticClass()
{
    static const TppDeviceClass printerClass("TppPrinterDevice", "Printer",
                                             &TppRasterDevice::StaticClass(),
                                             []() -> std::unique_ptr<TppDevice> {
                                                 return std::make_unique<TppPrinterDevice>();
                                             });
    return printerClass;
}

TppPrinterDevice::TppPrinterDevice()
    : m_printer(std::make_unique<TppPrinter>())
{
}

TppPrinterDevice::~TppPrinterDevice() = default;
