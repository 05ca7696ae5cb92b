#pragma once

#include <memory>

class TppCustomCancelDialog;
class TppCustomPreviewer;
class TppCustomPrintDialog;
class TppCustomReport;
class TppDevice;
class TppPrinterDevice;
class TppPrinterSetup;

// A report's print request: with the screen as device it opens the print
// preview, otherwise it asks for printer and pages in the print dialog and
// sends the pages to a printer device while the cancel dialog shows
// progress. It owns what it creates for one request (the preview window for
// as long as it is open) and restores the report's printer setup afterwards.
// Re-entered calls (window messages are handled while pages are produced)
// are refused by the state it keeps.
class TppPrintRequest {
public:
    explicit TppPrintRequest(TppCustomReport &report);
    TppPrintRequest(const TppPrintRequest &) = delete;
    TppPrintRequest &operator=(const TppPrintRequest &) = delete;
    ~TppPrintRequest();

    void Print();
    // One job cycle: open a job on the publisher's devices, serve their page
    // requests, close (or, after a cancel, abandon) the job.
    void SendPagesToDevices();
    bool JobCycleRunning() const { return m_jobCycleRunning; }

    TppCustomPreviewer *PreviewForm() const { return m_previewForm.get(); }
    TppCustomPrintDialog *PrintDialog() const { return m_printDialog.get(); }
    TppCustomCancelDialog *CancelDialog() const { return m_cancelDialog.get(); }
    TppPrinterDevice *PrinterDevice() const { return m_printerDevice.get(); }

private:
    void EndJob();

    void PreviewBranch();
    void PreviewActivated();
    void PreviewClosed();
    void ReleasePreviewLater();

    void DeviceBranch();
    bool RunPrintDialog();
    bool PrinterUsable();
    bool FileTargetChosen() const;
    bool ConnectFileDevice();
    TppDevice &DeviceInUse();
    void CreateCancelDialog();
    void Produce();
    void ProduceInCancelDialog();
    void CleanUp();

    // Cancel, then the report's OnCancel.
    void CancelStep();

    TppCustomReport &m_report;
    std::unique_ptr<TppCustomPreviewer> m_previewForm;
    std::unique_ptr<TppCustomPrintDialog> m_printDialog;
    std::unique_ptr<TppPrinterSetup> m_restoreSetup;
    std::unique_ptr<TppPrinterDevice> m_printerDevice;
    // The file the print dialog chose instead of paper, while it is written.
    std::unique_ptr<TppDevice> m_fileDevice;
    std::unique_ptr<TppCustomCancelDialog> m_cancelDialog;
    bool m_jobCycleRunning = false;
    bool m_cancelDialogProduced = false;
    // Lets a deferred release know that the request still exists.
    std::shared_ptr<TppPrintRequest *> m_alive;
};
