#include "preview/preview_registration.h"

#include "output/screen_device.h"
#include "preview/preview.h"
#include "preview/preview_plugin.h"
#include "preview/print_preview.h"
#include "preview/print_request.h"

TppPreviewRegistration::TppPreviewRegistration()
    : m_screenDevice(TppScreenDevice::StaticClass())
    , m_printPreview(TppCustomPreviewer::AbstractClassName,
                     [](TppCustomReport *owner) -> std::unique_ptr<TppForm> {
                         return std::make_unique<TppPrintPreview>(owner);
                     })
    , m_printFlow(&TppPrintRequest::Create)
{
    TppPreviewPlugIn::Register(
        [](QWidget &form) -> std::unique_ptr<TppCustomPreview> { return std::make_unique<TppPreview>(form); });
}

TppPreviewRegistration::~TppPreviewRegistration()
{
    TppPreviewPlugIn::UnRegister();
}
