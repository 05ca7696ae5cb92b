#pragma once

#include "output/device_registry.h"
#include "preview/form_class_registry.h"
#include "report/print_flow.h"

// Keeps printing registered for as long as it lives: the print dialog and
// the cancel dialog in the form class registry, the printer device and the
// PDF file device among the device kinds, and the print request as the
// reports' print flow. The program holds one from start-up to its end;
// tests hold their own.
class TppPrintRegistration
{
public:
    TppPrintRegistration();

private:
    TppFormClassRegistration m_printDialog;
    TppFormClassRegistration m_cancelDialog;
    TppDeviceClassRegistration m_printerDevice;
    TppDeviceClassRegistration m_pdfFileDevice;
    TppPrintFlowRegistration m_printFlow;
};
