#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

// Where a print document goes (platform::PrinterDevice): a printer queue,
// or a PDF file (pdf_file.h), opened for drawing: its device settings, its
// metrics and the print document. Implemented over the toolkit and the
// spooler (qt/qt_printer_device.*, qt/pdf_file.*); output/printer.* drives it.
namespace platform {

class Canvas;

// A print document could not be started, or the spooler did not take it.
class PrintError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The driver's device settings, numbered as Windows drivers number them;
// each value counts only when it is marked as set.
struct DeviceMode {
    bool orientationSet = false;
    std::int16_t orientation = 1; // 1 portrait, 2 landscape
    bool paperSizeSet = false;
    std::int16_t paperSize = 0; // Windows paper number; 256 is the size below
    bool paperDimensionsSet = false;
    std::int32_t paperWidth = 0; // tenths of a millimetre, portrait
    std::int32_t paperLength = 0;
    bool copiesSet = false;
    std::int16_t copies = 1;
    bool duplexSet = false;
    std::int16_t duplex = 1; // 1 one-sided, 2 long edge, 3 short edge
    bool defaultSourceSet = false;
    std::int16_t defaultSource = 7; // Windows bin number

    friend bool operator==(const DeviceMode &, const DeviceMode &) = default;
};

// Device values in printer pixels, as the queue states them for the current
// settings. Offsets are those of the printable area from the paper's corner.
struct PrinterMetrics {
    int resolutionX = 0;
    int resolutionY = 0;
    int physicalWidth = 0;
    int physicalHeight = 0;
    int printableWidth = 0;
    int printableHeight = 0;
    int offsetLeft = 0;
    int offsetTop = 0;
    bool isColor = true;
};

// How the follow-up of a handed-over job ended: an empty text when the job
// printed, was withdrawn, or rests with the spooler; otherwise why it did
// not print.
using JobFollowed = std::function<void(const std::string &failure)>;

// What came of asking the spooler to withdraw the document last handed to it.
enum class Withdrawal {
    NothingHandedOver, // no document of this device is with a spooler
    Withdrawn,         // the spooler cancelled the job
    TooLate,           // the job had already printed
};

class PrinterDevice
{
public:
    virtual ~PrinterDevice() = default;

    virtual PrinterMetrics Metrics() const = 0;
    // The settings in effect (the driver's defaults until others are applied).
    virtual DeviceMode CurrentMode() const = 0;
    // Takes the marked values of a mode; between pages of an open document
    // they apply from the next page on.
    virtual void ApplyMode(const DeviceMode &mode) = 0;

    // A document runs from BeginDocument to EndDocument; pages are started in
    // turn. EndDocument hands the document to the spooler and throws a
    // PrintError when the queue is stopped, refuses jobs or is gone, so that
    // no document is lost silently. The job is then followed for a moment
    // from the running event loop, to report a job that fails at once (see
    // WhenJobFollowed). AbortDocument discards the document.
    virtual void BeginDocument(const std::string &title) = 0;
    virtual void StartPage() = 0;
    virtual void EndPage() = 0;
    virtual void EndDocument() = 0;
    virtual void AbortDocument() = 0;
    // Cancels the job of the document EndDocument last handed over, for as
    // long as the spooler still holds it. May be called while the job is
    // followed: the follow-up then ends without an error. Throws a
    // PrintError when the spooler refused or did not answer while the job
    // may still print.
    virtual Withdrawal WithdrawDocument() { return Withdrawal::NothingHandedOver; }
    // Calls `followed` from the event loop once the follow-up of the job
    // EndDocument last handed over has ended, or at once when none runs.
    // Callbacks waiting when the device is destroyed are dropped.
    virtual void WhenJobFollowed(JobFollowed followed) { followed({}); }

    // The drawing context's canvas at the printer's resolution: it draws on the
    // current page while a document is open, and only measures otherwise.
    // Coordinates count from the corner of the printable area.
    virtual Canvas &DrawingCanvas() = 0;

    // The driver's settings dialog over the application's active window, on
    // `mode`; true, with `mode` changed, when the user confirmed it.
    virtual bool ShowPropertiesDialog(DeviceMode &mode) = 0;
};

// Opens a spooler queue by name; null when it cannot be opened.
std::unique_ptr<PrinterDevice> OpenPrinterDevice(const std::string &queue);

} // namespace platform
