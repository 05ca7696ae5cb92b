#include "preview/print_request.h"

#include "assets/library_texts.h"
#include "output/device_class.h"
#include "output/device_registry.h"
#include "output/file_device.h"
#include "output/printer.h"
#include "output/printer_device.h"
#include "output/publisher.h"
#include "platform/event_loop.h"
#include "platform/handler_guard.h"
#include "platform/message_box.h"
#include "preview/form_class_registry.h"
#include "preview/print_job.h"
#include "preview/printer_setup_restore.h"
#include "preview/report_form.h"
#include "report/custom_report.h"


namespace {

constexpr const char *ScreenDeviceName = "Screen";

template <typename Form>
std::unique_ptr<Form> CreateForm(TppCustomReport &owner)
{
    const TppFormFactory *factory = FindFormClass(Form::AbstractClassName);
    if (!factory)
        return nullptr;
    std::unique_ptr<TppForm> form = (*factory)(&owner);
    auto *typed = dynamic_cast<Form *>(form.get());
    if (!typed)
        return nullptr;
    form.release();
    return std::unique_ptr<Form>(typed);
}

// Frees a window of the request, its closing handlers first: taken out of
// the request before they run, so that a handler starting another request
// finds none.
template <typename Form>
void Release(std::unique_ptr<Form> &form)
{
    if (std::unique_ptr<Form> going = std::move(form))
        going->Retire();
}

void Fire(const TppCustomReport::Event &event, TppCustomReport &report)
{
    if (event)
        event(report);
}

} // namespace

// Puts the request in a phase for a scope and back in the one before on the
// way out, whichever way that is.
class TppPrintRequest::PhaseScope {
public:
    PhaseScope(TppPrintRequest &request, TppRequestPhase phase)
        : m_request(request)
        , m_before(request.m_phase)
    {
        m_request.m_phase = phase;
    }
    ~PhaseScope() { m_request.m_phase = m_before; }
    PhaseScope(const PhaseScope &) = delete;
    PhaseScope &operator=(const PhaseScope &) = delete;

    TppRequestPhase Before() const { return m_before; }

private:
    TppPrintRequest &m_request;
    TppRequestPhase m_before;
};

std::unique_ptr<TppPrintFlow> TppPrintRequest::Create(TppCustomReport &report)
{
    return std::make_unique<TppPrintRequest>(report);
}

TppPrintRequest::TppPrintRequest(TppCustomReport &report)
    : m_report(report)
    , m_alive(std::make_shared<TppPrintRequest *>(this))
{
}

TppPrintRequest::~TppPrintRequest()
{
    *m_alive = nullptr;
    // The windows go with the request, without calling back into it or into
    // the report's handlers from this destructor.
    if (m_cancelDialog)
        m_cancelDialog->CloseHook = m_cancelDialog->DestroyHook = m_cancelDialog->CancelHook = nullptr;
    m_cancelDialog.reset();
    if (m_previewForm) {
        m_previewForm->CloseHook = m_previewForm->DestroyHook = m_previewForm->CancelHook = nullptr;
        m_previewForm->ReleaseHook = m_previewForm->ActivateHook = nullptr;
    }
    m_previewForm.reset();
}

void TppPrintRequest::Print()
{
    const bool preview = m_report.DeviceType() == ScreenDeviceName;
    // A preview the user closed goes first, so that the new request finds
    // the report as the closing left it.
    if (preview)
        ReleaseClosedPreview();
    if (!MayStart(preview))
        return;
    m_report.SetProducing(true);
    if (preview)
        PreviewBranch();
    else
        DeviceBranch();
}

// Only an idle request starts; an open preview starts one printer job (its
// print button), and not while the engine makes the preview's own pages.
bool TppPrintRequest::MayStart(bool preview) const
{
    if (m_report.Printing())
        return false;
    switch (Phase()) {
    case TppRequestPhase::Idle:
        return true;
    case TppRequestPhase::PreviewShown:
        return !preview;
    default:
        return false;
    }
}

TppRequestPhase TppPrintRequest::Phase() const
{
    return m_job ? m_job->Phase() : m_phase;
}

void TppPrintRequest::CancelStep()
{
    if (m_job) {
        m_job->Cancel();
        return;
    }
    m_report.Cancel();
    Fire(m_report.OnCancel, m_report);
}

// --- Preview -------------------------------------------------------------

void TppPrintRequest::PreviewBranch()
{
    std::unique_ptr<TppCustomPreviewer> window = CreateForm<TppCustomPreviewer>(m_report);
    if (!window) {
        // Nothing is produced, so nothing may hold the report's resets back.
        m_report.SetProducing(false);
        return;
    }
    window->CloseHook = [this] { PreviewClosed(); };
    window->DestroyHook = [] { };
    window->CancelHook = [this] { CancelStep(); };
    window->SetReport(&m_report);
    window->Init();
    m_previewForm = std::move(window);
    m_phase = TppRequestPhase::PreviewShown;

    m_previewForm->SetLanguageIndex(m_report.LanguageIndex());
    if (!m_report.Icon().IsEmpty())
        m_previewForm->SetIcon(m_report.Icon());
    Fire(m_report.OnPreviewFormCreate, m_report);

    if (m_report.ModalPreview()) {
        m_previewForm->ActivateHook = [this] { PreviewActivated(); };
        m_previewForm->ShowModal();
        // Closing a modal window only hides it; the request frees it here,
        // which runs the preview-closed step.
        Release(m_previewForm);
    } else {
        m_previewForm->ReleaseHook = [this] { ReleasePreviewLater(); };
        m_previewForm->Show();
        SendPagesToDevices();
    }
    // Once, where the engine's own yield lets messages in (when the report
    // enables it): a preview just shown gets its first paint.
    m_report.Publisher().Yield();
}

void TppPrintRequest::PreviewActivated()
{
    if (Phase() != TppRequestPhase::PreviewShown || m_report.DeviceType() != ScreenDeviceName)
        return;
    // A failure is shown here, as it cannot leave the window's activation;
    // the preview stays open and usable.
    platform::RunGuarded([this] { SendPagesToDevices(); });
}

// Runs as the window is released: the events it fires may not open
// another window from inside that.
void TppPrintRequest::PreviewClosed()
{
    m_previewReleasePending = false;
    m_phase = TppRequestPhase::PreviewClosing;
    m_report.SetProducing(false);
    Fire(m_report.AfterPrint, m_report);
    if (m_report.Printing())
        CancelStep();
    Fire(m_report.OnPreviewFormClose, m_report);
    m_phase = TppRequestPhase::Idle;
}

void TppPrintRequest::ReleasePreviewLater()
{
    m_previewReleasePending = true;
    PostPreviewRelease();
}

void TppPrintRequest::PostPreviewRelease()
{
    platform::PostToEventLoop([alive = m_alive] {
        if (TppPrintRequest *request = *alive)
            request->ReleaseClosedPreview();
    });
}

// Not while a job runs (the preview's own pages, or a printer job started
// from it): the job's end posts the release again.
void TppPrintRequest::ReleaseClosedPreview()
{
    if (m_previewReleasePending && Phase() == TppRequestPhase::PreviewShown)
        Release(m_previewForm);
}

// --- The job ------------------------------------------------------------

void TppPrintRequest::SendPagesToDevices()
{
    if (m_job)
        return;
    TppPrintJob job(m_report, DrawingDeviceInUse());
    m_job = &job;
    try {
        job.Run();
    } catch (...) {
        JobEnded();
        throw;
    }
    JobEnded();
}

// A preview closed while the job ran is released now that it has ended.
void TppPrintRequest::JobEnded()
{
    m_job = nullptr;
    if (m_previewReleasePending)
        PostPreviewRelease();
}

// --- Printing on a device ------------------------------------------------

void TppPrintRequest::DeviceBranch()
{
    if (!FindDeviceClass(m_report.DeviceType())) {
        m_report.SetProducing(false);
        return;
    }
    // The request returns to the phase it was called in (an open preview,
    // or idle) once the job's objects are released, whichever way out.
    PhaseScope branch(*this, TppRequestPhase::Starting);
    try {
        PrintOnDevice();
    } catch (...) {
        CleanUp();
        throw;
    }
    CleanUp();
}

// The setup is put back as this returns, before the job's objects go.
void TppPrintRequest::PrintOnDevice()
{
    TppPrinterSetupRestore restore(m_report);
    CreatePrinterDevice();
    if (m_report.ShowPrintDialog()) {
        m_phase = TppRequestPhase::DialogOpen;
        if (!RunPrintDialog())
            return;
        m_phase = TppRequestPhase::Starting;
    }
    if (!ConnectTarget(restore))
        return;
    CreateCancelDialog();
    Produce();
    m_phase = TppRequestPhase::Ending;
}

void TppPrintRequest::CreatePrinterDevice()
{
    m_printerDevice = std::make_unique<TppPrinterDevice>();
    m_printerDevice->SetExclusiveInGroup(true);
    m_printerDevice->SetLanguageIndex(m_report.LanguageIndex());
    TppPrinter &printer = m_printerDevice->Printer();
    printer.SetPrinterSetup(m_report.PrinterSetup());
    printer.ApplySetup();
}

bool TppPrintRequest::ConnectTarget(TppPrinterSetupRestore &restore)
{
    TppPrinter &printer = m_printerDevice->Printer();
    if (FileTargetChosen()) {
        restore.Arm();
        m_report.SetPrinterSetup(printer.ReadSetup());
        return ConnectFileDevice();
    }
    if (!PrinterUsable()) {
        platform::ShowMessage(platform::MessageKind::Warning, LibraryText(ltPrinterSetupProblem, m_report.LanguageIndex()));
        return false;
    }
    if (m_printDialog)
        m_printerDevice->SetPageRequest(m_printDialog->PageRequest());
    m_printerDevice->SetPublisher(&m_report.Publisher());
    restore.Arm();
    m_report.SetPrinterSetup(printer.ReadSetup());
    return true;
}

bool TppPrintRequest::RunPrintDialog()
{
    m_printDialog = CreateForm<TppCustomPrintDialog>(m_report);
    if (!m_printDialog)
        return false;
    TppCustomPrintDialog &dialog = *m_printDialog;
    dialog.SetReport(&m_report);
    dialog.SetDeviceType(m_report.DeviceType());
    dialog.SetPrinter(&m_printerDevice->Printer());
    dialog.SetLanguageIndex(m_report.LanguageIndex());
    dialog.SetAllowPrintToArchive(m_report.AllowPrintToArchive());
    dialog.SetAllowPrintToFile(m_report.AllowPrintToFile());
    dialog.SetArchiveFileName(m_report.ArchiveFileName());
    dialog.SetTextFileName(m_report.TextFileName());
    dialog.PageRequest().SetPageRequested(m_report.CurrentPage());
    if (!m_report.Icon().IsEmpty())
        dialog.SetIcon(m_report.Icon());
    dialog.Init();
    Fire(m_report.OnPrintDialogCreate, m_report);
    const TppModalResult result = dialog.ShowModal();
    Fire(m_report.OnPrintDialogClose, m_report);
    return result == mrOK;
}

bool TppPrintRequest::PrinterUsable()
{
    return m_printerDevice->Printer().DeviceContext();
}

// --- Printing to a file --------------------------------------------------

// The file type chosen in the print dialog or, without the dialog, a report
// whose device type is a file device.
bool TppPrintRequest::FileTargetChosen() const
{
    if (m_printDialog)
        return m_printDialog->PrintToFile();
    const TppDeviceClass *deviceClass = FindDeviceClass(m_report.DeviceType());
    return deviceClass && deviceClass->InheritsFrom(TppFileDevice::StaticClass());
}

// The file device of the type chosen, writing the chosen file with the setup
// the dialog left (copies, collation, paper).
bool TppPrintRequest::ConnectFileDevice()
{
    const TppDeviceClass *deviceClass
        = FindDeviceClass(m_printDialog ? m_printDialog->DeviceType() : m_report.DeviceType());
    std::unique_ptr<TppDevice> device = deviceClass ? deviceClass->Create() : nullptr;
    auto *fileDevice = dynamic_cast<TppFileDevice *>(device.get());
    auto *drawing = dynamic_cast<TppPrinterDevice *>(device.get());
    if (!fileDevice || !drawing)
        return false;
    drawing->SetExclusiveInGroup(true);
    drawing->SetLanguageIndex(m_report.LanguageIndex());
    fileDevice->SetFileName(m_printDialog ? m_printDialog->TextFileName() : m_report.TextFileName());
    drawing->Printer().SetPrinterSetup(m_report.PrinterSetup());
    if (m_printDialog)
        drawing->SetPageRequest(m_printDialog->PageRequest());
    drawing->SetPublisher(&m_report.Publisher());
    m_fileDevice = std::move(device);
    return true;
}

TppDevice &TppPrintRequest::DeviceInUse()
{
    if (m_fileDevice)
        return *m_fileDevice;
    return *m_printerDevice;
}

TppPrinterDevice *TppPrintRequest::DrawingDeviceInUse()
{
    if (m_fileDevice)
        return dynamic_cast<TppPrinterDevice *>(m_fileDevice.get());
    return m_printerDevice.get();
}

void TppPrintRequest::CreateCancelDialog()
{
    if (m_report.ShowCancelDialog())
        m_cancelDialog = CreateForm<TppCustomCancelDialog>(m_report);
    if (m_cancelDialog) {
        TppCustomCancelDialog &dialog = *m_cancelDialog;
        dialog.SetReport(&m_report);
        dialog.SetLanguageIndex(m_report.LanguageIndex());
        dialog.CancelHook = [this] { CancelStep(); };
        dialog.CloseHook = [this] { Fire(m_report.OnCancelDialogClose, m_report); };
        dialog.DestroyHook = [this] {
            if (m_printerDevice)
                m_printerDevice->SetStatusWindow(nullptr);
            if (m_fileDevice)
                m_fileDevice->SetStatusWindow(nullptr);
        };
        dialog.SetAllowCancel(true);
        dialog.SetShownModally(m_report.ModalCancelDialog());
        if (!m_report.Icon().IsEmpty())
            dialog.SetIcon(m_report.Icon());
        DeviceInUse().SetStatusWindow(&dialog);
    }
    Fire(m_report.OnCancelDialogCreate, m_report);
}

// The cancel dialog observes the job: it shows the device's lines and sends
// Cancel. Shown modally it keeps the user's input to itself, but it runs no
// loop: the job lets the events in, and the dialog goes when the job ends.
void TppPrintRequest::Produce()
{
    if (!m_cancelDialog) {
        SendPagesToDevices();
        return;
    }
    m_cancelDialog->Show();
    try {
        // Under a modal dialog the job runs as that window's work: a failure
        // is shown here, and Print ends normally.
        if (m_cancelDialog->ShownModally())
            platform::RunGuarded([this] { SendPagesToDevices(); });
        else
            SendPagesToDevices();
    } catch (...) {
        Release(m_cancelDialog);
        throw;
    }
    Release(m_cancelDialog);
}

void TppPrintRequest::CleanUp()
{
    Release(m_printDialog);
    if (m_fileDevice) {
        m_fileDevice->SetStatusWindow(nullptr);
        m_fileDevice->SetPublisher(nullptr);
    }
    m_fileDevice.reset();
    if (m_printerDevice) {
        m_printerDevice->SetStatusWindow(nullptr);
        m_printerDevice->SetPublisher(nullptr);
    }
    m_printerDevice.reset();
    Release(m_cancelDialog);
    m_report.SetProducing(false);
    if (m_previewReleasePending)
        PostPreviewRelease();
}
