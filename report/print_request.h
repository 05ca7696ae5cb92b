#pragma once

#include "report/print_request_phase.h"

#include <functional>
#include <memory>
#include <string>

class TppCustomCancelDialog;
class TppCustomPreviewer;
class TppCustomPrintDialog;
class TppCustomReport;
class TppDevice;
class TppPrinterDevice;
class TppPrinterSetupRestore;

// A report's print request: with the screen as device it opens the print
// preview, otherwise it asks for printer and pages in the print dialog and
// sends the pages to a printer device while the cancel dialog shows
// progress. It owns what it creates for one request (the preview window for
// as long as it is open) and restores the report's printer setup afterwards.
// Window messages are handled while pages are produced, so Print may be
// called again from inside a running request (a timer, an event handler):
// the request's phase decides, and a refused call touches nothing of the
// job that runs.
class TppPrintRequest {
public:
    explicit TppPrintRequest(TppCustomReport &report);
    TppPrintRequest(const TppPrintRequest &) = delete;
    TppPrintRequest &operator=(const TppPrintRequest &) = delete;
    ~TppPrintRequest();

    void Print();
    // One job cycle: open a job on the publisher's devices, serve their page
    // requests, finish the job (or, after a cancel or a failure, abandon it). Refused while a
    // cycle runs: the engine makes one run of pages at a time.
    void SendPagesToDevices();
    bool JobCycleRunning() const
    {
        return m_phase == TppRequestPhase::Producing || m_phase == TppRequestPhase::HandingOver;
    }
    TppRequestPhase Phase() const { return m_phase; }

    TppCustomPreviewer *PreviewForm() const { return m_previewForm.get(); }
    TppCustomPrintDialog *PrintDialog() const { return m_printDialog.get(); }
    TppCustomCancelDialog *CancelDialog() const { return m_cancelDialog.get(); }
    TppPrinterDevice *PrinterDevice() const { return m_printerDevice.get(); }

private:
    class PhaseScope;

    bool MayStart(bool preview) const;
    void EndJob(bool finish);
    // Calls `then` once the print server's follow-up of the job's document
    // has ended (at once when none runs), with why it did not print, if so.
    void WhenJobEnded(std::function<void(const std::string &failure)> then);
    // Outside the cancel dialog's modal loop (none, or closed by Cancel
    // before the job's end): waits for the job's end; why its document did
    // not print, if so.
    std::string AwaitJobEnd();
    void ProduceAndAwaitJobEnd();

    void PreviewBranch();
    void PreviewActivated();
    void PreviewClosed();
    void ReleasePreviewLater();
    void PostPreviewRelease();
    void ReleaseClosedPreview();

    void DeviceBranch();
    void CreatePrinterDevice();
    // Connects the device the dialog chose; false when nothing can print.
    bool ConnectTarget(TppPrinterSetupRestore &restore);
    bool RunPrintDialog();
    bool PrinterUsable();
    bool FileTargetChosen() const;
    bool ConnectFileDevice();
    TppDevice &DeviceInUse();
    TppPrinterDevice *DrawingDeviceInUse();
    void CreateCancelDialog();
    void Produce();
    void ProduceInCancelDialog();
    void CleanUp();

    // Cancel, then the report's OnCancel.
    void CancelStep();

    TppCustomReport &m_report;
    std::unique_ptr<TppCustomPreviewer> m_previewForm;
    std::unique_ptr<TppCustomPrintDialog> m_printDialog;
    std::unique_ptr<TppPrinterDevice> m_printerDevice;
    // The file the print dialog chose instead of paper, while it is written.
    std::unique_ptr<TppDevice> m_fileDevice;
    std::unique_ptr<TppCustomCancelDialog> m_cancelDialog;
    TppRequestPhase m_phase = TppRequestPhase::Idle;
    // The user closed the non-modal preview; it goes once no job of its own
    // (printing from it) runs.
    bool m_previewReleasePending = false;
    // Lets a deferred release know that the request still exists.
    std::shared_ptr<TppPrintRequest *> m_alive;
};
