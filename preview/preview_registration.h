#pragma once

#include "output/device_registry.h"
#include "preview/form_class_registry.h"
#include "report/print_flow.h"

// Keeps the preview's classes registered for as long as it lives: the print
// preview window for TppCustomPreviewer, TppPreview as the preview contents,
// the screen device kind, and the print request as the reports' print flow.
// The program holds one from start-up to the end; tests hold their own.
class TppPreviewRegistration {
public:
    TppPreviewRegistration();
    ~TppPreviewRegistration();
    TppPreviewRegistration(const TppPreviewRegistration &) = delete;
    TppPreviewRegistration &operator=(const TppPreviewRegistration &) = delete;

private:
    TppDeviceClassRegistration m_screenDevice;
    TppFormClassRegistration m_printPreview;
    TppPrintFlowRegistration m_printFlow;
};
