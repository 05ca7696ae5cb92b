#include "output/printer_device.h"

#include "assets/library_texts.h"
#include "output/device_status_window.h"
#include "output/device_rounding.h"
#include "output/draw_image.h"
#include "output/draw_line.h"
#include "output/draw_shape.h"
#include "output/draw_text.h"
#include "output/drawn_lines.h"
#include "output/flag_scope.h"
#include "output/page.h"
#include "output/printer.h"
#include "output/publisher.h"
#include "platform/plain_text_lines.h"
#include "platform/text_markups.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string_view>
#include <utility>
#include <vector>

namespace {

// A job of many copies changes its status line with every copy; showing it
// this often keeps the user informed and the cancel button heard without
// holding up the pages.
constexpr std::chrono::milliseconds kCopyStatusInterval(100);

// What makes a canvas font differ from a command's for drawing; the height
// is not compared, since the canvas keeps its fonts at the printer's
// resolution.
bool SameLook(const TppFont &a, const TppFont &b)
{
    return a.Charset() == b.Charset() && a.Color() == b.Color() && a.Pitch() == b.Pitch()
        && a.Size() == b.Size() && a.Style() == b.Style() && a.Name() == b.Name();
}

platform::CanvasRect ToCanvasRect(const TppDeviceRect &rect)
{
    return {rect.Left, rect.Top, rect.Right, rect.Bottom};
}

// The source of a picture whose pixels the paper can use at the printer's
// resolution: paper shows no more than about 300 dots an inch, finer pixels
// only fill the document.
const TppPictureSource *PaperSource(const TppPicture &picture, const platform::CanvasRect &target, int resolutionX,
                                    int resolutionY)
{
    constexpr int kEnoughDotsPerInch = 300;
    const auto enough = [](int pixels, int resolution) {
        return resolution > kEnoughDotsPerInch ? int(std::ceil(double(pixels) * kEnoughDotsPerInch / resolution))
                                               : pixels;
    };
    return picture.SourceFor(enough(std::abs(target.Width()), resolutionX),
                             enough(std::abs(target.Height()), resolutionY));
}

} // namespace

const TppDeviceClass &TppPrinterDevice::StaticClass()
{
    static const TppDeviceClass printerClass("TppPrinterDevice", "Printer",
                                             &TppRasterDevice::StaticClass(),
                                             []() -> std::unique_ptr<TppDevice> {
                                                 return std::make_unique<TppPrinterDevice>();
                                             },
                                             "Printer");
    return printerClass;
}

TppPrinterDevice::TppPrinterDevice()
    : m_printer(std::make_unique<TppPrinter>())
{
}

TppPrinterDevice::~TppPrinterDevice()
{
    // A job still open here was never finished: its document is thrown away
    // with the printer, never handed over from a destructor.
}

// --- The job ---------------------------------------------------------------

void TppPrinterDevice::OpenJob()
{
    if (JobOpen())
        return;
    TppRasterDevice::OpenJob();
    m_copiesRemaining = 1;
    m_firstPageOfJob = true;
    m_passReachedEnd = false;
    m_copyStatusShown = false;
    m_copyStatus.clear();
    m_jobRequest.Assign(PageRequest());
    SetStatusText(LibraryText(ltAccessingData, LanguageIndex()));
    // The user may cancel before anything began.
    YieldToOwner();
    if (!JobOpen())
        return;
    try {
        m_printer->BeginDoc();
    } catch (...) {
        // No document, no job: nothing may be drawn or reported as printed.
        TppRasterDevice::CloseJob();
        throw;
    }
    m_canvas = m_printer->Canvas();
}

void TppPrinterDevice::CloseJob()
{
    if (!JobOpen())
        return;
    // The end of a further pass: the pass loop goes on from there.
    if (m_runningFurtherPass)
        return;
    try {
        while (!AllCopiesPrinted()) {
        }
    } catch (...) {
        EndDocument();
        throw;
    }
    EndDocument();
}

void TppPrinterDevice::AbandonJob()
{
    if (!JobOpen())
        return;
    m_copiesRemaining = 1;
    m_copyStatus.clear();
    m_printer->AbortDoc();
    m_canvas = nullptr;
    PageRequest().Assign(m_jobRequest);
    TppRasterDevice::AbandonJob();
}

bool TppPrinterDevice::AllCopiesPrinted()
{
    if (m_copiesRemaining <= 1)
        return true;
    // A pass cut short (cancelled, failed) makes no further copies, and so
    // does a device that lost its publisher.
    if (!m_passReachedEnd || !Publisher() || !JobOpen()) {
        m_copiesRemaining = 1;
        return true;
    }
    --m_copiesRemaining;
    m_passReachedEnd = false;
    PageRequest().Assign(m_jobRequest);
    {
        FlagScope pass(m_runningFurtherPass);
        RequestPages();
    }
    return false;
}

TppDiscardOutcome TppPrinterDevice::DiscardJob()
{
    AbandonJob();
    switch (m_printer->WithdrawDoc()) {
    case platform::Withdrawal::Withdrawn:
        return TppDiscardOutcome::Withdrawn;
    case platform::Withdrawal::TooLate:
        return TppDiscardOutcome::AlreadyPrinted;
    case platform::Withdrawal::NothingHandedOver:
        break;
    }
    return TppDiscardOutcome::NothingDelivered;
}

// The engine's yield, through the publisher: the status lines let no events
// in, so the user can cancel only where the job lets them in.
void TppPrinterDevice::YieldToOwner()
{
    if (Publisher())
        Publisher()->Yield();
}

void TppPrinterDevice::WhenJobFollowed(platform::JobFollowed followed)
{
    m_printer->WhenJobFollowed(std::move(followed));
}

// Ends the document with every page sent, even when that fails, and closes
// the job; a printer error continues to the caller.
void TppPrinterDevice::EndDocument()
{
    m_copiesRemaining = 1;
    ShowLastCopyStatus();
    // The user may still cancel with the last line shown, before the
    // document is handed over.
    YieldToOwner();
    if (!JobOpen())
        return;
    try {
        m_printer->EndDoc();
    } catch (...) {
        m_canvas = nullptr;
        PageRequest().Assign(m_jobRequest);
        TppRasterDevice::CloseJob();
        throw;
    }
    m_canvas = nullptr;
    PageRequest().Assign(m_jobRequest);
    TppRasterDevice::CloseJob();
}

// --- Pages -----------------------------------------------------------------

void TppPrinterDevice::SetStatusText(const std::string &text)
{
    TppRasterDevice::SetStatusText(text);
    TppStatusWindow *window = StatusWindow();
    if (!window || window->StatusText() == text)
        return;
    window->SetStatusText(text);
    window->StatusChanged();
}

std::string TppPrinterDevice::TargetName() const
{
    return m_printer->PrinterDisplayName();
}

void TppPrinterDevice::ShowPageStatus(const TppPage &page)
{
    const std::string pageNo = std::to_string(page.AbsolutePageNo());
    const std::string printerName = TargetName();
    if (Publisher() && Publisher()->LastPageKnown()) {
        const std::string pageCount = std::to_string(page.AbsolutePageCount());
        SetStatusText(FormatLibraryText(ltPrintingPageOf, LanguageIndex(), {pageNo, pageCount, page.DocumentName(), printerName}));
    } else if (!SuppressPage()) {
        // While the count is unknown, a page that is not printed leaves the
        // line as it is.
        SetStatusText(FormatLibraryText(ltPrintingPage, LanguageIndex(), {pageNo, page.DocumentName(), printerName}));
    }
}

void TppPrinterDevice::ShowCopyStatus(const TppPage &page, int copy, int copies)
{
    const std::string pageNo = std::to_string(page.AbsolutePageNo());
    const std::string copyNo = std::to_string(copy);
    const std::string copyCount = std::to_string(copies);
    if (Publisher() && Publisher()->LastPageKnown()) {
        const std::string pageCount = std::to_string(page.AbsolutePageCount());
        m_copyStatus = FormatLibraryText(ltPrintingCopyOf, LanguageIndex(),
                                         {pageNo, pageCount, copyNo, copyCount, page.DocumentName(), TargetName()});
    } else {
        m_copyStatus = FormatLibraryText(ltPrintingCopy, LanguageIndex(),
                                         {pageNo, copyNo, copyCount, page.DocumentName(), TargetName()});
    }
    const auto now = std::chrono::steady_clock::now();
    if (m_copyStatusShown && now - m_copyStatusShownAt < kCopyStatusInterval)
        return;
    m_copyStatusShown = true;
    m_copyStatusShownAt = now;
    SetStatusText(std::exchange(m_copyStatus, {}));
}

void TppPrinterDevice::ShowLastCopyStatus()
{
    // The last copies went by faster than their lines are shown: the line
    // says how far the job got while its document is handed over.
    if (!m_copyStatus.empty())
        SetStatusText(std::exchange(m_copyStatus, {}));
}

int TppPrinterDevice::CollatedCopyNo(int copies) const
{
    // The count of copies remaining is taken when the first page starts.
    if (m_firstPageOfJob)
        return 1;
    return std::clamp(copies - m_copiesRemaining + 1, 1, copies);
}

void TppPrinterDevice::AcceptPage(TppPage &page)
{
    TppRasterDevice::AcceptPage(page);
    if (page.Final() && !page.Calculation() && (page.LastPage() || !WantsPages()))
        m_passReachedEnd = true;
    if (!JobOpen() || !PageWanted())
        return;
    const bool collation = m_printer->PrinterSetup().Collation();
    const int copies = std::max(1, collation ? m_printer->PrinterSetup().Copies() : page.PrinterSetup().Copies());
    // A page not printed leaves the line of the copy in the works.
    if (copies == 1)
        ShowPageStatus(page);
    if (SuppressPage())
        return;
    // The copy whose line is showing when the user cancels is finished;
    // none is started after it.
    const int outputs = collation ? 1 : copies;
    for (int output = 0; output < outputs; ++output) {
        if (copies > 1) {
            ShowCopyStatus(page, collation ? CollatedCopyNo(copies) : output + 1, copies);
            // The engine makes no band meanwhile.
            YieldToOwner();
        }
        if (!JobOpen())
            return;
        StartPage(page);
        DrawPageCommands(page);
        EndPage();
    }
}

void TppPrinterDevice::StartPage(TppPage &page)
{
    if (m_firstPageOfJob) {
        if (m_printer->PrinterSetup().Collation())
            m_copiesRemaining = m_printer->PrinterSetup().Copies();
        m_firstPageOfJob = false;
    }
    // A page may bring its own paper or orientation.
    m_printer->SetPrinterSetup(page.PrinterSetup());
    m_printer->NewPage();
    m_canvas = m_printer->Canvas();
    const TppPrintableOffsets offsets = m_printer->PrintableOffsets();
    m_printerOffsetX = -offsets.Left;
    m_printerOffsetY = -offsets.Top;
}

void TppPrinterDevice::EndPage()
{
    m_printer->EndPage();
}

// --- Commands --------------------------------------------------------------

int TppPrinterDevice::PrinterPixels(std::int32_t thousandths, bool horizontal) const
{
    return int(std::trunc(MMThousandthsToUnits(thousandths, utPrinterPixels,
                                               horizontal ? raHorizontal : raVertical, m_printer.get())));
}

int TppPrinterDevice::ScreenToPrinterPixels(int screenPixels, bool horizontal) const
{
    return int(std::trunc(ScreenPixelsToUnits(screenPixels, utPrinterPixels,
                                              horizontal ? raHorizontal : raVertical, m_printer.get())));
}

void TppPrinterDevice::ComputeDeviceBounds(TppDrawCommand &command) const
{
    TppDeviceRect bounds;
    bounds.Left = PrinterPixels(command.Left(), true) + m_printerOffsetX;
    bounds.Top = PrinterPixels(command.Top(), false) + m_printerOffsetY;
    bounds.Right = PrinterPixels(command.Left() + command.Width(), true) + m_printerOffsetX;
    bounds.Bottom = PrinterPixels(command.Top() + command.Height(), false) + m_printerOffsetY;
    command.SetDeviceBounds(bounds);
}

bool TppPrinterDevice::RenderCommand(TppDrawCommand &command)
{
    if (!m_canvas)
        return false;
    ComputeDeviceBounds(command);
    if (auto *text = dynamic_cast<TppDrawText *>(&command)) {
        DrawText(*text);
        return true;
    }
    if (auto *shape = dynamic_cast<TppDrawShape *>(&command)) {
        DrawShape(*shape);
        return true;
    }
    if (auto *line = dynamic_cast<TppDrawLine *>(&command)) {
        DrawLine(*line);
        return true;
    }
    if (auto *image = dynamic_cast<TppDrawImage *>(&command)) {
        DrawPicture(*image);
        return true;
    }
    return false;
}

void TppPrinterDevice::DrawShape(TppDrawShape &shape)
{
    TppPen pen = shape.Pen();
    pen.Width = pen.Width == 0 ? 1 : ScreenToPrinterPixels(pen.Width, true);
    m_canvas->SetPen(pen);
    m_canvas->SetBrush(shape.Brush());
    const platform::CanvasRect bounds = ToCanvasRect(shape.DeviceBounds());
    switch (shape.ShapeType()) {
    case stRectangle:
        if (shape.Brush().Style == bsClear) {
            // Outline only: some drivers fill a rectangle whatever the brush.
            m_canvas->Polyline({{bounds.left, bounds.top},
                                {bounds.right, bounds.top},
                                {bounds.right, bounds.bottom},
                                {bounds.left, bounds.bottom},
                                {bounds.left, bounds.top}});
        } else {
            m_canvas->Rectangle(bounds);
        }
        break;
    case stRoundRect:
        m_canvas->RoundRect(bounds, PrinterPixels(shape.XCornerRound(), true),
                            PrinterPixels(shape.YCornerRound(), false));
        break;
    case stEllipse:
        m_canvas->Ellipse(bounds);
        break;
    default:
        break;
    }
}

void TppPrinterDevice::DrawLine(TppDrawLine &line)
{
    const TppLinePositionType position = line.LinePosition();
    const bool vertical = position == lpLeft || position == lpRight;
    const int ppi = vertical ? m_printer->ResolutionX() : m_printer->ResolutionY();
    const int thickness = std::max(1, NearestPixel(double(line.Weight()) * ppi / 72.0));

    TppPen pen = line.Pen();
    pen.Width = 1;
    m_canvas->SetPen(pen);

    std::vector<int> bandOffsets{0};
    if (line.LineStyle() == lsDouble) {
        // A zero-width pen spaces the bands by two screen pixels.
        bandOffsets.push_back(line.Pen().Width == 0 ? ScreenToPrinterPixels(2, !vertical) : 2 * thickness);
    }
    const TppDeviceRect &b = line.DeviceBounds();
    for (const int offset : bandOffsets) {
        for (int k = 0; k < thickness; ++k) {
            const int step = offset + k;
            switch (position) {
            case lpTop:
                m_canvas->Line({b.Left, b.Top + step}, {b.Right, b.Top + step});
                break;
            case lpBottom:
                m_canvas->Line({b.Left, b.Bottom - step}, {b.Right, b.Bottom - step});
                break;
            case lpLeft:
                m_canvas->Line({b.Left + step, b.Top}, {b.Left + step, b.Bottom});
                break;
            case lpRight:
                m_canvas->Line({b.Right - step, b.Top}, {b.Right - step, b.Bottom});
                break;
            }
        }
    }
}

void TppPrinterDevice::DrawText(TppDrawText &text)
{
    // The command's font as it is: a printer needs no screen substitutes and
    // no fitting; its canvas measures the lines as they were laid out.
    platform::Canvas &canvas = *m_canvas;
    if (!SameLook(canvas.Font(), text.Font()))
        canvas.SetFont(text.Font());
    TppTextLineDrawing drawing{.canvas = canvas};
    if (text.IsMemo() && !text.TabStopPositions().empty())
        drawing.tabStops = TppPlainTextLines::ConvertTabStops(text.TabStopPositions(), m_printer.get());
    const platform::CanvasFontMetrics metrics = canvas.FontMetrics();
    drawing.lineHeight = metrics.height
        + (text.IsMemo() ? PrinterPixels(text.Leading(), false) : metrics.externalLeading);
    DrawTextLines(text, drawing);
}

// --- Pictures --------------------------------------------------------------

platform::CanvasRect TppPrinterDevice::PictureTarget(const TppDrawImage &image) const
{
    const platform::CanvasRect bounds = ToCanvasRect(image.DeviceBounds());
    const int w = bounds.Width();
    const int h = bounds.Height();
    const int pictureWidth = ScreenToPrinterPixels(image.Picture().Width(), true);
    const int pictureHeight = ScreenToPrinterPixels(image.Picture().Height(), false);
    if (image.Stretch()) {
        if (!image.MaintainAspectRatio())
            return bounds;
        const double scale = pictureWidth <= 0 || pictureHeight <= 0
            ? 0.0
            : std::min(double(w) / pictureWidth, double(h) / pictureHeight);
        const int width = int(std::trunc(pictureWidth * scale));
        const int height = int(std::trunc(pictureHeight * scale));
        platform::CanvasRect target{bounds.left, bounds.top, bounds.left + width, bounds.top + height};
        if (image.Center()) {
            const int dx = (w - width) / 2;
            const int dy = (h - height) / 2;
            target = {target.left + dx, target.top + dy, target.right + dx, target.bottom + dy};
        }
        return target;
    }
    platform::CanvasRect target{bounds.left, bounds.top, bounds.left + pictureWidth, bounds.top + pictureHeight};
    if (image.Center()) {
        const int dx = (w - pictureWidth) / 2;
        const int dy = (h - pictureHeight) / 2;
        target = {target.left + dx, target.top + dy, target.right + dx, target.bottom + dy};
    }
    return target;
}

void TppPrinterDevice::DrawPicture(TppDrawImage &image)
{
    const TppPicture &picture = image.Picture();
    if (picture.IsEmpty() || picture.Width() <= 0 || picture.Height() <= 0)
        return;
    const platform::CanvasRect target = PictureTarget(image);
    // An unstretched picture keeps to its rectangle.
    const bool clipped = !image.Stretch();
    if (clipped)
        m_canvas->SetClipRect(ToCanvasRect(image.DeviceBounds()));
    // A JPEG goes to a device that stores encodings itself (a PDF) as its
    // own bytes: nothing decoded, nothing compressed again.
    const TppPictureSource *jpeg = picture.Kind() == gkJpeg && !image.Transparent()
        ? PaperSource(picture, target, m_printer->ResolutionX(), m_printer->ResolutionY())
        : nullptr;
    try {
        if (jpeg && m_canvas->DrawEncodedPicture(target, picture.Kind(), *jpeg)) {
            // drawn as it is
        } else if (picture.Kind() == gkBitmap) {
            // Only one-bit bitmaps may go straight to a printer; the engine's
            // bitmaps are 32-bit, never monochrome.
            DrawPictureAsBitmap(image, target);
        } else if (image.DirectDraw()) {
            DrawPictureDirect(image, target);
        } else if (image.AsBitmap()) {
            DrawPictureAsBitmap(image, target);
        } else {
            DrawPictureViaMemoryCanvas(image, target);
        }
    } catch (...) {
        if (clipped)
            m_canvas->RemoveClipping();
        throw;
    }
    if (clipped)
        m_canvas->RemoveClipping();
}

const TppBitmap *TppPrinterDevice::FinerPicturePixels(const TppDrawImage &image,
                                                      const platform::CanvasRect &target)
{
    const TppPictureSource *source
        = PaperSource(image.Picture(), target, m_printer->ResolutionX(), m_printer->ResolutionY());
    if (!source || source->Scale == 1)
        return nullptr;
    return m_decodedPictures.Pixels(image.Picture().Kind(), *source);
}

void TppPrinterDevice::DrawPictureAsBitmap(TppDrawImage &image, const platform::CanvasRect &target)
{
    // The finest pixels the paper can use, else the picture's own.
    const TppBitmap *bitmap = FinerPicturePixels(image, target);
    if (!bitmap)
        bitmap = image.AsBitmap();
    if (!bitmap)
        return;
    // White stays unprinted on a transparent picture.
    m_canvas->StretchBitmap(target, *bitmap, image.Transparent() ? platform::CopyMode::And : platform::CopyMode::Copy);
}

void TppPrinterDevice::DrawPictureViaMemoryCanvas(TppDrawImage &image, const platform::CanvasRect &target)
{
    // Graphics without pixels of their own (metafiles, icons) are rendered
    // onto a white sheet of the command's size, which is then copied.
    const platform::CanvasRect bounds = ToCanvasRect(image.DeviceBounds());
    if (bounds.Width() <= 0 || bounds.Height() <= 0 || target.Width() <= 0 || target.Height() <= 0)
        return;
    TppBitmap rendered;
    try {
        rendered = platform::RenderPicture(image.Picture(), target.Width(), target.Height());
    } catch (const TppPictureError &) {
        return;
    }
    TppBitmap sheet;
    sheet.Width = bounds.Width();
    sheet.Height = bounds.Height();
    sheet.Pixels.assign(std::size_t(sheet.Width) * std::size_t(sheet.Height), 0xFFFFFFFFu);
    for (int y = 0; y < rendered.Height; ++y) {
        const int sheetY = target.top - bounds.top + y;
        if (sheetY < 0 || sheetY >= sheet.Height)
            continue;
        for (int x = 0; x < rendered.Width; ++x) {
            const int sheetX = target.left - bounds.left + x;
            if (sheetX >= 0 && sheetX < sheet.Width)
                sheet.Pixels[std::size_t(sheetY) * sheet.Width + sheetX] = rendered.PixelAt(x, y);
        }
    }
    m_canvas->StretchBitmap(bounds, sheet, image.Transparent() ? platform::CopyMode::And : platform::CopyMode::Copy);
}

void TppPrinterDevice::DrawPictureDirect(TppDrawImage &image, const platform::CanvasRect &target)
{
    // The graphic at its own pixel size, stretched by the printer: a picture
    // keeps all its detail on paper without being enlarged in memory first.
    const TppPicture &picture = image.Picture();
    TppBitmap bitmap;
    try {
        bitmap = platform::RenderPicture(picture, picture.Width(), picture.Height());
    } catch (const TppPictureError &) {
        return;
    }
    m_canvas->StretchBitmap(target, bitmap, image.Transparent() ? platform::CopyMode::And : platform::CopyMode::Copy);
}
