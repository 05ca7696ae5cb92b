#include "output/screen_device.h"

#include "assets/library_texts.h"
#include "output/device_report.h"
#include "output/device_rounding.h"
#include "output/draw_image.h"
#include "output/draw_line.h"
#include "output/draw_shape.h"
#include "output/draw_text.h"
#include "output/drawn_lines.h"
#include "output/printer.h"
#include "output/publisher.h"
#include "output/screen_font_names.h"
#include "platform/plain_text_lines.h"
#include "platform/screen_metrics.h"
#include "platform/text_markups.h"
#include "platform/units.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using platform::Canvas;
using platform::CanvasPoint;
using platform::CanvasRect;

// The page image never gets finer than this, whatever the screen says: a
// page at 250 % is large enough already.
constexpr double kMaxImageRatio = 4.0;

// A length of the page in whole screen pixels at 100 %, fraction dropped.
int ScreenPixels(std::int32_t thousandths, TppResolutionAxis axis)
{
    return int(std::trunc(MMThousandthsToUnits(thousandths, utScreenPixels, axis)));
}

CanvasRect ToCanvasRect(const TppDeviceRect &rect)
{
    return {rect.Left, rect.Top, rect.Right, rect.Bottom};
}

} // namespace

// The image, and the paper inside it, for one rendering.
struct TppScreenDevice::ImageGeometry {
    int imageWidth = 0;
    int imageHeight = 0;
    int pageWidth = 0;
    int pageHeight = 0;
};

const TppDeviceClass &TppScreenDevice::StaticClass()
{
    static const TppDeviceClass screenClass(
        "TppScreenDevice", "Screen", &TppRasterDevice::StaticClass(),
        []() -> std::unique_ptr<TppDevice> { return std::make_unique<TppScreenDevice>(); },
        "Screen");
    return screenClass;
}

TppScreenDevice::TppScreenDevice(TppScreenViewer *viewer)
    : m_viewer(viewer)
    , m_currentPage(std::make_unique<TppPage>())
{
    if (m_viewer)
        NewPageImage(m_viewer->VisibleWidth(), m_viewer->VisibleHeight());
    PageRequest().SetPageSetting(psFirstPage);
    PageRequest().SetPageRequested(1);
}

TppScreenDevice::~TppScreenDevice() = default;

void TppScreenDevice::SetStatusText(const std::string &text)
{
    TppRasterDevice::SetStatusText(text);
    if (m_viewer)
        m_viewer->ScreenStatusChanged();
}

void TppScreenDevice::OpenJob()
{
    // A device already open stays as it is, as the publisher expects.
    if (JobOpen())
        return;
    TppRasterDevice::OpenJob();
    SetStatusText(LibraryText(ltAccessingData, LanguageIndex()));
    // The image keeps the previous page until the next one is rendered; the
    // page itself is kept aside in case none arrives.
    m_pageBeforeJob = std::make_unique<TppPage>();
    m_pageBeforeJob->Assign(*m_currentPage);
    m_currentPage->ResetPage();
}

void TppScreenDevice::RestorePageOnDisplay()
{
    // A job that brought no page (cancelled, or failed) leaves the page on
    // display as it was, so that its number, captions and a new zoom agree
    // with the image.
    std::unique_ptr<TppPage> before = std::move(m_pageBeforeJob);
    if (before && m_currentPage->AbsolutePageNo() == 0 && m_currentPage->DrawCommandCount() == 0)
        m_currentPage->Assign(*before);
}

void TppScreenDevice::AbandonJob()
{
    RestorePageOnDisplay();
    SetStatusText(m_currentPage->PageNoCaption());
    TppRasterDevice::AbandonJob();
}

void TppScreenDevice::CloseJob()
{
    if (!JobOpen())
        return;
    RestorePageOnDisplay();
    const bool lastPageKnown = Publisher() && Publisher()->LastPageKnown();
    SetStatusText(lastPageKnown ? m_currentPage->PageCaption() : m_currentPage->PageNoCaption());
    TppRasterDevice::CloseJob();
}

void TppScreenDevice::ResetDevice()
{
    TppRasterDevice::ResetDevice();
    ResetDisplay();
    PageRequest().SetPageSetting(psFirstPage);
    PageRequest().SetPageRequested(1);
}

void TppScreenDevice::SetCommandStatus(int textNumber, const TppPage &page)
{
    const std::string no = std::to_string(page.AbsolutePageNo());
    if (textNumber == ltDrawingPage) {
        const std::string count = std::to_string(page.AbsolutePageCount());
        SetStatusText(FormatLibraryText(ltDrawingPage, LanguageIndex(), {no, count, page.DocumentName()}));
    } else {
        SetStatusText(FormatLibraryText(ltCalculatingPage, LanguageIndex(), {no, page.DocumentName()}));
    }
}

void TppScreenDevice::AcceptPage(TppPage &page)
{
    TppRasterDevice::AcceptPage(page);
    if (PageWanted()) {
        const bool lastPageKnown = Publisher() && Publisher()->LastPageKnown();
        SetCommandStatus(lastPageKnown ? ltDrawingPage : ltCalculatingPage, page);
        if (SuppressPage() || !JobOpen())
            return;
        m_currentPage->Assign(page);
        m_pageBeforeJob.reset();
        RenderCurrentPage();
        if (m_viewer) {
            m_viewer->PageImageReady();
            SetStatusText(lastPageKnown ? m_currentPage->PageCaption()
                                        : m_currentPage->PageNoCaption());
            m_viewer->RepaintPage();
        }
        return;
    }
    if (!page.Calculation())
        return;
    // While a two-pass report is counted, the page on display learns the
    // growing page count and corrects its page totals.
    SetCommandStatus(ltCalculatingPage, page);
    if (page.AbsolutePageCount() == m_currentPage->AbsolutePageCount())
        return;
    m_currentPage->SetAbsolutePageCount(page.AbsolutePageCount());
    if (page.ControlGroupBreakNo() == m_currentPage->ControlGroupBreakNo())
        m_currentPage->SetPageCount(page.PageCount());
    if (m_currentPage->HasPageTotalsCommands()) {
        m_currentPage->RefreshPageTotals(this);
    }
}

void TppScreenDevice::FirstPage()
{
    if (JobOpen() || JobAbandoned() || CurrentPageNo() == 1)
        return;
    PageRequest().SetPageSetting(psFirstPage);
    RequestPages();
}

void TppScreenDevice::LastPage()
{
    if (JobOpen() || JobAbandoned() || m_currentPage->LastPage())
        return;
    PageRequest().SetPageSetting(psLastPage);
    RequestPages();
}

void TppScreenDevice::GotoPage(std::int32_t pageNo)
{
    if (JobOpen() || JobAbandoned() || pageNo == CurrentPageNo())
        return;
    PageRequest().SetPageSetting(psSinglePage);
    PageRequest().SetPageRequested(pageNo);
    RequestPages();
}

void TppScreenDevice::NewPageImage(int width, int height)
{
    const double ratio = m_viewer ? m_viewer->DevicePixelRatio() : 1.0;
    m_imageRatio = std::isfinite(ratio) ? std::clamp(ratio, 1.0, kMaxImageRatio) : 1.0;
    width = std::max(1, width);
    height = std::max(1, height);
    m_selectedCommandFont.reset();
    if (m_pageImage && width == m_imageWidth && height == m_imageHeight
        && m_imageRatio == m_imageRatioInUse) {
        // A new image of the same size would only cost fresh memory, which
        // is slow to come by at large zooms: the old one is made as new.
        platform::Canvas &canvas = *m_pageImage;
        canvas.RemoveClipping();
        canvas.SetTextJustification(0, 0);
        canvas.SetFont(TppFont());
        canvas.SetPen(TppPen());
        canvas.SetBrush(TppBrush());
        canvas.FillRect({0, 0, width, height});
        return;
    }
    m_imageWidth = width;
    m_imageHeight = height;
    m_imageRatioInUse = m_imageRatio;
    m_pageImage.reset();
    m_pageImage = platform::CreateScreenBitmapCanvas(m_imageWidth, m_imageHeight, m_imageRatio);
}

TppScreenDevice::ImageGeometry TppScreenDevice::ComputeGeometry(int paperWidth,
                                                                 int paperHeight) const
{
    const int ppi = platform::ScreenPixelsPerInch();
    const int quarter = NearestPixel(ppi * 0.25);
    const double ratio = double(paperWidth) / paperHeight;
    ImageGeometry g;
    const TppZoomSettingType zoom = m_viewer ? m_viewer->ZoomSetting() : zs100Percent;
    const int areaWidth = m_viewer ? m_viewer->VisibleWidth() : 0;
    const int areaHeight = m_viewer ? m_viewer->VisibleHeight() : 0;
    switch (zoom) {
    case zsWholePage: {
        const int half = NearestPixel(ppi * 0.5);
        g.imageWidth = areaWidth;
        g.imageHeight = areaHeight;
        g.pageHeight = areaHeight - quarter;
        g.pageWidth = NearestPixel(g.pageHeight * ratio);
        if (g.imageWidth > half && g.imageHeight > half) {
            // A quarter inch of height at a time until the paper fits the width.
            while (g.imageWidth <= g.pageWidth) {
                g.pageHeight -= quarter;
                g.pageWidth = NearestPixel(g.pageHeight * ratio);
            }
        }
        break;
    }
    case zsPageWidth: {
        const int eighth = NearestPixel(ppi * 0.125);
        const int scrollBar = NearestPixel(ppi * 0.1458);
        g.pageWidth = areaWidth - 2 * eighth - scrollBar;
        g.pageHeight = NearestPixel(g.pageWidth / ratio);
        g.imageWidth = 2 * eighth + g.pageWidth;
        g.imageHeight = std::max(areaHeight, 2 * eighth + g.pageHeight);
        break;
    }
    case zsPercentage: {
        const double z = (m_viewer ? m_viewer->ZoomPercentage() : 100) / 100.0;
        g.pageHeight = NearestPixel(paperHeight * z);
        g.pageWidth = NearestPixel(paperWidth * z);
        g.imageHeight = std::max(areaHeight, 2 * quarter + g.pageHeight);
        g.imageWidth = std::max(areaWidth, 2 * quarter + g.pageWidth);
        break;
    }
    case zs100Percent:
    default:
        g.imageWidth = paperWidth + 2 * quarter;
        g.imageHeight = paperHeight + 2 * quarter;
        g.pageWidth = paperWidth;
        g.pageHeight = paperHeight;
        break;
    }
    return g;
}

void TppScreenDevice::RenderCurrentPage()
{
    const TppPageDef &pageDef = m_currentPage->PageDef();
    if (pageDef.mmWidth <= 0 || pageDef.mmHeight <= 0)
        return;
    const int paperWidth = pageDef.spPaperWidth();
    const int paperHeight = pageDef.spPaperHeight();
    // A paper smaller than a pixel has no proportions to show.
    if (paperWidth <= 0 || paperHeight <= 0)
        return;

    const ImageGeometry g = ComputeGeometry(paperWidth, paperHeight);
    NewPageImage(g.imageWidth, g.imageHeight);
    Canvas &canvas = *m_pageImage;
    canvas.SetBrush(TppBrush{clBtnShadow, bsSolid});
    canvas.FillRect({0, 0, m_imageWidth, m_imageHeight});

    m_pageWidthPx = g.pageWidth;
    m_pageHeightPx = g.pageHeight;
    m_calculatedZoom = NearestPixel(double(m_pageHeightPx) / paperHeight * 100);
    m_pageOffsetX = (m_imageWidth - m_pageWidthPx) / 2;
    m_pageOffsetY = (m_imageHeight - m_pageHeightPx) / 2;
    canvas.SetBrush(TppBrush{m_viewer ? m_viewer->PageColor() : clWhite, bsSolid});
    canvas.Rectangle({m_pageOffsetX, m_pageOffsetY, m_pageOffsetX + m_pageWidthPx,
                      m_pageOffsetY + m_pageHeightPx});

    m_scaleX = double(m_pageWidthPx) / paperWidth;
    m_scaleY = double(m_pageHeightPx) / paperHeight;
    DrawPageCommands(*m_currentPage);

    if (m_viewer && !m_viewer->PageSurfaceVisible())
        m_viewer->ShowPageSurface();
}

void TppScreenDevice::ResetDisplay()
{
    m_pageBeforeJob.reset();
    m_currentPage->ClearDrawCommands();
    if (!m_viewer) {
        NewPageImage(1, 1);
        return;
    }
    if (TppDeviceReport *report = m_viewer->ViewedReport())
        m_currentPage->SetPrinterSetup(&report->ReportPrinterSetup());
    NewPageImage(m_viewer->VisibleWidth(), m_viewer->VisibleHeight());
    RenderCurrentPage();
    m_viewer->RepaintPage();
}

void TppScreenDevice::CancelReport()
{
    if (!m_viewer)
        return;
    if (TppDeviceReport *report = m_viewer->ViewedReport())
        report->Cancel();
}

TppDrawCommand *TppScreenDevice::FindClickableAt(int x, int y) const
{
    for (int i = 0; i < m_currentPage->ClickableCount(); ++i) {
        TppDrawCommand *command = m_currentPage->ClickableCommands(i);
        if (command && command->Clickable() && command->DeviceBounds().Contains(x, y))
            return command;
    }
    return nullptr;
}

void TppScreenDevice::PublisherDestroyed()
{
    if (m_viewer)
        m_viewer->DetachReport();
    TppRasterDevice::PublisherDestroyed();
}

void TppScreenDevice::ComputeDeviceBounds(TppDrawCommand &command) const
{
    const int a = ScreenPixels(command.Left(), raHorizontal);
    const int b = ScreenPixels(command.Top(), raVertical);
    const int c = ScreenPixels(command.Width(), raHorizontal);
    const int d = ScreenPixels(command.Height(), raVertical);
    command.SetDeviceLeft(NearestPixel(a * m_scaleX) + m_pageOffsetX);
    command.SetDeviceTop(NearestPixel(b * m_scaleY) + m_pageOffsetY);
    command.SetDeviceRight(NearestPixel((a + c) * m_scaleX) + m_pageOffsetX);
    command.SetDeviceBottom(NearestPixel((b + d) * m_scaleY) + m_pageOffsetY);
}

bool TppScreenDevice::RenderCommand(TppDrawCommand &command)
{
    if (!m_pageImage)
        return false;
    if (auto *text = dynamic_cast<TppDrawText *>(&command)) {
        ComputeDeviceBounds(command);
        DrawText(*text);
    } else if (auto *shape = dynamic_cast<TppDrawShape *>(&command)) {
        ComputeDeviceBounds(command);
        DrawShape(*shape);
    } else if (auto *line = dynamic_cast<TppDrawLine *>(&command)) {
        ComputeDeviceBounds(command);
        DrawLine(*line);
    } else if (auto *image = dynamic_cast<TppDrawImage *>(&command)) {
        ComputeDeviceBounds(command);
        DrawImage(*image);
    } else {
        return false;
    }
    return true;
}

bool TppScreenDevice::RefreshText(TppDrawCommand &command)
{
    if (!m_pageImage)
        return true;
    // Drawn opaque this once, so that its background wipes the old text.
    auto *text = dynamic_cast<TppDrawText *>(&command);
    const bool transparent = text && text->Transparent();
    if (text)
        text->SetTransparent(false);
    bool drawn = false;
    try {
        drawn = RenderCommand(command);
    } catch (...) {
        if (text)
            text->SetTransparent(transparent);
        throw;
    }
    if (text)
        text->SetTransparent(transparent);
    if (drawn && m_viewer) {
        m_refreshingText = true;
        m_viewer->CopyPageImageToScreen(command.DeviceBounds());
        m_refreshingText = false;
    }
    return drawn;
}

void TppScreenDevice::DrawShape(const TppDrawShape &shape)
{
    Canvas &canvas = *m_pageImage;
    TppPen pen = shape.Pen();
    pen.Width = NearestPixel(pen.Width * m_scaleX);
    canvas.SetPen(pen);
    canvas.SetBrush(shape.Brush());
    const CanvasRect bounds = ToCanvasRect(shape.DeviceBounds());
    switch (shape.ShapeType()) {
    case stRectangle:
        canvas.Rectangle(bounds);
        break;
    case stRoundRect:
        canvas.RoundRect(bounds,
                         NearestPixel(ScreenPixels(shape.XCornerRound(), raHorizontal) * m_scaleX),
                         NearestPixel(ScreenPixels(shape.YCornerRound(), raVertical) * m_scaleY));
        break;
    case stEllipse:
        canvas.Ellipse(bounds);
        break;
    default:
        break;
    }
}

void TppScreenDevice::DrawLine(TppDrawLine &line)
{
    Canvas &canvas = *m_pageImage;
    const int ppi = platform::ScreenPixelsPerInch();
    const int thickness = std::max(1, NearestPixel(ppi * double(line.Weight()) / 72 * m_scaleX));
    if (line.LinePosition() == lpBottom)
        line.SetDeviceBottom(line.DeviceBottom() - 1);
    else if (line.LinePosition() == lpRight)
        line.SetDeviceRight(line.DeviceRight() - 1);

    TppBrush brush = canvas.Brush();
    brush.Style = bsCross;
    canvas.SetBrush(brush);
    TppPen pen = line.Pen();
    pen.Width = 1;
    canvas.SetPen(pen);

    const TppDeviceRect &r = line.DeviceBounds();
    const int bands = line.LineStyle() == lsDouble ? 2 : 1;
    for (int band = 0; band < bands; ++band) {
        const int offset = band * 2 * thickness;
        for (int k = 0; k < thickness; ++k) {
            const int o = offset + k;
            switch (line.LinePosition()) {
            case lpTop:
                canvas.Line({r.Left, r.Top + o}, {r.Right, r.Top + o});
                break;
            case lpBottom:
                canvas.Line({r.Left, r.Bottom - o}, {r.Right, r.Bottom - o});
                break;
            case lpLeft:
                canvas.Line({r.Left + o, r.Top}, {r.Left + o, r.Bottom});
                break;
            case lpRight:
                canvas.Line({r.Right - o, r.Top}, {r.Right - o, r.Bottom});
                break;
            }
        }
    }
}

void TppScreenDevice::DrawImage(const TppDrawImage &image)
{
    const TppPicture &picture = image.Picture();
    if (picture.IsEmpty())
        return;
    const int pictureWidth = picture.Width();
    const int pictureHeight = picture.Height();

    // The picture's pixels at its own size; a picture without a bitmap
    // rendition is rendered on the spot, and one that cannot be drawn at all
    // is left out rather than spoiling the page.
    TppBitmap rendered;
    const TppBitmap *bitmap = image.AsBitmap();
    if (!bitmap) {
        try {
            rendered = platform::RenderPicture(picture, pictureWidth, pictureHeight);
        } catch (const TppPictureError &) {
            return;
        }
        bitmap = &rendered;
    }
    if (bitmap->IsEmpty())
        return;
    if (image.DirectDraw()) {
        DrawDirectImage(image, *bitmap);
        return;
    }

    const int w = ScreenPixels(image.Width(), raHorizontal);
    const int h = ScreenPixels(image.Height(), raVertical);
    if (w <= 0 || h <= 0)
        return;
    CanvasRect target{0, 0, pictureWidth, pictureHeight};
    if (image.Stretch() && image.MaintainAspectRatio()) {
        const double s = (pictureWidth > 0 && pictureHeight > 0)
            ? std::min(double(w) / pictureWidth, double(h) / pictureHeight)
            : 0.0;
        target = {0, 0, int(std::trunc(pictureWidth * s)), int(std::trunc(pictureHeight * s))};
        if (image.Center()) {
            const int dx = (w - target.Width()) / 2;
            const int dy = (h - target.Height()) / 2;
            target = {dx, dy, dx + target.right, dy + target.bottom};
        }
    } else if (image.Stretch()) {
        target = {0, 0, w, h};
    } else if (image.Center()) {
        const int dx = (w - pictureWidth) / 2;
        const int dy = (h - pictureHeight) / 2;
        target = {dx, dy, dx + pictureWidth, dy + pictureHeight};
    }

    if (DrawSmoothImage(image, target, w, h, *bitmap))
        return;
    // Composed at 100 % on white first, so that white lets the page show
    // through a transparent picture at every zoom.
    std::unique_ptr<Canvas> work = platform::CreateScreenBitmapCanvas(w, h);
    work->StretchBitmap(target, *bitmap);
    const TppBitmap composed = platform::CanvasPixels(*work);
    work.reset();
    m_pageImage->StretchBitmap(ToCanvasRect(image.DeviceBounds()), composed,
                               image.Transparent() ? platform::CopyMode::And
                                                   : platform::CopyMode::Copy);
}

bool TppScreenDevice::DrawSmoothImage(const TppDrawImage &image, const CanvasRect &target, int w, int h,
                                      const TppBitmap &ownPixels)
{
    // The device pixels the picture covers, at this zoom and density.
    const CanvasRect bounds = ToCanvasRect(image.DeviceBounds());
    const int deviceWidth = NearestPixel(bounds.Width() * m_imageRatio);
    const int deviceHeight = NearestPixel(bounds.Height() * m_imageRatio);
    if (deviceWidth <= 0 || deviceHeight <= 0 || target.Width() <= 0 || target.Height() <= 0)
        return false;
    const double sx = double(deviceWidth) / w;
    const double sy = double(deviceHeight) / h;
    const CanvasRect scaled{NearestPixel(target.left * sx), NearestPixel(target.top * sy),
                            NearestPixel(target.right * sx), NearestPixel(target.bottom * sy)};
    if (scaled.Width() <= 0 || scaled.Height() <= 0)
        return false;
    // The finest source at every zoom: shrunk smoothly it keeps the thin
    // strokes that the picture's own pixels lose.
    const std::vector<TppPictureSource> &sources = image.Picture().Sources();
    const TppPictureSource *source = sources.empty() ? nullptr : &sources.back();
    const TppBitmap *pixels = source ? m_decodedPictures.Pixels(image.Picture().Kind(), *source) : nullptr;
    if (!pixels || pixels->IsEmpty()) {
        source = nullptr;
        pixels = &ownPixels;
    }
    const TppScaledPictureCache::Key key{source ? source->Data.get() : nullptr, scaled, deviceWidth, deviceHeight};
    const TppBitmap *composed = source ? m_scaledPictures.Find(key) : nullptr;
    TppBitmap uncached;
    if (!composed) {
        // Composed on white as at 100 %, at the device pixels it is shown with.
        std::unique_ptr<Canvas> work = platform::CreateScreenBitmapCanvas(deviceWidth, deviceHeight);
        work->StretchBitmap(scaled, platform::ScaleBitmapSmoothly(*pixels, scaled.Width(), scaled.Height()));
        uncached = platform::CanvasPixels(*work);
        composed = source ? &m_scaledPictures.Add(key, std::move(uncached)) : &uncached;
    }
    m_pageImage->StretchBitmap(bounds, *composed,
                               image.Transparent() ? platform::CopyMode::And
                                                   : platform::CopyMode::Copy);
    return true;
}

void TppScreenDevice::DrawDirectImage(const TppDrawImage &image, const TppBitmap &bitmap)
{
    Canvas &canvas = *m_pageImage;
    const platform::CopyMode mode
        = image.Transparent() ? platform::CopyMode::And : platform::CopyMode::Copy;
    const CanvasRect bounds = ToCanvasRect(image.DeviceBounds());
    const int pictureWidth = image.Picture().Width();
    const int pictureHeight = image.Picture().Height();
    if (image.Stretch()) {
        CanvasRect target = bounds;
        if (image.MaintainAspectRatio() && pictureWidth > 0 && pictureHeight > 0) {
            const double s = std::min(double(bounds.Width()) / pictureWidth,
                                      double(bounds.Height()) / pictureHeight);
            const int width = int(std::trunc(pictureWidth * s));
            const int height = int(std::trunc(pictureHeight * s));
            int left = bounds.left;
            int top = bounds.top;
            if (image.Center()) {
                left += (bounds.Width() - width) / 2;
                top += (bounds.Height() - height) / 2;
            }
            target = {left, top, left + width, top + height};
        }
        canvas.StretchBitmap(target, bitmap, mode);
        return;
    }
    canvas.SetClipRect(bounds);
    int left = bounds.left;
    int top = bounds.top;
    if (image.Center()) {
        const int w = ScreenPixels(image.Width(), raHorizontal);
        const int h = ScreenPixels(image.Height(), raVertical);
        left += int(std::trunc(((w - pictureWidth) / 2) * m_scaleX));
        top += int(std::trunc(((h - pictureHeight) / 2) * m_scaleY));
    }
    canvas.StretchBitmap({left, top, left + int(std::trunc(pictureWidth * m_scaleX)),
                          top + int(std::trunc(pictureHeight * m_scaleY))},
                         bitmap, mode);
    canvas.RemoveClipping();
}

void TppScreenDevice::SelectCommandFont(const TppFont &font)
{
    if (m_selectedCommandFont && *m_selectedCommandFont == font)
        return;
    Canvas &canvas = *m_pageImage;
    TppFont screenFont = font;
    screenFont.SetPixelsPerInch(canvas.PixelsPerInchY());
    screenFont.SetName(ScreenFontName(font.Name()));
    const int height = NearestPixel(screenFont.Height() * m_scaleY);
    screenFont.SetHeight(height == 0 ? -1 : height);
    canvas.SetFont(screenFont);
    m_selectedCommandFont = font;
}

platform::Canvas &TppScreenDevice::LayoutCanvas(const TppFont &font)
{
    // The page's printer, as the engine measured with it; a screen bitmap
    // when it has no drawing context, as then the engine had none either.
    const std::string &printerName = m_currentPage->PrinterSetup().PrinterName();
    if (!m_layoutPrinter || m_layoutPrinterName != printerName) {
        m_layoutPrinter = std::make_unique<TppPrinter>();
        m_layoutPrinter->SetPrinterSetup(m_currentPage->PrinterSetup());
        m_layoutPrinterName = printerName;
        m_layoutFont.reset();
    }
    platform::Canvas *layout = m_layoutPrinter->Canvas();
    if (!layout) {
        if (!m_layoutScreen)
            m_layoutScreen = platform::CreateScreenBitmapCanvas();
        layout = m_layoutScreen.get();
    }
    if (layout != m_layoutFontCanvas || !m_layoutFont || !(*m_layoutFont == font)) {
        layout->SetFont(font);
        m_layoutFont = font;
        m_layoutFontCanvas = layout;
    }
    return *layout;
}

void TppScreenDevice::DrawText(TppDrawText &text)
{
    // Glyphs in the screen's font at this zoom, placed where the printer's
    // metrics put them: every line starts and ends where it does on paper,
    // though screen fonts do not scale linearly.
    Canvas &canvas = *m_pageImage;
    SelectCommandFont(text.Font());
    const platform::Canvas &layout = LayoutCanvas(text.Font());
    const TppResolutionSource *resolution
        = &layout == m_layoutScreen.get() ? nullptr : m_layoutPrinter.get();
    const int ppi = platform::ScreenPixelsPerInch();
    const double scaleX = double(ppi) / layout.PixelsPerInchX() * m_scaleX;
    const double scaleY = double(ppi) / layout.PixelsPerInchY() * m_scaleY;

    TppTextLineDrawing drawing{.canvas = canvas};
    drawing.clipMemo = true;
    drawing.clipAutoSizedLine = false;
    if (text.IsMemo() && !text.TabStopPositions().empty()) {
        drawing.tabStops = TppPlainTextLines::ConvertTabStops(text.TabStopPositions(), resolution);
        for (int &stop : drawing.tabStops)
            stop = NearestPixel(stop * scaleX);
    }
    const platform::CanvasFontMetrics metrics = layout.FontMetrics();
    const int leading = text.IsMemo()
        ? int(std::trunc(MMThousandthsToUnits(text.Leading(), utPrinterPixels, raVertical, resolution)))
        : metrics.externalLeading;
    drawing.lineHeight = (leading + metrics.height) * scaleY;

    canvas.SetTextLayout(&layout, scaleX, scaleY);
    try {
        DrawTextLines(text, drawing);
    } catch (...) {
        canvas.SetTextLayout(nullptr, 1, 1);
        throw;
    }
    canvas.SetTextLayout(nullptr, 1, 1);
}
