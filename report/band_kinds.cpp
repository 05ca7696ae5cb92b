#include "report/band_kinds.h"

#include "report/custom_report.h"

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
