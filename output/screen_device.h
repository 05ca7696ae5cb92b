#pragma once

#include "output/decoded_pictures.h"
#include "output/page.h"
#include "output/raster_device.h"
#include "output/scaled_picture_cache.h"
#include "output/screen_viewer.h"
#include "platform/canvas.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

class TppDrawImage;
class TppPrinter;
class TppDrawLine;
class TppDrawShape;
class TppDrawText;

// Renders one page at a time into an off-screen page image at its viewer's
// zoom: the paper on a grey surround, then the page's draw commands. It keeps
// a copy of the page on display, asks the publisher for other pages when the
// user navigates, and reports progress through its status line. All sizes
// are logical screen pixels; on a high-density screen the image holds more
// device pixels than that, so that text and frames stay sharp.
class TppScreenDevice : public TppRasterDevice {
public:
    // With a viewer the device renders at the viewer's zoom into an image of
    // its visible area; without one, at 100 %.
    explicit TppScreenDevice(TppScreenViewer *viewer = nullptr);
    ~TppScreenDevice() override;

    static const TppDeviceClass &StaticClass();
    const TppDeviceClass &Class() const override { return StaticClass(); }

    TppScreenViewer *Viewer() const { return m_viewer; }

    std::int32_t CalculatedZoom() const { return m_calculatedZoom; }
    TppPage &CurrentPage() { return *m_currentPage; }
    const TppPage &CurrentPage() const { return *m_currentPage; }
    std::int32_t CurrentPageNo() const { return m_currentPage->AbsolutePageNo(); }

    // The page image and the canvas that draws on it (one object); null
    // until the first rendering when the device has no viewer.
    platform::Canvas *PageCanvas() const { return m_pageImage.get(); }
    int PageImageWidth() const { return m_imageWidth; }
    int PageImageHeight() const { return m_imageHeight; }
    double PageImageRatio() const { return m_imageRatio; }

    std::int32_t PageOffsetX() const { return m_pageOffsetX; }
    std::int32_t PageOffsetY() const { return m_pageOffsetY; }
    std::int32_t PageWidthPx() const { return m_pageWidthPx; }
    std::int32_t PageHeightPx() const { return m_pageHeightPx; }
    double ScaleX() const { return m_scaleX; }
    double ScaleY() const { return m_scaleY; }

    void SetStatusText(const std::string &text) override;
    bool IgnoresNonFinalPages() const override { return false; }
    void OpenJob() override;
    void AbandonJob() override;
    void CloseJob() override;
    void ResetDevice() override;
    void AcceptPage(TppPage &page) override;
    bool RenderCommand(TppDrawCommand &command) override;
    bool RefreshText(TppDrawCommand &command) override;

    // Navigation; each does nothing while a job is open, after an abandoned
    // job, or when the page asked for is the one on display.
    void FirstPage();
    void LastPage();
    void GotoPage(std::int32_t pageNo);

    // Draws CurrentPage into a new page image at the viewer's current zoom.
    // A page without paper size is left unrendered, the old image kept.
    void RenderCurrentPage();
    // A blank page of the viewer's report's paper, rendered and shown.
    void ResetDisplay();
    // Asks the viewer's report to stop the page generation under way.
    void CancelReport();
    // The first clickable command of the page on display whose device
    // bounds hold the point (page image pixels), or none.
    TppDrawCommand *FindClickableAt(int x, int y) const;

protected:
    void PublisherDestroyed() override;

private:
    struct ImageGeometry;

    ImageGeometry ComputeGeometry(int paperWidth, int paperHeight) const;
    void NewPageImage(int width, int height);
    void ComputeDeviceBounds(TppDrawCommand &command) const;
    void SetCommandStatus(int textNumber, const TppPage &page);
    void RestorePageOnDisplay();

    void DrawShape(const TppDrawShape &shape);
    void DrawLine(TppDrawLine &line);
    void DrawImage(const TppDrawImage &image);
    void DrawDirectImage(const TppDrawImage &image, const TppBitmap &bitmap);
    // Draws the picture resampled smoothly from its finest source (its own
    // pixels when it has none) to the device pixels it covers; false when
    // it covers none.
    bool DrawSmoothImage(const TppDrawImage &image, const platform::CanvasRect &target, int w, int h,
                         const TppBitmap &ownPixels);
    void DrawText(TppDrawText &text);
    void SelectCommandFont(const TppFont &font);
    // The canvas the engine laid the page's texts out on, `font` selected.
    platform::Canvas &LayoutCanvas(const TppFont &font);

    TppScreenViewer *m_viewer;
    std::int32_t m_calculatedZoom = 100;
    std::unique_ptr<TppPage> m_currentPage;
    std::unique_ptr<TppPage> m_pageBeforeJob;
    std::unique_ptr<platform::Canvas> m_pageImage;
    int m_imageWidth = 0;
    int m_imageHeight = 0;
    double m_imageRatio = 1.0;
    double m_imageRatioInUse = 0.0;
    std::int32_t m_pageOffsetX = 0;
    std::int32_t m_pageOffsetY = 0;
    std::int32_t m_pageHeightPx = 0;
    std::int32_t m_pageWidthPx = 0;
    double m_scaleX = 1.0;
    double m_scaleY = 1.0;
    // The command font the canvas font was made from, so that a run of
    // texts in one font selects it once.
    std::optional<TppFont> m_selectedCommandFont;
    bool m_refreshingText = false;
    TppDecodedPictures m_decodedPictures;
    TppScaledPictureCache m_scaledPictures;
    // What texts are laid out with: the page's printer, or a screen bitmap
    // when it has no drawing context.
    std::unique_ptr<TppPrinter> m_layoutPrinter;
    std::string m_layoutPrinterName;
    std::unique_ptr<platform::Canvas> m_layoutScreen;
    std::optional<TppFont> m_layoutFont;
    const platform::Canvas *m_layoutFontCanvas = nullptr;
};
