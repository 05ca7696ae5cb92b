#include "report/label.h"

#include "output/printer.h"
#include "output/printer_list.h"
#include "report/custom_report.h"
#include "report/plain_text.h"

namespace {

platform::CanvasTextFlags AlignmentFlag(TppAlignment alignment)
{
    switch (alignment) {
    case taRightJustify: return platform::ctfRight;
    case taCenter: return platform::ctfCenter;
    default: return platform::ctfLeft;
    }
}

} // namespace

TppLabel::TppLabel() : TppCustomText(65, 17)
{
    TppCustomText::SetAutoSize(true);
}

void TppLabel::SetTextAlignment(TppTextAlignment value)
{
    // One line of text cannot be spread over its width.
    if (value == taFullJustified)
        return;
    TppCustomText::SetTextAlignment(value);
}

void TppLabel::SetCaption(const std::string &value)
{
    const bool changed = value != Caption();
    TppCustomText::SetCaption(value);
    if (changed && AutoSize())
        Measure();
}

void TppLabel::SetFont(const TppFont &font)
{
    TppCustomText::SetFont(font);
    Measure();
}

void TppLabel::SetAutoSize(bool value)
{
    TppCustomText::SetAutoSize(value);
    Measure();
}

void TppLabel::SetWordWrap(bool value)
{
    TppCustomText::SetWordWrap(value);
    Measure();
}

std::string TppLabel::PrintText()
{
    std::string text = Caption();
    if (OnGetText)
        OnGetText(*this, text);
    return text;
}

void TppLabel::Measure()
{
    if (IsReading())
        return;
    if (const TppCustomReport *report = Report(); report && report->Printing())
        return;
    if (!AutoSize() && WordWrap())
        return;

    // The report's printer measures at its own resolution; without one, a
    // screen bitmap at the screen's.
    TppPrinter *printer = TppPrinterList::Instance().SharedMeasuringPrinter();
    platform::Canvas *printerCanvas = TppPlainText::MeasuringCanvasOf(printer);
    std::unique_ptr<platform::Canvas> screenCanvas;
    platform::Canvas *canvas = printerCanvas;
    const TppResolutionSource *resolution = printer;
    TppUnitType pixels = utPrinterPixels;
    if (!canvas) {
        screenCanvas = platform::CreateScreenBitmapCanvas();
        canvas = screenCanvas.get();
        resolution = nullptr;
        pixels = utScreenPixels;
    }
    const auto toPixels = [&](std::int32_t value, TppResolutionAxis axis) {
        return int(MMThousandthsToUnits(value, pixels, axis, resolution));
    };
    const auto toThousandths = [&](int value, TppResolutionAxis axis) {
        return UnitsToMMThousandths(float(value), pixels, axis, resolution);
    };

    canvas->SetFont(Font());
    platform::CanvasTextFlags flags = platform::ctfExpandTabs | platform::ctfExternalLeading
        | AlignmentFlag(Alignment());
    if (WordWrap())
        flags |= platform::ctfWordBreak;
    const platform::CanvasRect bounds{0, 0, toPixels(mmWidth(), raHorizontal),
                                      toPixels(mmHeight(), raVertical)};
    const platform::CanvasRect measured = canvas->CalcTextRect(bounds, Caption(), flags);
    const std::int32_t width = toThousandths(measured.Width(), raHorizontal);
    const std::int32_t height = toThousandths(measured.Height(), raVertical);

    if (!AutoSize()) {
        SetBounds(mmLeft(), mmTop(), mmWidth(), height);
        return;
    }
    std::int32_t left = mmLeft();
    if (Alignment() == taRightJustify)
        left += mmWidth() - width;
    else if (Alignment() == taCenter)
        left += (mmWidth() - width) / 2;
    SetBounds(left, mmTop(), width, height);
}
