#pragma once

#include "platform/print_document.h"
#include "platform/qt/cairo_pdf_canvas.h"
#include "platform/qt/pdf_document.h"
#include "platform/qt/queue_driver.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QPageLayout>
#include <QPrinter>
#include <QTimer>

#include <memory>
#include <utility>
#include <vector>

namespace platform {

// A spooler queue through QPrinter. Metrics come from the queue's own
// description (its default resolution and the imageable area of its papers),
// not from Qt's defaults. The document is drawn into a PDF file of its own and
// submitted with libcups, whose answer is checked: QPrinter's own hand-over
// reports success even when the spooler refuses the job, and cannot abandon
// a document once begun.
class QtPrinterDevice : public PrinterDevice
{
public:
    explicit QtPrinterDevice(const QString &queue);
    ~QtPrinterDevice() override;

    bool IsOpen() const;

    PrinterMetrics Metrics() const override;
    DeviceMode CurrentMode() const override;
    void ApplyMode(const DeviceMode &mode) override;

    void BeginDocument(const std::string &title) override;
    void StartPage() override;
    void EndPage() override;
    void EndDocument() override;
    void AbortDocument() override;
    Withdrawal WithdrawDocument() override;
    void WhenJobFollowed(JobFollowed followed) override;

    Canvas &DrawingCanvas() override { return *m_canvas; }
    bool ShowPropertiesDialog(DeviceMode &mode) override;

private:
    void ApplyModeToPrinter(QPrinter &printer, const DeviceMode &mode);
    DeviceMode ModeOfPrinter(const QPrinter &printer) const;
    void UseQueueMargins(QPrinter &printer) const;
    void EnsureQueueTakesJobs() const;
    // The follow-up looks at the job on each tick of its timer until the
    // job is done, failed or withdrawn, or a few seconds have passed; a job
    // that stops or aborts soon after it was taken is reported as a failure.
    void StartFollowUp();
    void LookAtFollowedJob();
    void EndFollowUp(const std::string &failure);
    enum class JobProgress { Going, Done, Failed };
    JobProgress LookAtJob(int job, std::string &reason) const;
    std::string QueueName() const { return m_queue.toStdString(); }
    std::vector<std::pair<QByteArray, QByteArray>> JobOptions() const;

    QString m_queue;
    std::unique_ptr<QPrinter> m_printer;
    PdfDocument m_document;
    QString m_documentTitle;
    QPageLayout m_documentLayout;
    std::unique_ptr<CairoPdfCanvas> m_canvas;
    std::vector<QueuePaper> m_papers;
    QueueBins m_bins;
    std::int16_t m_source = 7;
    bool m_isColor = true;
    bool m_modePending = false;
    DeviceMode m_pendingMode;
    // The job of the document last handed to the spooler (0: none), and
    // whether it was withdrawn since.
    int m_job = 0;
    bool m_withdrawn = false;
    // The follow-up of m_job: it runs while its timer is active.
    QTimer m_followTimer;
    QElapsedTimer m_followClock;
    std::string m_followFailure;
    std::vector<JobFollowed> m_followed;
};

} // namespace platform
