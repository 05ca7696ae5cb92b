#pragma once

#include <cstdint>

class TppPage;

namespace platform {
class Canvas;
}

// Band-kind bits of the engine's band-kind state: which kinds may print now.
// The page style has no bit: it prints on every page.
enum TppBandKind : std::uint16_t {
    bkNone = 0,
    bkTitle = 1,
    bkSummary = 2,
    bkHeader = 4,
    bkFooter = 8,
    bkColumnHeader = 16,
    bkColumnFooter = 32,
    bkGroupHeader = 64,
    bkGroupFooter = 128,
    bkDetail = 256,
};
// A set of TppBandKind bits.
using TppBandKinds = std::uint16_t;

// What a band reads and writes of the page being generated: the engine's
// current print position, its page numbers and pass, the page itself. The
// banded engine implements it; tests may drive a band with one of their own.
class TppBandContext
{
public:
    virtual ~TppBandContext() = default;

    // Next free position on the page (thousandths from the paper's corner).
    virtual std::int32_t CurrentPrintLeft() const = 0;
    virtual void SetCurrentPrintLeft(std::int32_t value) = 0;
    virtual std::int32_t CurrentPrintTop() const = 0;
    virtual void SetCurrentPrintTop(std::int32_t value) = 0;
    virtual std::int32_t PrintWidth() const = 0;
    virtual void SetPrintWidth(std::int32_t value) = 0;
    // Paper height - bottom margin - heights of the visible column footer
    // and footer bands.
    virtual std::int32_t PageBottom() const = 0;

    // Whether a kind (TppBandKind bit) may print now.
    virtual bool BandKindActive(TppBandKind kind) const = 0;

    // The page is wanted by the request: components create draw commands.
    virtual bool OutputPage() const = 0;
    // The page being filled.
    virtual TppPage *Page() const = 0;
    // This page number was never generated before (a page generated again
    // from the state cache answers False).
    virtual bool FirstGenerationOfPage() const = 0;

    virtual std::int32_t PageNo() const = 0;
    virtual std::int32_t PageCount() const = 0;
    virtual bool CountKnown() const = 0;
    virtual bool FirstPass() const = 0;
    virtual bool SecondPass() const = 0;
    virtual bool TwoPass() const = 0;

    virtual bool DataFinished() const = 0;
    virtual void SetDataFinished(bool value) = 0;
    virtual bool ReportComplete() const = 0;
    virtual void SetReportComplete(bool value) = 0;
    virtual bool Cancelled() const = 0;

    // The page already holds a body band (memos that keep together read it).
    virtual bool PageHoldsBodyBand() const = 0;

    // The report printer's canvas text is measured on; none measures on a
    // screen bitmap.
    virtual platform::Canvas *MeasuringCanvas() const = 0;
};
