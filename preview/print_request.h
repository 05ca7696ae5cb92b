// A report's print request: the preview or the print dialog, then the print job with its cancel dialog.
#pragma once

#include "report/print_flow.h"

#include <memory>

class TppCustomCancelDialog;
class TppCustomPreviewer;
class TppCustomPrintDialog;
class TppCustomReport;
class TppDevice;
class TppPrintJob;
class TppPrinterDevice;
class TppPrinterSetupRestore;

// A report's print request: with the screen as device it opens the print
// preview, otherwise it asks for printer and pages in the print dialog and
// runs a print job (print_job.h) on a printer or file device while the
// cancel dialog shows its progress. It owns what it creates for one request
// (the preview window for as long as it is open) and restores the report's
// printer setup afterwards. Window messages come in while a job runs, so
// Print may be called again from inside a running request (a timer, an
// event handler): the phase decides, and a refused call touches nothing of
// the job that runs.
class TppPrintRequest : public TppPrintFlow {
public:
    explicit TppPrintRequest(TppCustomReport &report);
    TppPrintRequest(const TppPrintRequest &) = delete;
    TppPrintRequest &operator=(const TppPrintRequest &) = delete;
    ~TppPrintRequest() override;

    // The factory the program registers as the reports' print flow.
    static std::unique_ptr<TppPrintFlow> Create(TppCustomReport &report);

    void Print() override;
    // Runs one print job on the devices connected to the publisher. Refused
    // while one runs: the engine makes one run of pages at a time.
    void SendPagesToDevices() override;
    TppRequestPhase Phase() const override;

    TppCustomPreviewer *PreviewForm() const override { return m_previewForm.get(); }
    TppCustomPrintDialog *PrintDialog() const override { return m_printDialog.get(); }
    TppCustomCancelDialog *CancelDialog() const override { return m_cancelDialog.get(); }
    TppPrinterDevice *PrinterDevice() const override { return m_printerDevice.get(); }

private:
    class PhaseScope;

    bool MayStart(bool preview) const;
    // Cancel, then the report's OnCancel; the job that runs discards what
    // its device holds.
    void CancelStep();

    void PreviewBranch();
    void PreviewActivated();
    void PreviewClosed();
    void ReleasePreviewLater();
    void PostPreviewRelease();
    void ReleaseClosedPreview();

    void JobEnded();

    void DeviceBranch();
    void PrintOnDevice();
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
    void CleanUp();

    TppCustomReport &m_report;
    std::unique_ptr<TppCustomPreviewer> m_previewForm;
    std::unique_ptr<TppCustomPrintDialog> m_printDialog;
    std::unique_ptr<TppPrinterDevice> m_printerDevice;
    // The file the print dialog chose instead of paper, while it is written.
    std::unique_ptr<TppDevice> m_fileDevice;
    std::unique_ptr<TppCustomCancelDialog> m_cancelDialog;
    // The job that runs, on the stack of SendPagesToDevices; it owns the
    // phase while it runs.
    TppPrintJob *m_job = nullptr;
    TppRequestPhase m_phase = TppRequestPhase::Idle;
    // The user closed the non-modal preview; it goes once no job of its own
    // (printing from it) runs.
    bool m_previewReleasePending = false;
    // Lets a deferred release know that the request still exists.
    std::shared_ptr<TppPrintRequest *> m_alive;
};
