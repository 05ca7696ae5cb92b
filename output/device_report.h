#pragma once

class TppPrinterSetup;

// What a device uses of the report whose pages it shows: the printer setup
// the pages are laid out for, and a way to stop the report's page
// generation. The report implements it; a device only refers to it.
class TppDeviceReport {
public:
    virtual ~TppDeviceReport() = default;

    virtual const TppPrinterSetup &ReportPrinterSetup() const = 0;
    // Stops the running generation at the engine's next check.
    virtual void Cancel() = 0;
};
