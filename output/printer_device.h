#pragma once

#include "output/decoded_pictures.h"
#include "output/page_request.h"
#include "output/raster_device.h"
#include "platform/canvas.h"
#include "platform/print_document.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

class TppDrawImage;
class TppDrawLine;
class TppDrawShape;
class TppDrawText;
class TppPrinter;
class TppPrinterCanvas;

// The device that prints the pages of a job on a printer. It owns its
// printer, through which it opens the print document, starts and ends pages
// and draws every command at the printer's resolution. Collated copies are
// made here, by passing over all pages again within the same document; the
// driver is always asked for one copy.
class TppPrinterDevice : public TppRasterDevice {
public:
    TppPrinterDevice();
    ~TppPrinterDevice() override;

    static const TppDeviceClass &StaticClass();
    const TppDeviceClass &Class() const override { return StaticClass(); }

    TppPrinter &Printer() { return *m_printer; }
    const TppPrinter &Printer() const { return *m_printer; }

    // The printer's canvas while a job is open; null otherwise.
    TppPrinterCanvas *Canvas() const { return m_canvas; }
    std::int32_t CopiesRemaining() const { return m_copiesRemaining; }
    bool FirstPageOfJob() const { return m_firstPageOfJob; }
    // Minus the printer's left and top unprintable margins: page coordinates
    // count from the paper's corner, the printer's from its printable area.
    int PrinterOffsetX() const { return m_printerOffsetX; }
    int PrinterOffsetY() const { return m_printerOffsetY; }

    // Begins the print document; an error of the printer closes the job
    // again and continues to the caller.
    void OpenJob() override;
    // Runs the further passes of collated copies, then ends the document and
    // hands it to the print server.
    void CloseJob() override;
    // The document is kept whole until it ends: an abandoned one is thrown
    // away, and nothing of it reaches the print server.
    void AbandonJob() override;
    // Also withdraws a document already handed to the print server.
    TppDiscardOutcome DiscardJob() override;
    // Calls `followed` once the print server's follow-up of the document
    // handed over has ended; at once when none runs.
    void WhenJobFollowed(platform::JobFollowed followed);
    void AcceptPage(TppPage &page) override;
    bool RenderCommand(TppDrawCommand &command) override;
    // Also written into the status window, when the text changed there.
    void SetStatusText(const std::string &text) override;

    // What the status lines say the pages go to: the printer's name.
    virtual std::string TargetName() const;

protected:
    // Whether the document may end: when collated copies remain, the next
    // pass has run (false); true once the last copy is done.
    virtual bool AllCopiesPrinted();
    virtual void DrawShape(TppDrawShape &shape);
    virtual void DrawLine(TppDrawLine &line);
    virtual void DrawPicture(TppDrawImage &image);
    virtual void DrawText(TppDrawText &text);
    virtual void DrawPictureAsBitmap(TppDrawImage &image, const platform::CanvasRect &target);
    virtual void DrawPictureViaMemoryCanvas(TppDrawImage &image, const platform::CanvasRect &target);
    virtual void DrawPictureDirect(TppDrawImage &image, const platform::CanvasRect &target);

private:
    void StartPage(TppPage &page);
    void EndPage();
    void EndDocument();
    void YieldToOwner();
    void ComputeDeviceBounds(TppDrawCommand &command) const;
    platform::CanvasRect PictureTarget(const TppDrawImage &image) const;
    // Pixels of a finer source of the picture when its own are fewer than
    // the paper can show in `target`; null when they suffice.
    const TppBitmap *FinerPicturePixels(const TppDrawImage &image,
                                        const platform::CanvasRect &target);
    int PrinterPixels(std::int32_t thousandths, bool horizontal) const;
    int ScreenToPrinterPixels(int screenPixels, bool horizontal) const;
    void ShowPageStatus(const TppPage &page);
    // The line of one copy of a page; shown at most ten times a second.
    void ShowCopyStatus(const TppPage &page, int copy, int copies);
    // The copy line held back last, if any.
    void ShowLastCopyStatus();
    // Which copy the running collated pass makes.
    int CollatedCopyNo(int copies) const;

    std::unique_ptr<TppPrinter> m_printer;
    TppDecodedPictures m_decodedPictures;
    TppPrinterCanvas *m_canvas = nullptr;
    std::int32_t m_copiesRemaining = 1;
    bool m_firstPageOfJob = true;
    int m_printerOffsetX = 0;
    int m_printerOffsetY = 0;
    // The request as the job began: a page list loses its entries as pages
    // arrive, and every collated pass prints the same pages.
    TppPageRequest m_jobRequest;
    // A pass that was cut short (cancelled, or failed) makes no more copies.
    bool m_passReachedEnd = false;
    bool m_runningFurtherPass = false;
    bool m_copyStatusShown = false;
    std::chrono::steady_clock::time_point m_copyStatusShownAt;
    // The latest copy line, while it waits for its turn to be shown.
    std::string m_copyStatus;
};
