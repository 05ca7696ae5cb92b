#pragma once

#include "platform/print_document.h"
#include "platform/qt/cairo_pdf_canvas.h"
#include "platform/qt/pdf_document.h"

#include <QPrinter>
#include <QString>
#include <QTemporaryFile>

#include <memory>

namespace platform {

// A print document drawn into a PDF file by the same PDF document that
// makes what a printer queue receives.
class QtPdfFileDevice : public PrinterDevice
{
public:
    explicit QtPdfFileDevice(const QString &fileName);
    ~QtPdfFileDevice() override;

    PrinterMetrics Metrics() const override;
    DeviceMode CurrentMode() const override;
    void ApplyMode(const DeviceMode &mode) override;

    void BeginDocument(const std::string &title) override;
    void StartPage() override;
    void EndPage() override;
    void EndDocument() override;
    void AbortDocument() override;

    Canvas &DrawingCanvas() override { return *m_canvas; }
    // A file has no driver to ask.
    bool ShowPropertiesDialog(DeviceMode &) override { return false; }

private:
    void ApplyModeTo(QPrinter &printer, const DeviceMode &mode) const;
    void PutFileInPlace(QTemporaryFile &file);

    QString m_fileName;
    QPrinter m_printer{QPrinter::HighResolution};
    std::unique_ptr<CairoPdfCanvas> m_canvas;
    DeviceMode m_mode;
    bool m_modePending = false;
    PdfDocument m_document;
};

} // namespace platform
