#include "report/band_kinds.h"

#include "report/band_context.h"
#include "report/length_arithmetic.h"
#include "report/report.h"

#include <cstdio>

void TppPageBand::SetPrintOnFirstPage(bool value)
{
    if (value == m_printOnFirstPage)
        return;
    m_printOnFirstPage = value;
    if (!IsReading())
        Changed();
}

void TppPageBand::SetPrintOnLastPage(bool value)
{
    if (value == m_printOnLastPage)
        return;
    m_printOnLastPage = value;
    if (!IsReading())
        Changed();
}

void TppDetailBand::SetBandsPerRecord(std::int32_t value)
{
    if (value < 1)
        value = 1;
    if (value == m_bandsPerRecord)
        return;
    m_bandsPerRecord = value;
    if (!IsReading())
        Changed();
}

void TppDetailBand::SetColumnTraversal(TppColumnTraversalType value)
{
    if (value == m_columnTraversal)
        return;
    m_columnTraversal = value;
    if (!IsReading())
        Changed();
}

void TppDetailBand::SetPrintCount(std::int32_t value)
{
    if (value == m_printCount)
        return;
    m_printCount = value;
    if (!IsReading())
        Changed();
}

int TppPageStyle::Rank() const
{
    const TppCustomReport *report = Report();
    return report && report->Printing() ? 0 : 10;
}

namespace {

std::string TwoPartKey(int rank, int second)
{
    char key[24];
    std::snprintf(key, sizeof key, "%8d%8d", rank, second);
    return key;
}

} // namespace

std::string TppGroupHeaderBand::RankKey() const
{
    return TwoPartKey(Rank(), GroupNo());
}

std::string TppGroupFooterBand::RankKey() const
{
    return TwoPartKey(Rank(), 99999998 - GroupNo());
}

// ---- Generation ----------------------------------------------------------

bool TppPageBand::SkipsPage(const TppBandContext &context) const
{
    if (context.PageNo() == 1 && !m_printOnFirstPage)
        return true;
    if (m_printOnLastPage)
        return false;
    const bool firstPassEnd = context.FirstPass() && context.ReportComplete();
    const bool secondPassLast = context.SecondPass() && context.TwoPass()
        && context.PageNo() == context.PageCount();
    return firstPassEnd || secondPassLast;
}

void TppFooterBand::Place(TppBandContext &context)
{
    const TppPageDef &page = Report()->PrinterSetup().PageDef();
    const std::int32_t bottom = lengths::Subtract(page.mmHeight, page.mmMarginBottom);
    SetPrintRect(context.CurrentPrintLeft(), lengths::Subtract(bottom, mmHeight()), context.PrintWidth(), bottom,
                 bottom);
}

bool TppDetailBand::CallOver(TppBandContext &context, bool printedCompletely)
{
    if (OutOfSpace() || context.Cancelled() || !KindActive(context))
        return true;
    const auto *report = dynamic_cast<const TppReport *>(Report());
    const bool autoStop = !report || report->AutoStop();
    // Without data the one record is used up by the first pass, printed or
    // hidden, so that a hidden detail band cannot keep the report going.
    if (autoStop && PrintsInCall() <= 1) {
        context.SetDataFinished(true);
        context.SetReportComplete(true);
        return true;
    }
    if (!Visible())
        return true;
    if (m_printCount > 0 && PrintsInCall() >= m_printCount) {
        // The page ends; the band carries on on the next one.
        SetOutOfSpace(true);
        return true;
    }
    if (printedCompletely && HeightUsed() <= 0) {
        // Repeating without moving down would never fill the page.
        SetOutOfSpace(true);
        return true;
    }
    return false;
}

bool TppPageStyle::SelectsPage(const TppBandContext &context) const
{
    const std::int32_t page = context.PageNo();
    switch (m_pageSetting) {
    case psAll:
        return Visible();
    case psPageList: {
        char key[16];
        std::snprintf(key, sizeof key, "%8d", page);
        for (const auto &entry : m_pageList) {
            if (entry == key)
                return true;
        }
        return false;
    }
    case psSinglePage:
        return page == m_singlePage;
    case psFirstPage:
        return page == 1;
    case psLastPage:
        return context.CountKnown() && page == context.PageCount();
    case psPageRange:
        return page >= m_startPage && (m_endPage <= 0 || page <= m_endPage);
    }
    return Visible();
}

void TppPageStyle::PreparePass(const TppBandContext &context)
{
    StoreVisible(SelectsPage(context));
}

void TppPageStyle::Place(TppBandContext &context)
{
    m_savedPrintLeft = context.CurrentPrintLeft();
    m_savedPrintTop = context.CurrentPrintTop();
    m_savedPrintWidth = context.PrintWidth();
    const TppPageDef &page = Report()->PrinterSetup().PageDef();
    const std::int32_t top = page.mmMarginTop;
    SetPrintRect(context.CurrentPrintLeft(), top, context.PrintWidth(), lengths::Add(top, mmHeight()),
                 lengths::Subtract(page.mmHeight, page.mmMarginBottom));
}

void TppPageStyle::Advanced(TppBandContext &context)
{
    context.SetCurrentPrintLeft(m_savedPrintLeft);
    context.SetCurrentPrintTop(m_savedPrintTop);
    context.SetPrintWidth(m_savedPrintWidth);
}
