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

void Fire(const TppCustomReport::Event &event, TppCustomReport &report)
{
    if (event)
        event(report);
}

} // namespace

TppPrintRequest::TppPrintRequest(TppCustomReport &report)
    : m_report(report)
    , m_alive(std::make_shared<TppPrintRequest *>(this))
{
}

TppPrintRequest::~TppPrintRequest()
{
    *m_alive = nullptr;
    m_cancelDialog.reset();
    m_previewForm.reset();
}

void TppPrintRequest::Print()
{
    m_report.SetProducing(true);
    if (m_report.DeviceType() == ScreenDeviceName)
        PreviewBranch();
    else
        DeviceBranch();
}

void TppPrintRequest::CancelStep()
{
    m_report.Cancel();
    // Generation stops at the engine's next check; a device drawing copies or
    // following a job it handed over hears of it here.
    if (m_fileDevice)
        m_fileDevice->CancelJob();
    else if (m_printerDevice)
        m_printerDevice->CancelJob();
    Fire(m_report.OnCancel, m_report);
}

// --- Preview -------------------------------------------------------------

void TppPrintRequest::PreviewBranch()
{
    if (m_previewForm)
        return;
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

    m_previewForm->SetLanguageIndex(m_report.LanguageIndex());
    if (!m_report.Icon().IsEmpty())
        m_previewForm->SetIcon(m_report.Icon());
    Fire(m_report.OnPreviewFormCreate, m_report);

    if (m_report.ModalPreview()) {
        m_previewForm->ActivateHook = [this] { PreviewActivated(); };
        m_previewForm->ShowModal();
        // Closing a modal window only hides it; the request frees it here,
        // which runs the preview-closed step.
        m_previewForm.reset();
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
    if (m_report.DeviceType() != ScreenDeviceName || m_jobCycleRunning)
        return;
    // A failure is shown here, as it cannot leave the window's activation;
    // the preview stays open and usable.
    platform::RunGuarded([this] { SendPagesToDevices(); });
}

void TppPrintRequest::PreviewClosed()
{
    m_report.SetProducing(false);
    Fire(m_report.AfterPrint, m_report);
    if (m_report.Printing())
        CancelStep();
    Fire(m_report.OnPreviewFormClose, m_report);
}

void TppPrintRequest::ReleasePreviewLater()
{
    platform::PostToEventLoop([alive = m_alive] {
        if (TppPrintRequest *request = *alive)
            request->m_previewForm.reset();
    });
}

// --- Job cycle -----------------------------------------------------------

void TppPrintRequest::SendPagesToDevices()
{
    TppPublisher &publisher = m_report.Publisher();
    TppEngine &engine = m_report.Engine();
    if (!engine.Cancelled() && !engine.Started())
        publisher.SetCachePages(m_report.CachePages());

    m_jobCycleRunning = true;
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
        EndJob();
        throw;
    }
    EndJob();
}

void TppPrintRequest::EndJob()
{
    m_jobCycleRunning = false;
    TppPublisher &publisher = m_report.Publisher();
    // Abandoning reaches only the devices still waiting for pages; the
    // others had all they asked for and end their job as usual.
    if (m_report.CancelRequested())
        publisher.AbandonJob();
    publisher.CloseJob();
    // A preview's job ends when the preview closes, not here.
    if (!publisher.HasOnlyScreenDevices()) {
        Fire(m_report.AfterPrint, m_report);
        Fire(m_report.OnPrintingComplete, m_report);
    }
}

// --- Printing on a device ------------------------------------------------

void TppPrintRequest::DeviceBranch()
{
    if (m_cancelDialog || !FindDeviceClass(m_report.DeviceType())) {
        m_report.SetProducing(false);
        return;
    }
    m_restoreSetup = std::make_unique<TppPrinterSetup>();
    m_restoreSetup->Assign(m_report.PrinterSetup());

    m_printerDevice = std::make_unique<TppPrinterDevice>();
    m_printerDevice->SetExclusiveInGroup(true);
    m_printerDevice->SetLanguageIndex(m_report.LanguageIndex());
    TppPrinter &printer = m_printerDevice->Printer();
    printer.SetPrinterSetup(m_report.PrinterSetup());
    printer.ApplySetup();

    try {
        if (m_report.ShowPrintDialog() && !RunPrintDialog()) {
            CleanUp();
            return;
        }
        if (FileTargetChosen()) {
            m_report.SetPrinterSetup(printer.ReadSetup());
            if (!ConnectFileDevice()) {
                CleanUp();
                return;
            }
        } else {
            if (!PrinterUsable()) {
                platform::ShowMessage(platform::MessageKind::Warning, LibraryText(ltPrinterSetupProblem));
                CleanUp();
                return;
            }
            if (m_printDialog)
                m_printerDevice->SetPageRequest(m_printDialog->PageRequest());
            m_printerDevice->SetPublisher(&m_report.Publisher());
            m_report.SetPrinterSetup(printer.ReadSetup());
        }
        CreateCancelDialog();
        Produce();
    } catch (...) {
        if (!m_report.SavePrinterSetup() && m_restoreSetup)
            m_report.SetPrinterSetup(*m_restoreSetup);
        CleanUp();
        throw;
    }
    if (!m_report.SavePrinterSetup())
        m_report.SetPrinterSetup(*m_restoreSetup);
    CleanUp();
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
        SendPagesToDevices();
    } else if (m_report.ModalCancelDialog()) {
        ProduceInCancelDialog();
    } else {
        m_cancelDialog->Show();
        try {
            SendPagesToDevices();
        } catch (...) {
            m_cancelDialog.reset();
            throw;
        }
        m_cancelDialog.reset();
    }
}

void TppPrintRequest::ProduceInCancelDialog()
{
    TppCustomCancelDialog &dialog = *m_cancelDialog;
    m_cancelDialogProduced = false;
    dialog.ActivateHook = [this] {
        // The loop may activate the dialog again (a message box closing):
        // the pages are produced once.
        if (m_cancelDialogProduced || !m_cancelDialog)
            return;
        m_cancelDialogProduced = true;
        platform::RunGuarded([this] { SendPagesToDevices(); });
        if (m_cancelDialog)
            m_cancelDialog->StartCloseTimer();
    };
    dialog.SetShownModally(true);
    dialog.ShowModal();
    m_cancelDialog.reset();
}

void TppPrintRequest::CleanUp()
{
    m_printDialog.reset();
    m_restoreSetup.reset();
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
    m_cancelDialog.reset();
    m_report.SetProducing(false);
}
