#include "report/label.h"

#include "output/printer_list.h"
#include "report/custom_report.h"
#include "report/length_arithmetic.h"
#include "report/plain_text.h"
#include "report/text_measuring.h"

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
    if (const TppCustomReport *owner = Report(); owner && owner->Printing())
        return;
    if (!AutoSize() && WordWrap())
        return;

    // The report's printer measures at its own resolution; a label outside
    // a report uses the shared measuring printer; without either, a screen
    // bitmap at the screen's.
    TppCustomReport *report = Report();
    platform::Canvas *printerCanvas = report
        ? report->MeasuringCanvas()
        : TppPlainText::MeasuringCanvasOf(TppPrinterList::Instance().SharedMeasuringPrinter());
    TppTextMeasuring measuring(printerCanvas);
    platform::Canvas *canvas = &measuring.Canvas();
    const auto toPixels = [&](std::int32_t value, TppResolutionAxis axis) {
        return measuring.ThousandthsToPixels(value, axis);
    };
    const auto toThousandths = [&](int value, TppResolutionAxis axis) {
        return measuring.PixelsToThousandths(value, axis);
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
        left = lengths::Add(left, lengths::Subtract(mmWidth(), width));
    else if (Alignment() == taCenter)
        left = lengths::Add(left, lengths::Subtract(mmWidth(), width) / 2);
    SetBounds(left, mmTop(), width, height);
}
