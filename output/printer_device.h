#pragma once

#include "output/raster_device.h"

#include <cstdint>
#include <memory>

class TppPrinter;
class TppPrinterCanvas;

// The device that prints the pages of a job on a printer. It owns its
// printer, through which it opens the print document, starts and ends pages
// and draws every command at the printer's resolution. Collated copies are
// made here, by passing over all pages again within the same document.
class TppPrinterDevice : public TppRasterDevice {
public:
    TppPrinterDevice();
    ~TppPrinterDevice() override;

    static const TppDeviceClass &StaticClass();
    const TppDeviceClass &Class() const override { return StaticClass(); }

    TppPrinter &Printer() { return *m_printer; }
    const TppPrinter &Printer() const { return *m_printer; }

private:
    std::unique_ptr<TppPrinter> m_printer;
};
