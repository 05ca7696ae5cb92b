// What a report's Print reaches: the print request of the windowed layer, which registers it.
#pragma once

#include "report/print_request_phase.h"

#include <memory>

class TppCustomCancelDialog;
class TppCustomPreviewer;
class TppCustomPrintDialog;
class TppCustomReport;
class TppPrinterDevice;

// A report's print request as the report sees it. The report holds no
// windows: the layer that has them (the preview and the dialogs) implements
// this and registers it, and the report forwards Print to it.
class TppPrintFlow {
public:
    virtual ~TppPrintFlow() = default;

    virtual void Print() = 0;
    // One job cycle for the devices connected to the publisher.
    virtual void SendPagesToDevices() = 0;
    virtual TppRequestPhase Phase() const = 0;

    // The request's windows and device while they exist, or null.
    virtual TppCustomPreviewer *PreviewForm() const = 0;
    virtual TppCustomPrintDialog *PrintDialog() const = 0;
    virtual TppCustomCancelDialog *CancelDialog() const = 0;
    virtual TppPrinterDevice *PrinterDevice() const = 0;
};

using TppPrintFlowFactory = std::unique_ptr<TppPrintFlow> (*)(TppCustomReport &report);

// Process-wide, like the form class registry: the program registers its
// print request at start-up. Registrations of the same flow nest; it stays
// until the last one goes.
class TppPrintFlowRegistration {
public:
    explicit TppPrintFlowRegistration(TppPrintFlowFactory factory);
    ~TppPrintFlowRegistration();
    TppPrintFlowRegistration(const TppPrintFlowRegistration &) = delete;
    TppPrintFlowRegistration &operator=(const TppPrintFlowRegistration &) = delete;
};

// The registered flow's factory, or null: without one a report cannot print.
TppPrintFlowFactory FindPrintFlow();
