#include "report/print_request.h"

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
#include "report/custom_report.h"
#include "report/engine.h"
#include "report/form_class_registry.h"
#include "report/printer_setup_restore.h"
#include "report/report_form.h"


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
    switch (m_phase) {
    case TppRequestPhase::Idle:
        return true;
    case TppRequestPhase::PreviewShown:
        return !preview;
    default:
        return false;
    }
}

void TppPrintRequest::CancelStep()
{
    m_report.Cancel();
    // Generation stops at the engine's next check; a device drawing copies or
    // following a job it handed over hears of it after the report: its
    // withdrawal may ask the user (too late to withdraw), and the job's end,
    // with its events, may come while that message is open.
    TppDevice *device = m_fileDevice ? m_fileDevice.get() : m_printerDevice.get();
    try {
        Fire(m_report.OnCancel, m_report);
    } catch (...) {
        if (device)
            device->DiscardJob();
        throw;
    }
    if (device)
        device->DiscardJob();
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
    if (m_report.EnableProcessMessages())
        platform::ProcessPendingMessages();
}

void TppPrintRequest::PreviewActivated()
{
    if (m_phase != TppRequestPhase::PreviewShown || m_report.DeviceType() != ScreenDeviceName)
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

// Not while a printer job started from the preview runs: that job's end
// posts the release again.
void TppPrintRequest::ReleaseClosedPreview()
{
    if (m_previewReleasePending && m_phase == TppRequestPhase::PreviewShown)
        Release(m_previewForm);
}

// --- Job cycle -----------------------------------------------------------

void TppPrintRequest::SendPagesToDevices()
{
    if (JobCycleRunning())
        return;
    TppPublisher &publisher = m_report.Publisher();
    TppEngine &engine = m_report.Engine();
    if (!engine.Cancelled() && !engine.Started())
        publisher.SetCachePages(m_report.CachePages());

    PhaseScope producing(*this, TppRequestPhase::Producing);
    try {
        m_report.CreateDefaultBands();
        Fire(m_report.BeforePrint, m_report);
        if (!m_report.JobStarted() && !m_report.CancelRequested())
            publisher.ResetAll();
        m_report.SetJobStarted(true);
        m_report.SetCancelRequested(false);
        publisher.OpenJob();
        publisher.RequestPages();
    } catch (...) {
        EndJob(false);
        throw;
    }
    EndJob(!m_report.CancelRequested());
}

// A job that was cancelled or failed is abandoned on every device: nothing
// more of it is delivered, neither the pages drawn nor a file half made. The
// job ends when the print server's follow-up of its document has; a job
// that did not print fires no events, its failure is told instead.
void TppPrintRequest::EndJob(bool finish)
{
    m_phase = TppRequestPhase::HandingOver;
    TppPublisher &publisher = m_report.Publisher();
    if (finish)
        publisher.CloseJob();
    else
        publisher.AbandonJob();
    // A preview's job ends when the preview closes, not here.
    if (publisher.HasOnlyScreenDevices())
        return;
    WhenJobEnded([this](const std::string &failure) {
        if (!failure.empty())
            return;
        Fire(m_report.AfterPrint, m_report);
        Fire(m_report.OnPrintingComplete, m_report);
    });
}

void TppPrintRequest::WhenJobEnded(std::function<void(const std::string &failure)> then)
{
    if (TppPrinterDevice *device = DrawingDeviceInUse())
        device->WhenJobFollowed(std::move(then));
    else
        then({});
}

std::string TppPrintRequest::AwaitJobEnd()
{
    // The job is with the print server until its follow-up ends.
    PhaseScope following(*this, TppRequestPhase::HandingOver);
    auto failure = std::make_shared<std::string>();
    platform::WaitInEventLoop([&](std::function<void()> done) {
        WhenJobEnded([failure, done = std::move(done)](const std::string &reason) {
            *failure = reason;
            done();
        });
    });
    return *failure;
}

void TppPrintRequest::ProduceAndAwaitJobEnd()
{
    SendPagesToDevices();
    const std::string failure = AwaitJobEnd();
    if (!failure.empty())
        throw EPrinterError(failure);
}

// --- Printing on a device ------------------------------------------------

void TppPrintRequest::DeviceBranch()
{
    if (!FindDeviceClass(m_report.DeviceType())) {
        m_report.SetProducing(false);
        return;
    }
    // Declared first, so that it ends last: the job's objects are released
    // after the setup is put back, and the request returns to the phase it
    // was called in (an open preview, or idle).
    PhaseScope branch(*this, TppRequestPhase::Starting);
    struct CleanUpOnExit {
        TppPrintRequest &request;
        ~CleanUpOnExit() { request.CleanUp(); }
    } cleanUp{*this};
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
        if (!m_report.Icon().IsEmpty())
            dialog.SetIcon(m_report.Icon());
        DeviceInUse().SetStatusWindow(&dialog);
    }
    Fire(m_report.OnCancelDialogCreate, m_report);
}

void TppPrintRequest::Produce()
{
    if (!m_cancelDialog) {
        ProduceAndAwaitJobEnd();
    } else if (m_report.ModalCancelDialog()) {
        ProduceInCancelDialog();
    } else {
        m_cancelDialog->Show();
        try {
            ProduceAndAwaitJobEnd();
        } catch (...) {
            Release(m_cancelDialog);
            throw;
        }
        Release(m_cancelDialog);
    }
}

void TppPrintRequest::ProduceInCancelDialog()
{
    TppCustomCancelDialog &dialog = *m_cancelDialog;
    dialog.ActivateHook = [this] {
        // The loop may activate the dialog again (a message box closing):
        // the pages are produced once.
        if (m_phase != TppRequestPhase::Starting || !m_cancelDialog)
            return;
        platform::RunGuarded([this] { SendPagesToDevices(); });
        // The dialog stays open while the print server's follow-up runs in
        // its loop, and goes once the job has ended.
        m_phase = TppRequestPhase::HandingOver;
        WhenJobEnded([this](const std::string &failure) {
            m_phase = TppRequestPhase::Ending;
            if (!failure.empty())
                platform::ShowErrorMessage(failure);
            if (m_cancelDialog)
                m_cancelDialog->StartCloseTimer();
        });
    };
    dialog.SetShownModally(true);
    dialog.ShowModal();
    // Cancel closes the dialog at once; a job withdrawn meanwhile ends on the
    // follow-up's next tick, and its failure, if any, is told from there.
    AwaitJobEnd();
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
