#pragma once

#include "report/cacheable.h"

#include <cstdint>

class TppCustomReport;

// Page generation state of a report, read by the report and the devices. The
// generation itself is built on these fields by the banded engine.
class TppCustomEngine : public TppCacheable {
public:
    explicit TppCustomEngine(TppCustomReport *report) : m_report(report) { }

    const char *ClassName() const override { return "TppCustomEngine"; }
    TppCustomReport *Report() const override { return m_report; }

    // Forgets every generated page: the next page request starts the report
    // from its first page.
    virtual void Reset();
    // How often the engine was reset; lets callers see that a change reached it.
    int ResetCount() const { return m_resetCount; }

    std::int32_t PageNo() const { return m_pageNo; }
    std::int32_t PageCount() const { return m_pageCount; }
    std::int32_t AbsolutePageNo() const { return m_absolutePageNo; }
    std::int32_t AbsolutePageCount() const { return m_absolutePageCount; }
    bool FirstPass() const { return m_firstPass; }
    bool SecondPass() const { return m_secondPass; }
    bool DonePrinting() const { return m_donePrinting; }
    // Days since 30 December 1899.
    double PrintDateTime() const { return m_printDateTime; }

protected:
    std::int32_t m_pageNo = 0;
    std::int32_t m_pageCount = 0;
    std::int32_t m_absolutePageNo = 0;
    std::int32_t m_absolutePageCount = 0;
    bool m_firstPass = false;
    bool m_secondPass = false;
    bool m_donePrinting = false;
    double m_printDateTime = 0;

private:
    TppCustomReport *m_report;
    int m_resetCount = 0;
};

// The banded page generator.
class TppEngine : public TppCustomEngine {
public:
    using TppCustomEngine::TppCustomEngine;
    const char *ClassName() const override { return "TppEngine"; }
};
