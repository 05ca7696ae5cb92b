#include "preview/print_registration.h"

#include "output/pdf_file_device.h"
#include "output/printer_device.h"
#include "preview/cancel_dialog.h"
#include "preview/print_dialog.h"
#include "preview/print_request.h"

// The dialogs belong to the application, not to a window: the print
// request releases them itself when it ends.
TppPrintRegistration::TppPrintRegistration()
    : m_printDialog(TppCustomPrintDialog::AbstractClassName,
                    [](TppCustomReport *) -> std::unique_ptr<TppForm> { return std::make_unique<TppPrintDialog>(); })
    , m_cancelDialog(TppCustomCancelDialog::AbstractClassName,
                     [](TppCustomReport *) -> std::unique_ptr<TppForm> { return std::make_unique<TppCancelDialog>(); })
    , m_printerDevice(TppPrinterDevice::StaticClass())
    , m_pdfFileDevice(TppPdfFileDevice::StaticClass())
    , m_printFlow(&TppPrintRequest::Create)
{
}
