#pragma once

#include "output/printer_canvas.h"
#include "output/printer_info.h"
#include "output/printer_setup.h"
#include "platform/print_document.h"
#include "platform/units.h"

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

class TppPrinter;

// A printer refused to start, continue or take a document.
class EPrinterError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The unprintable margins of the paper, in printer pixels.
struct TppPrintableOffsets {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    friend bool operator==(const TppPrintableOffsets &, const TppPrintableOffsets &) = default;
};

using TppPrinterEvent = std::function<void(TppPrinter &sender)>;

// Access to one printer of the printer list: its drawing context (created on
// demand), its device settings, the print document with its pages, its
// resolution and unprintable margins. Owns a printer setup whose changes are
// applied to the device settings.
class TppPrinter : public TppResolutionSource
{
public:
    TppPrinter();
    TppPrinter(const TppPrinter &) = delete;
    TppPrinter &operator=(const TppPrinter &) = delete;
    ~TppPrinter() override;

    // "Default" is the machine's default printer; an unknown name selects it
    // too. Refused while a document is open.
    const std::string &PrinterName() const { return m_printerName; }
    void SetPrinterName(const std::string &name);
    // The name, or the default printer's name for "Default".
    std::string PrinterDisplayName() const;
    const TppPrinterInfo *PrinterInfo() const { return m_printerInfo.get(); }
    const TppPrinterCapabilities &Capabilities() const { return m_printerInfo->Capabilities(); }

    // Whether the printer has a drawing context, creating it on demand:
    // false when the printer cannot give one (not even by falling back to
    // "Screen", whose context is the screen's).
    bool DeviceContext();

    // The canvas of the drawing context (created on demand): it draws on the
    // current page while a document is open and measures at the printer's
    // resolution otherwise. Null without a context; replaced when the
    // printer changes.
    TppPrinterCanvas *Canvas();

    // TppResolutionSource: the context's resolution, without creating it.
    bool HasDeviceContext() const override;
    int PixelsPerInchX() const override { return ResolutionX(); }
    int PixelsPerInchY() const override { return ResolutionY(); }

    // Pixels per inch of the context; the screen's while there is none.
    int ResolutionX() const;
    int ResolutionY() const;
    // Device values, read from the context (created on demand); 0 without one.
    int PhysicalWidth();
    int PhysicalHeight();
    int PrintableAreaWidth();
    int PrintableAreaHeight();
    TppPrintableOffsets PrintableOffsets();
    bool IsColor();

    // The print document. Printing on "Screen" fails at BeginDoc; a queue
    // that is stopped, refuses jobs or is gone fails at BeginDoc or EndDoc
    // with an EPrinterError, and the document is then no longer open.
    void BeginDoc();
    void NewPage();
    void EndPage();
    void EndDoc();
    // Ends the document without handing it to the spooler.
    void AbortDoc();
    // Cancels the job of the document EndDoc last handed to the spooler, for
    // as long as the spooler holds it, also while the job is followed. An
    // EPrinterError when the spooler did not withdraw a job that may still
    // print.
    platform::Withdrawal WithdrawDoc();
    // Calls `followed` once the follow-up of the job EndDoc handed over has
    // ended (at once when none runs), with why the job did not print, if so.
    void WhenJobFollowed(platform::JobFollowed followed);
    bool DocumentOpen() const { return m_documentOpen; }
    bool PageStarted() const { return m_pageStarted; }
    int StartedPages() const { return m_startedPages; }
    const std::string &DocumentTitle() const { return m_documentTitle; }

    // The printer's own setup; its changes are applied to the device mode.
    TppPrinterSetup &PrinterSetup() { return *m_printerSetup; }
    void SetPrinterSetup(const TppPrinterSetup &setup);
    void ApplySetup();
    // The own setup, updated from the device mode (printer, paper, duplex, bin).
    TppPrinterSetup &ReadSetup();

    // The driver's settings dialog for the queue; true when confirmed.
    bool ShowPropertiesDialog();
    void SetOnDeviceModeChange(TppPrinterEvent handler) { m_onDeviceModeChange = std::move(handler); }

    // The driver's default paper source (Windows bin number).
    std::int16_t DefaultBin();

    // Documents go into `target` (a file) instead of the chosen queue: the
    // setup keeps naming its printer, for its papers, but nothing is asked of
    // the queue. For devices that write files.
    void SetDocumentTarget(std::unique_ptr<platform::PrinterDevice> target);
    bool HasDocumentTarget() const { return m_documentTarget; }

private:
    void ReleaseDevice();
    bool CreateDeviceContext();
    void TakeDeviceMode();
    void ReadDeviceValues();
    void ReadScreenValues();
    bool OpenDocumentTarget();
    const platform::DeviceMode &DeviceMode();
    void ChangeDeviceMode(const platform::DeviceMode &mode);
    void SetupChanged();

    std::string m_printerName = "Default";
    std::shared_ptr<const TppPrinterInfo> m_printerInfo;
    std::unique_ptr<platform::PrinterDevice> m_device;
    std::unique_ptr<platform::Canvas> m_screenCanvas;
    std::unique_ptr<TppPrinterCanvas> m_canvas;
    bool m_screenContext = false;
    bool m_hasDeviceMode = false;
    platform::DeviceMode m_deviceMode;
    std::int16_t m_defaultBin = 7;
    platform::PrinterMetrics m_metrics;
    bool m_documentOpen = false;
    bool m_pageStarted = false;
    bool m_deviceModePending = false;
    int m_startedPages = 0;
    std::string m_documentTitle;
    // The printer the user chose, when it could not be opened and "Screen"
    // took its place for measuring.
    std::string m_unavailablePrinter;
    bool m_applyingSetup = false;
    // The name last asked for was "Default" (which may stand for "Screen").
    bool m_defaultChosen = true;
    // m_device is a file given by SetDocumentTarget, kept whatever the printer.
    bool m_documentTarget = false;
    std::unique_ptr<TppPrinterSetup> m_printerSetup;
    TppPrinterEvent m_onDeviceModeChange;
};
