#include "report/engine.h"

#include "output/page.h"
#include "output/publisher.h"
#include "report/band.h"
#include "report/band_kinds.h"
#include "report/custom_report.h"
#include "report/length_arithmetic.h"
#include "report/print_error.h"
#include "report/state_cache.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <ctime>
#include <stdexcept>

namespace {

// Local time as days since 30 December 1899, the fraction the time of day.
double CurrentDateTime()
{
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    const auto millis = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    // Days from 1899-12-30 to 1970-01-01.
    constexpr double kUnixEpochDays = 25569.0;
    const std::time_t asUtc = timegm(&local);
    return kUnixEpochDays + (double(asUtc) + double(millis) / 1000.0) / 86400.0;
}

// A page-list entry as a page number; 0 for anything that is not one.
std::int32_t PageNumberOf(const std::string &entry)
{
    std::int32_t value = 0;
    const char *end = entry.data() + entry.size();
    const auto result = std::from_chars(entry.data(), end, value);
    return result.ec == std::errc() && result.ptr == end ? value : 0;
}

} // namespace

TppCustomEngine::TppCustomEngine(TppCustomReport *report)
    : m_report(report)
    , m_page(std::make_unique<TppPage>())
{
}

TppCustomEngine::~TppCustomEngine() = default;

void TppCustomEngine::Reset()
{
    if (m_busy)
        return;
    ++m_resetCount;
    m_started = false;
    m_pageNo = 0;
    m_pageCount = 0;
    m_countKnown = false;
    m_firstPass = false;
    m_secondPass = false;
    m_donePrinting = false;
    m_bandKinds = 0;
    m_dataFinished = false;
    m_reportComplete = false;
    m_outputPage = false;
    m_positionList = blTitle;
    m_positionIndex = 0;
    m_page->ResetPage();
}

bool TppCustomEngine::TwoPass() const
{
    return m_report && m_report->PassSetting() == psTwoPass;
}

std::int32_t TppCustomEngine::PageBottom() const
{
    if (!m_report)
        throw std::logic_error("TppEngine.GetPageBottom: No Report assigned to this engine.");
    const TppPageDef &pageDef = m_report->PrinterSetup().PageDef();
    std::int32_t bottom = lengths::Subtract(pageDef.mmHeight, pageDef.mmMarginBottom);
    for (int i = 0; i < m_report->BandCount(); ++i) {
        const TppBand *band = m_report->Bands(i);
        const bool footer = dynamic_cast<const TppFooterBand *>(band)
                            || dynamic_cast<const TppColumnFooterBand *>(band);
        if (footer && band->Visible())
            bottom = lengths::Subtract(bottom, band->mmHeight());
    }
    return bottom;
}

TppBandKind TppCustomEngine::KindOf(const TppBand &band)
{
    switch (band.BandTypeCode()) {
    case btHeader:
        return bkHeader;
    case btTitle:
        return bkTitle;
    case btColumnHeader:
        return bkColumnHeader;
    case btGroupHeader:
        return bkGroupHeader;
    case btDetail:
        return bkDetail;
    case btGroupFooter:
        return bkGroupFooter;
    case btColumnFooter:
        return bkColumnFooter;
    case btSummary:
        return bkSummary;
    case btFooter:
        return bkFooter;
    default:
        return TppBandKind(0);
    }
}

platform::Canvas *TppCustomEngine::MeasuringCanvas() const
{
    return m_report ? m_report->MeasuringCanvas() : nullptr;
}

std::unique_ptr<TppGenerationState> TppCustomEngine::SaveState() const
{
    return MakeSavedState(State{m_started, m_dataFinished, m_bandKinds, m_positionList, m_positionIndex});
}

void TppCustomEngine::RestoreState(const TppGenerationState &state)
{
    if (const State *saved = SavedValue<State>(state)) {
        m_started = saved->started;
        m_dataFinished = saved->dataFinished;
        m_bandKinds = saved->bandKinds;
        m_positionList = saved->list;
        m_positionIndex = saved->index;
    }
}

// ---- Page request ---------------------------------------------------------

void TppEngine::GeneratePages(const TppPageRequest &request)
{
    if (m_busy || !m_report)
        return;
    m_busy = true;
    m_request.Assign(request);
    try {
        if (TwoPass() && !m_countKnown) {
            // The counting pass runs over every page; the requested pages
            // follow once the count is known.
            const TppPageSettingType setting = m_request.PageSetting();
            m_request.SetPageSetting(psAll);
            PageLoop();
            m_request.SetPageSetting(setting);
            if (!m_cancelled)
                PageLoop();
        } else {
            PageLoop();
        }
    } catch (...) {
        m_busy = false;
        m_firstGeneration = false;
        m_currentBand = nullptr;
        throw;
    }
    m_busy = false;
}

void TppEngine::PageLoop()
{
    m_donePrinting = false;
    m_cancelled = false;
    m_reportComplete = false;
    if (!m_started)
        Start();
    else
        BuildBandLists();
    std::int32_t pageNo = FirstPageToGenerate();
    m_donePrinting = pageNo == 0;
    while (!m_donePrinting && !m_cancelled) {
        MarkPass();
        FireStartPass();
        GeneratePage(pageNo);
        if (m_cancelled)
            break;
        if (m_countKnown && pageNo == m_pageCount)
            FireEndPass();
        pageNo = NextPageToGenerate(pageNo);
        m_donePrinting = pageNo == 0;
        ProcessMessages();
    }
}

void TppEngine::Start()
{
    m_bandKinds = 0;
    m_report->StateCache().Clear();
    m_report->CreateDefaultBands();
    BuildBandLists();
    for (int i = 0; i < m_report->BandCount(); ++i)
        m_report->Bands(i)->ResetGeneration();

    AddBandKind(bkGroupHeader);
    m_printDateTime = CurrentDateTime();
    m_started = true;
    m_firstPass = true;
    m_secondPass = false;
    m_pageNo = 0;
    m_pageCount = 0;
    m_countKnown = false;
    m_dataFinished = false;
    AddBandKind(bkTitle);
    m_positionList = blTitle;
    m_positionIndex = 0;
    m_firstPassStarted = m_firstPassEnded = false;
    m_secondPassStarted = m_secondPassEnded = false;
    m_pagesWithoutRoom = 0;
    SaveStates(0);
}

void TppEngine::BuildBandLists()
{
    // The report keeps its bands in rank order; the lists keep that order.
    for (auto &list : m_bandLists)
        list.clear();
    for (int i = 0; i < m_report->BandCount(); ++i) {
        TppBand *band = m_report->Bands(i);
        int list = -1;
        switch (band->BandTypeCode()) {
        case btPageStyle: list = blPageStyle; break;
        case btHeader: list = blHeader; break;
        case btTitle: list = blTitle; break;
        case btColumnHeader: list = blColumnHeader; break;
        case btGroupHeader: list = blGroupHeader; break;
        case btDetail: list = blDetail; break;
        case btGroupFooter: list = blGroupFooter; break;
        case btSummary: list = blSummary; break;
        case btColumnFooter: list = blColumnFooter; break;
        case btFooter: list = blFooter; break;
        default: break;
        }
        if (list >= 0)
            m_bandLists[std::size_t(list)].push_back(band);
    }
    TppBand *last = LastBodyBand();
    for (int i = 0; i < m_report->BandCount(); ++i)
        m_report->Bands(i)->SetLastBand(m_report->Bands(i) == last);
}

void TppEngine::MarkPass()
{
    m_secondPass = TwoPass() && m_countKnown;
    m_firstPass = !m_secondPass;
}

void TppEngine::FireStartPass()
{
    if (m_firstPass && !m_firstPassStarted) {
        m_firstPassStarted = true;
        if (m_report->OnStartFirstPass)
            m_report->OnStartFirstPass(*m_report);
    } else if (m_secondPass && !m_secondPassStarted) {
        m_secondPassStarted = true;
        if (m_report->OnStartSecondPass)
            m_report->OnStartSecondPass(*m_report);
    }
}

void TppEngine::FireEndPass()
{
    if (m_firstPass && !m_firstPassEnded) {
        m_firstPassEnded = true;
        if (m_report->OnEndFirstPass)
            m_report->OnEndFirstPass(*m_report);
    } else if (m_secondPass && !m_secondPassEnded) {
        m_secondPassEnded = true;
        if (m_report->OnEndSecondPass)
            m_report->OnEndSecondPass(*m_report);
    }
}

// ---- Page choice ----------------------------------------------------------

std::int32_t TppEngine::PageTowards(std::int32_t target) const
{
    // Pages are reached one by one from the last page whose end state is saved.
    return std::min(std::max(target, std::int32_t(1)), LastSavedPage() + 1);
}

std::int32_t TppEngine::FirstPageToGenerate()
{
    m_listEntry = 0;
    switch (m_request.PageSetting()) {
    case psAll:
    case psFirstPage:
        m_target = 1;
        break;
    case psSinglePage:
        m_target = std::max(m_request.PageRequested(), std::int32_t(1));
        if (m_countKnown && m_target > m_pageCount)
            m_target = m_pageCount;
        m_request.SetPageRequested(m_target);
        break;
    case psPageList:
        m_target = NextListTarget();
        break;
    case psLastPage:
        m_target = m_countKnown ? m_pageCount : LastSavedPage() + 1;
        break;
    case psPageRange:
        // Ranges reach the engine as page lists; one arriving as a range
        // names no page.
        m_target = 0;
        break;
    }
    return m_target > 0 ? PageTowards(m_target) : 0;
}

std::int32_t TppEngine::NextListTarget()
{
    const std::vector<std::string> &list = m_request.PageList();
    while (m_listEntry < list.size()) {
        const std::int32_t pageNo = PageNumberOf(list[m_listEntry++]);
        if (pageNo < 1 || (m_countKnown && pageNo > m_pageCount))
            continue;
        m_request.SetPageRequested(pageNo);
        return pageNo;
    }
    return 0;
}

std::int32_t TppEngine::NextPageToGenerate(std::int32_t generated)
{
    switch (m_request.PageSetting()) {
    case psAll:
        if (m_reportComplete || (m_countKnown && generated >= m_pageCount))
            return 0;
        return PageTowards(generated + 1);
    case psFirstPage:
        return 0;
    case psSinglePage:
        if (generated == m_target && m_outputPage)
            return 0;
        if (m_countKnown && m_target > m_pageCount) {
            // Beyond the end: the last page stands in for it.
            m_target = m_pageCount;
            m_request.SetPageRequested(m_target);
        }
        return PageTowards(m_target);
    case psPageList:
        if ((generated == m_target && m_outputPage) || (m_countKnown && m_target > m_pageCount))
            m_target = NextListTarget();
        return m_target > 0 ? PageTowards(m_target) : 0;
    case psLastPage:
        if (m_countKnown) {
            if (generated == m_pageCount && m_outputPage)
                return 0;
            m_target = m_pageCount;
        } else {
            m_target = LastSavedPage() + 1;
        }
        return PageTowards(m_target);
    case psPageRange:
        return 0;
    }
    return 0;
}

bool TppEngine::DecideOutputPage(std::int32_t pageNo) const
{
    bool wanted = true;
    if (TwoPass() && !m_secondPass)
        wanted = pageNo == m_request.PageRequested();
    if (wanted && m_report->Publisher().CachePages())
        return true;
    switch (m_request.PageSetting()) {
    case psSinglePage:
    case psPageList:
        return pageNo == m_request.PageRequested();
    case psFirstPage:
        return pageNo == 1;
    case psLastPage:
        return m_countKnown && pageNo == m_pageCount;
    case psAll:
        return wanted;
    case psPageRange:
        return false;
    }
    return false;
}

// ---- Page generation ------------------------------------------------------

void TppEngine::GeneratePage(std::int32_t pageNo)
{
    m_firstGeneration = pageNo > LastSavedPage();
    RestoreStates(pageNo - 1);
    SetUpPage(pageNo);

    // The page style lies behind the page; it is generated while the body's
    // list is the current one.
    m_currentList = m_positionList;
    GenerateList(blPageStyle, 0, false);

    if (!m_pageFull && !m_cancelled && BandKindActive(bkTitle)) {
        m_currentList = blTitle;
        if (GenerateList(blTitle, 0, false))
            RemoveBandKind(bkTitle);
    }
    if (!m_pageFull && !m_cancelled) {
        AddBandKind(bkHeader);
        m_currentList = blHeader;
        GenerateList(blHeader, 0, false);
    }
    if (!m_pageFull && !m_cancelled)
        GenerateBody();
    if (!m_pageFull && !m_cancelled && m_dataFinished) {
        m_currentList = blSummary;
        GenerateList(blSummary, 0, true);
    }
    if (!m_cancelled)
        EndPage();
    m_firstGeneration = false;
}

void TppEngine::SetUpPage(std::int32_t pageNo)
{
    m_pageNo = pageNo;
    if (m_report->OnStartPage)
        m_report->OnStartPage(*m_report);
    if (pageNo == 1)
        AddBandKind(bkDetail);
    const TppPageDef &pageDef = m_report->PrinterSetup().PageDef();
    m_printLeft = pageDef.mmMarginLeft;
    m_printTop = pageDef.mmMarginTop;
    m_printWidth = lengths::Clamp(std::int64_t(pageDef.mmWidth) - pageDef.mmMarginLeft - pageDef.mmMarginRight);
    m_pageFull = false;
    m_pageHoldsBodyBand = false;
    m_bodyPrintedOnPage = false;
    if (!m_countKnown && m_pageCount < pageNo)
        m_pageCount = pageNo;
    m_page->ClearDrawCommands();
    m_page->SetReport(m_report);

    m_outputPage = false;
    FillPageHeader();
    PublishPage();

    m_outputPage = DecideOutputPage(pageNo);
    for (int i = 0; i < m_report->BandCount(); ++i)
        m_report->Bands(i)->BeginPage(m_outputPage);
}

void TppEngine::GenerateBody()
{
    // Without data pipelines and groups the body always resumes at the group
    // header list; the detail band ends the data itself. Data finished on an
    // earlier page leaves no record for the body: only the summary that did
    // not fit there remains.
    if (m_dataFinished)
        return;
    for (;;) {
        m_bodyPrintedInRound = false;
        for (const int list : {blGroupHeader, blDetail, blGroupFooter}) {
            m_currentList = list;
            GenerateList(list, 0, true);
            if (m_pageFull || m_cancelled)
                return;
        }
        if (m_dataFinished)
            return;
        if (!m_bodyPrintedInRound) {
            // A round of the body in which no band printed (a hidden detail
            // band, say) would repeat for ever: there is nothing more to print.
            m_dataFinished = true;
            m_reportComplete = true;
            return;
        }
    }
}

bool TppEngine::GenerateList(int list, int start, bool remember)
{
    const bool footer = list == blFooter;
    // A copy: an event handler may add or remove bands meanwhile.
    const std::vector<TppBand *> bands = m_bandLists[std::size_t(list)];
    const bool body = list == blGroupHeader || list == blDetail || list == blGroupFooter || list == blSummary;
    for (std::size_t i = std::size_t(start); i < bands.size(); ++i) {
        if ((m_pageFull && !footer) || m_cancelled)
            break;
        TppBand &band = *bands[i];
        m_currentBand = &band;
        band.Generate(*this);
        m_currentBand = nullptr;

        if (body && band.PrintsInCall() > 0) {
            m_bodyPrintedOnPage = true;
            m_bodyPrintedInRound = true;
            m_pagesWithoutRoom = 0;
        }
        if (band.OutOfSpace() && !footer) {
            m_pageFull = true;
            // A band still to print leaves the report incomplete, even when
            // the detail band has just finished the data.
            if (body)
                m_reportComplete = false;
            if (body)
                CheckRoomOnEmptyPage(band);
        } else if (m_dataFinished && &band == LastBodyBand()) {
            m_reportComplete = true;
        }
        if (remember) {
            m_positionList = list;
            m_positionIndex = int(i);
        }
        if (m_currentList != blTitle && m_currentList != blHeader && m_currentList != blColumnHeader)
            m_pageHoldsBodyBand = true;
        ProcessMessages();
    }
    return !m_pageFull && !m_cancelled;
}

void TppEngine::CheckRoomOnEmptyPage(const TppBand &band)
{
    if (m_bodyPrintedOnPage || band.Continuing())
        return;
    // A band that finds no room on a page whose body is still empty is tried
    // once more on the next page (a band kept for its fixed position); a
    // second time it fits no page, and pages would follow for ever.
    if (++m_pagesWithoutRoom >= 2) {
        m_pagesWithoutRoom = 0;
        m_cancelled = true;
        throw EPrintError::CannotGenerate("The band " + band.UserName()
                                          + " does not fit between the page's top and its bottom.");
    }
}

void TppEngine::EndPage()
{
    m_pageFull = true;
    if (m_pageNo > LastSavedPage() && !m_countKnown)
        SaveStates(m_pageNo);

    AddBandKind(bkFooter);
    m_currentList = blFooter;
    GenerateList(blFooter, 0, false);

    if (m_report->OnEndPage)
        m_report->OnEndPage(*m_report);
    if (m_report->PageLimit() > 0 && m_pageNo >= m_report->PageLimit()) {
        m_dataFinished = true;
        m_reportComplete = true;
    }
    if (m_firstPass && m_dataFinished && m_reportComplete)
        m_countKnown = true;
    if (m_outputPage && m_countKnown && m_pageNo == m_pageCount)
        RemoveBandsNotOnLastPage();
    FillPageHeader();
    PublishPage();
    RemoveBandKind(bkFooter);
}

void TppEngine::RemoveBandsNotOnLastPage()
{
    std::int32_t headerHeight = 0;
    bool headerRemoved = false;
    for (TppBand *band : m_bandLists[blHeader]) {
        if (band->PrintsOnPage() == 0)
            continue;
        headerHeight = std::max(headerHeight, band->HeightUsed());
        const auto *header = dynamic_cast<const TppPageBand *>(band);
        if (header && !header->PrintOnLastPage()) {
            band->RemovePageDrawCommands(*m_page);
            headerRemoved = true;
        }
    }
    if (headerRemoved) {
        for (int list = 0; list < kBandListCount; ++list) {
            if (list == blTitle || list == blFooter || list == blColumnFooter)
                continue;
            for (TppBand *band : m_bandLists[std::size_t(list)]) {
                // The page style lies behind the page: it is never moved off
                // the paper's top.
                if (list == blPageStyle && band->PageDrawCommandsTop() < headerHeight)
                    continue;
                band->MovePageDrawCommands(-headerHeight);
            }
        }
    }

    std::int32_t footerHeight = 0;
    bool footerRemoved = false;
    for (TppBand *band : m_bandLists[blFooter]) {
        if (band->PrintsOnPage() == 0)
            continue;
        footerHeight = std::max(footerHeight, band->HeightUsed());
        const auto *footer = dynamic_cast<const TppPageBand *>(band);
        if (footer && !footer->PrintOnLastPage()) {
            band->RemovePageDrawCommands(*m_page);
            footerRemoved = true;
        }
    }
    if (footerRemoved) {
        for (TppBand *band : m_bandLists[blColumnFooter])
            band->MovePageDrawCommands(footerHeight);
    }
}

void TppEngine::FillPageHeader()
{
    TppPage &page = *m_page;
    page.SetAbsolutePageNo(m_pageNo);
    page.SetAbsolutePageCount(m_pageCount);
    page.SetDocumentName(m_report->PrinterSetup().DocumentName());
    page.SetFirstPage(m_pageNo == 1);
    page.SetLanguageIndex(m_report->LanguageIndex());
    page.SetLastPage(m_reportComplete && m_pageNo == m_pageCount);
    page.SetPassSetting(m_report->PassSetting());
    page.SetPageNo(m_pageNo);
    page.SetPageCount(m_pageCount);
    page.SetPrintDateTime(m_printDateTime);
    page.SetFinal(TwoPass() ? (m_secondPass && m_outputPage) : m_firstPass);
    page.SetCalculation(!m_outputPage);
}

void TppEngine::PublishPage()
{
    m_report->PublishPage(*m_page);
}

// ---- State cache ----------------------------------------------------------

void TppEngine::SaveStates(std::int32_t pageNo)
{
    TppStateCache &cache = m_report->StateCache();
    cache.BeginPage(pageNo);
    cache.Save(*this, SaveState());
    for (int i = 0; i < m_report->BandCount(); ++i) {
        const TppBand &band = *m_report->Bands(i);
        cache.Save(band, band.SaveState());
    }
    cache.Commit();
}

void TppEngine::RestoreStates(std::int32_t pageNo)
{
    const TppStateCache &cache = m_report->StateCache();
    if (!cache.Holds(pageNo))
        return;
    if (const TppGenerationState *state = cache.Find(pageNo, *this))
        RestoreState(*state);
    for (int i = 0; i < m_report->BandCount(); ++i) {
        TppBand &band = *m_report->Bands(i);
        if (const TppGenerationState *state = cache.Find(pageNo, band))
            band.RestoreState(*state);
    }
}

std::int32_t TppEngine::LastSavedPage() const
{
    return m_report->StateCache().LastSavedPage();
}

// Through the publisher, whose owner decides where the events go in: the
// report's own loop, or the print job that runs.
void TppEngine::ProcessMessages() const
{
    m_report->Publisher().Yield();
}

TppBand *TppEngine::LastBodyBand() const
{
    for (const int list : {blSummary, blGroupFooter, blDetail}) {
        const auto &bands = m_bandLists[std::size_t(list)];
        if (!bands.empty())
            return bands.back();
    }
    return nullptr;
}
