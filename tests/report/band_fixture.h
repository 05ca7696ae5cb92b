#pragma once

// A Letter report with 6350 margins and a hand-driven page: what the engine
// would give a band, set up without the engine, so that one band call can be
// looked at on its own. Text is measured on the test queue ValdoraPDF.

#include "output/page.h"
#include "output/printer.h"
#include "report/band_context.h"
#include "report/band_kinds.h"
#include "report/plain_text.h"
#include "report/report.h"

#include <memory>
#include <stdexcept>

inline TppFont Arial10()
{
    TppFont font;
    font.SetName("Arial");
    font.SetSize(10);
    font.SetColor(clBlack);
    return font;
}

class TestBandContext : public TppBandContext
{
public:
    std::int32_t printLeft = 6350;
    std::int32_t printTop = 6350;
    std::int32_t printWidth = 215900 - 2 * 6350;
    std::int32_t pageBottom = 279401 - 6350;
    TppBandKinds kinds = bkHeader | bkFooter | bkDetail | bkGroupHeader;
    bool outputPage = true;
    bool firstGeneration = true;
    std::int32_t pageNo = 1;
    std::int32_t pageCount = 1;
    bool countKnown = false;
    bool firstPass = true;
    bool secondPass = false;
    bool twoPass = false;
    bool dataFinished = false;
    bool reportComplete = false;
    bool cancelled = false;
    bool holdsBody = false;
    platform::Canvas *canvas = nullptr;
    std::unique_ptr<TppPage> page = std::make_unique<TppPage>();

    std::int32_t CurrentPrintLeft() const override { return printLeft; }
    void SetCurrentPrintLeft(std::int32_t value) override { printLeft = value; }
    std::int32_t CurrentPrintTop() const override { return printTop; }
    void SetCurrentPrintTop(std::int32_t value) override { printTop = value; }
    std::int32_t PrintWidth() const override { return printWidth; }
    void SetPrintWidth(std::int32_t value) override { printWidth = value; }
    std::int32_t PageBottom() const override { return pageBottom; }
    bool BandKindActive(TppBandKind kind) const override { return (kinds & kind) != 0; }
    bool OutputPage() const override { return outputPage; }
    TppPage *Page() const override { return page.get(); }
    bool FirstGenerationOfPage() const override { return firstGeneration; }
    std::int32_t PageNo() const override { return pageNo; }
    std::int32_t PageCount() const override { return pageCount; }
    bool CountKnown() const override { return countKnown; }
    bool FirstPass() const override { return firstPass; }
    bool SecondPass() const override { return secondPass; }
    bool TwoPass() const override { return twoPass; }
    bool DataFinished() const override { return dataFinished; }
    void SetDataFinished(bool value) override { dataFinished = value; }
    bool ReportComplete() const override { return reportComplete; }
    void SetReportComplete(bool value) override { reportComplete = value; }
    bool Cancelled() const override { return cancelled; }
    bool PageHoldsBodyBand() const override { return holdsBody; }
    platform::Canvas *MeasuringCanvas() const override { return canvas; }
};

// The report, its bands created on demand, and the page context.
class LetterReport
{
public:
    LetterReport()
    {
        TppPrinterSetup &setup = report.PrinterSetup();
        setup.SetmmPaperWidth(215900);
        setup.SetmmPaperHeight(279401);
        setup.SetmmMarginLeft(6350);
        setup.SetmmMarginTop(6350);
        setup.SetmmMarginRight(6350);
        setup.SetmmMarginBottom(6350);
        printer.SetPrinterName("ValdoraPDF");
        if (printer.PrinterDisplayName() != "ValdoraPDF")
            throw std::runtime_error("the test queue ValdoraPDF is missing: start the test services");
        context.canvas = TppPlainText::MeasuringCanvasOf(&printer);
    }

    template <typename Band>
    Band &Add()
    {
        return static_cast<Band &>(*report.AddBand(std::make_unique<Band>()));
    }

    template <typename Component>
    Component &Place(TppBand &band, std::int32_t left, std::int32_t top, std::int32_t width,
                     std::int32_t height)
    {
        auto owned = std::make_unique<Component>();
        Component &component = *owned;
        band.AddObject(std::move(owned));
        component.SetBounds(left, top, width, height);
        return component;
    }

    // The engine's page set-up for the next page.
    void NextPage()
    {
        ++context.pageNo;
        context.pageCount = std::max(context.pageCount, context.pageNo);
        StartPage();
    }

    void StartPage()
    {
        context.printTop = 6350;
        context.holdsBody = false;
        context.page->ClearDrawCommands();
        for (int i = 0; i < report.BandCount(); ++i)
            report.Bands(i)->BeginPage(context.outputPage);
    }

    void ResetAll()
    {
        for (int i = 0; i < report.BandCount(); ++i)
            report.Bands(i)->ResetGeneration();
        StartPage();
    }

    TppReport report;
    TppPrinter printer;
    TestBandContext context;
};
