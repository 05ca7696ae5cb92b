#pragma once

#include "output/page_request.h"
#include "report/band_context.h"
#include "report/cacheable.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class TppBand;
class TppCustomReport;
class TppPage;

// The lists the engine sorts the report's bands into, in visiting order.
enum TppBandListIndex : int {
    blPageStyle = 0,
    blHeader = 1,
    blTitle = 2,
    blColumnHeader = 3,
    blGroupHeader = 4,
    blDetail = 5,
    blGroupFooter = 6,
    blSummary = 7,
    blColumnFooter = 8,
    blFooter = 9,
};
inline constexpr int kBandListCount = 10;

// Page generation state of a report, read by the report, its bands and the
// devices. The bands read and move the current print position and mark the
// data finished (TppBandContext); the banded engine below runs the
// generation.
class TppCustomEngine : public TppCacheable, public TppBandContext {
public:
    explicit TppCustomEngine(TppCustomReport *report);
    ~TppCustomEngine() override;

    const char *ClassName() const override { return "TppCustomEngine"; }
    TppCustomReport *Report() const override { return m_report; }

    // Forgets every generated page: the next page request starts the report
    // from its first page. Ignored while a request is being processed.
    virtual void Reset();
    // How often the engine was reset; lets callers see that a change reached it.
    int ResetCount() const { return m_resetCount; }

    std::int32_t PageNo() const override { return m_pageNo; }
    std::int32_t PageCount() const override { return m_pageCount; }
    std::int32_t AbsolutePageNo() const { return m_pageNo; }
    std::int32_t AbsolutePageCount() const { return m_pageCount; }
    // The last page has been generated once: PageCount is final.
    bool CountKnown() const override { return m_countKnown; }
    bool Started() const { return m_started; }
    bool FirstPass() const override { return m_firstPass; }
    bool SecondPass() const override { return m_secondPass; }
    bool TwoPass() const override;
    // The current request needs no further page.
    bool DonePrinting() const { return m_donePrinting; }
    // The moment the report was started, in days since 30 December 1899.
    double PrintDateTime() const { return m_printDateTime; }

    // The next free position on the page, in thousandths from the paper's
    // top-left corner, and the width bands may use.
    std::int32_t CurrentPrintLeft() const override { return m_printLeft; }
    void SetCurrentPrintLeft(std::int32_t value) override { m_printLeft = value; }
    std::int32_t CurrentPrintTop() const override { return m_printTop; }
    void SetCurrentPrintTop(std::int32_t value) override { m_printTop = value; }
    std::int32_t PrintWidth() const override { return m_printWidth; }
    void SetPrintWidth(std::int32_t value) override { m_printWidth = value; }
    // Paper height less the bottom margin and the heights of the visible
    // column footer and footer bands. Throws std::logic_error without a
    // report.
    std::int32_t PageBottom() const override;

    TppBandKinds BandKinds() const { return m_bandKinds; }
    bool BandKindActive(TppBandKind kind) const override { return (m_bandKinds & kind) != 0; }
    void AddBandKind(TppBandKind kind) { m_bandKinds |= kind; }
    void RemoveBandKind(TppBandKind kind) { m_bandKinds &= TppBandKinds(~kind); }
    // The kind bit of a band's class (0 for none).
    static TppBandKind KindOf(const TppBand &band);

    // The page being generated is wanted by the request: only then do
    // components create draw commands.
    bool OutputPage() const override { return m_outputPage; }
    // Only while a page is being generated.
    bool FirstGenerationOfPage() const override { return m_busy && m_firstGeneration; }
    // No more records: the detail band will not print again.
    bool DataFinished() const override { return m_dataFinished; }
    void SetDataFinished(bool value) override { m_dataFinished = value; }
    // The last band of the report has been generated.
    bool ReportComplete() const override { return m_reportComplete; }
    void SetReportComplete(bool value) override { m_reportComplete = value; }
    // The page cannot take more bands.
    bool PageFull() const { return m_pageFull; }
    // A band other than title and page headers has been generated on this page
    // (memos that keep together read it).
    bool PageHoldsBodyBand() const override { return m_pageHoldsBodyBand; }

    bool Busy() const { return m_busy; }
    // Lets a failed request leave the engine resettable.
    void ClearBusy() { m_busy = false; }
    bool Cancelled() const override { return m_cancelled; }
    // Stops generation at the next band or page boundary.
    void Cancel() { m_cancelled = true; }

    // The page being filled; owned by the engine.
    TppPage *Page() const override { return m_page.get(); }
    // The band being generated, or none.
    TppBand *CurrentBand() const { return m_currentBand; }

    // The report printer's canvas; none (a screen bitmap) without a printer.
    platform::Canvas *MeasuringCanvas() const override;

    // The engine's own items of the page state (see TppCacheable).
    std::unique_ptr<TppGenerationState> SaveState() const override;
    void RestoreState(const TppGenerationState &state) override;

protected:
    struct State {
        bool started = false;
        bool dataFinished = false;
        TppBandKinds bandKinds = 0;
        int list = blTitle;
        int index = 0;
        friend bool operator==(const State &, const State &) = default;
    };

    TppCustomReport *m_report;
    std::unique_ptr<TppPage> m_page;
    std::int32_t m_pageNo = 0;
    std::int32_t m_pageCount = 0;
    bool m_countKnown = false;
    bool m_started = false;
    bool m_firstPass = false;
    bool m_secondPass = false;
    bool m_donePrinting = false;
    double m_printDateTime = 0;
    std::int32_t m_printLeft = 0;
    std::int32_t m_printTop = 0;
    std::int32_t m_printWidth = 0;
    TppBandKinds m_bandKinds = 0;
    bool m_outputPage = false;
    bool m_firstGeneration = false;
    bool m_dataFinished = false;
    bool m_reportComplete = false;
    bool m_pageFull = false;
    bool m_pageHoldsBodyBand = false;
    bool m_busy = false;
    bool m_cancelled = false;
    // Where the body resumes on the next page.
    int m_positionList = blTitle;
    int m_positionIndex = 0;
    TppBand *m_currentBand = nullptr;

private:
    int m_resetCount = 0;
};

// The banded page generator: lays the report's bands out into pages for a
// page request, handing each page to the report's publisher.
class TppEngine : public TppCustomEngine {
public:
    using TppCustomEngine::TppCustomEngine;
    const char *ClassName() const override { return "TppEngine"; }

    // Generates pages until the request is done, the report is complete or the
    // engine is cancelled. Returns at once while a request is being processed.
    void GeneratePages(const TppPageRequest &request);

    // The request being processed (a copy).
    const TppPageRequest &Request() const { return m_request; }

    // The engine's yield after each band and page: window messages are let
    // in where the publisher's owner says (a running print job, or the
    // report), so that the cancel button works; only when the report
    // enables it.
    void ProcessMessages() const;

private:
    void PageLoop();
    void Start();
    void BuildBandLists();
    void MarkPass();
    void GeneratePage(std::int32_t pageNo);
    void SetUpPage(std::int32_t pageNo);
    void GenerateBody();
    // Answers whether the list ran to its end without filling the page.
    bool GenerateList(int list, int start, bool remember);
    void EndPage();
    void RemoveBandsNotOnLastPage();
    void FillPageHeader();
    void PublishPage();
    bool DecideOutputPage(std::int32_t pageNo) const;
    void FireStartPass();
    void FireEndPass();

    // Page choice: the page to generate first and after each page, 0 when the
    // request is done.
    std::int32_t FirstPageToGenerate();
    std::int32_t NextPageToGenerate(std::int32_t generated);
    std::int32_t NextListTarget();
    std::int32_t PageTowards(std::int32_t target) const;

    void SaveStates(std::int32_t pageNo);
    void RestoreStates(std::int32_t pageNo);
    std::int32_t LastSavedPage() const;
    TppBand *LastBodyBand() const;
    void CheckRoomOnEmptyPage(const TppBand &band);

    TppPageRequest m_request;
    std::array<std::vector<TppBand *>, kBandListCount> m_bandLists;
    int m_currentList = blTitle;
    // The page a single-page, page-list or last-page request is heading for.
    std::int32_t m_target = 0;
    std::size_t m_listEntry = 0;
    bool m_firstPassStarted = false;
    bool m_firstPassEnded = false;
    bool m_secondPassStarted = false;
    bool m_secondPassEnded = false;
    // A body band printed on this page, and in the current round of the body.
    bool m_bodyPrintedOnPage = false;
    bool m_bodyPrintedInRound = false;
    // Pages in a row on which a body band found no room on an empty body.
    int m_pagesWithoutRoom = 0;
};
