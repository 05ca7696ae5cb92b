#pragma once

#include "platform/printer_device.h"
#include "platform/qt/queue_driver.h"

#include <QPainter>
#include <QPrinter>

#include <memory>

namespace platform {

// A spooler queue through QPrinter. Metrics come from the queue's own
// description (its default resolution and the imageable area of its papers),
// not from Qt's defaults; the document is checked against the spooler before
// and after it is handed over, since QPrinter reports success either way.
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

    bool ShowPropertiesDialog(DeviceMode &mode) override;

    // The drawing surface while a document is open, for the printer canvas.
    QPrinter *Printer() const { return m_printer.get(); }
    QPainter *Painter() const { return m_painter.get(); }

private:
    void ApplyModeToPrinter(QPrinter &printer, const DeviceMode &mode);
    DeviceMode ModeOfPrinter(const QPrinter &printer) const;
    void UseQueueMargins(QPrinter &printer) const;
    void EnsureQueueTakesJobs() const;
    std::string QueueName() const { return m_queue.toStdString(); }

    QString m_queue;
    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<QPainter> m_painter;
    std::vector<QueuePaper> m_papers;
    QueueBins m_bins;
    std::int16_t m_source = 7;
    bool m_modePending = false;
    DeviceMode m_pendingMode;
    int m_startedPages = 0;
};

} // namespace platform
