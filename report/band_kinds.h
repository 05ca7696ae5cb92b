#pragma once

#include "output/page_request.h"
#include "report/band.h"

#include <vector>

enum TppColumnTraversalType : std::uint8_t { ctTopToBottom, ctLeftToRight };

// A band printed once per page.
class TppPageBand : public TppBasicBand {
public:
    bool PrintOnFirstPage() const { return m_printOnFirstPage; }
    void SetPrintOnFirstPage(bool value);
    bool PrintOnLastPage() const { return m_printOnLastPage; }
    void SetPrintOnLastPage(bool value);

protected:
    // Skipped on page 1 without PrintOnFirstPage, and on the last page
    // without PrintOnLastPage.
    bool SkipsPage(const TppBandContext &context) const override;

private:
    bool m_printOnFirstPage = true;
    bool m_printOnLastPage = true;
};

class TppHeaderBand : public TppPageBand {
public:
    TppHeaderBand() { StoreUserName("Header"); }
    const char *ClassName() const override { return "TppHeaderBand"; }
    int BandTypeCode() const override { return 0; }
    int Rank() const override { return 2; }
};

// The page footer always keeps its designed height.
class TppFooterBand : public TppPageBand {
public:
    TppFooterBand() { StoreUserName("Footer"); }
    const char *ClassName() const override { return "TppFooterBand"; }
    int BandTypeCode() const override { return 8; }
    int Rank() const override { return 8; }
    void SetPrintHeight(TppPrintHeightType) override { }

protected:
    // Always at the bottom of the page; never out of space.
    void Place(TppBandContext &context) override;
};

// The band repeated for each record.
class TppDetailBand : public TppBasicBand {
public:
    TppDetailBand() { StoreUserName("Detail"); }
    const char *ClassName() const override { return "TppDetailBand"; }
    int BandTypeCode() const override { return 4; }
    int Rank() const override { return 5; }

    std::int32_t BandsPerRecord() const { return m_bandsPerRecord; }
    // Values below 1 become 1.
    void SetBandsPerRecord(std::int32_t value);
    TppColumnTraversalType ColumnTraversal() const { return m_columnTraversal; }
    void SetColumnTraversal(TppColumnTraversalType value);
    std::int32_t PrintCount() const { return m_printCount; }
    void SetPrintCount(std::int32_t value);

protected:
    // Once per record; without data, AutoStop ends the report after the
    // first print, and PrintCount limits the prints on a page.
    bool CallOver(TppBandContext &context, bool printedCompletely) override;

private:
    std::int32_t m_bandsPerRecord = 1;
    TppColumnTraversalType m_columnTraversal = ctTopToBottom;
    std::int32_t m_printCount = 0;
};

// The band drawn behind the page's content. It sorts last, or first while a
// page is being generated, so that it is drawn before everything else.
class TppPageStyle : public TppBasicBand {
public:
    TppPageStyle() { StoreUserName("PageStyle"); }
    const char *ClassName() const override { return "TppPageStyle"; }
    int BandTypeCode() const override { return 9; }
    int Rank() const override;

    TppPageSettingType PageSetting() const { return m_pageSetting; }
    void SetPageSetting(TppPageSettingType value) { m_pageSetting = value; }
    std::int32_t StartPage() const { return m_startPage; }
    void SetStartPage(std::int32_t value) { m_startPage = value; }
    std::int32_t EndPage() const { return m_endPage; }
    void SetEndPage(std::int32_t value) { m_endPage = value; }
    std::int32_t SinglePage() const { return m_singlePage; }
    void SetSinglePage(std::int32_t value) { m_singlePage = value; }
    const std::vector<std::string> &PageList() const { return m_pageList; }
    void SetPageList(const std::vector<std::string> &value) { m_pageList = value; }
    const std::vector<std::string> &ValidPages() const { return m_validPages; }

protected:
    // Visible on the pages its PageSetting selects.
    void PreparePass(const TppBandContext &context) override;
    // From the top margin, behind the page's other bands.
    void Place(TppBandContext &context) override;
    // The engine's print position is left as it was.
    void Advanced(TppBandContext &context) override;

private:
    bool SelectsPage(const TppBandContext &context) const;

    TppPageSettingType m_pageSetting = psAll;
    std::int32_t m_startPage = 0;
    std::int32_t m_endPage = 0;
    std::int32_t m_singlePage = 0;
    std::vector<std::string> m_pageList;
    std::vector<std::string> m_validPages;
    std::int32_t m_savedPrintLeft = 0;
    std::int32_t m_savedPrintTop = 0;
    std::int32_t m_savedPrintWidth = 0;
};

// Bands this program never uses; they exist so that a definition naming them
// still sorts and codes its components correctly.
class TppReportBand : public TppBasicBand { };

class TppTitleBand : public TppReportBand {
public:
    const char *ClassName() const override { return "TppTitleBand"; }
    int BandTypeCode() const override { return 1; }
    int Rank() const override { return 1; }
};

class TppSummaryBand : public TppReportBand {
public:
    const char *ClassName() const override { return "TppSummaryBand"; }
    int BandTypeCode() const override { return 7; }
    int Rank() const override { return 9; }
};

class TppColumnHeaderBand : public TppBasicBand {
public:
    const char *ClassName() const override { return "TppColumnHeaderBand"; }
    int BandTypeCode() const override { return 2; }
    int Rank() const override { return 3; }
};

class TppColumnFooterBand : public TppBasicBand {
public:
    const char *ClassName() const override { return "TppColumnFooterBand"; }
    int BandTypeCode() const override { return 6; }
    int Rank() const override { return 7; }
};

// Group bands carry the number of their group.
class TppGroupBand : public TppCustomBand {
public:
    int GroupNo() const override { return m_groupNo; }
    void SetGroupNo(int value) { m_groupNo = value; }

private:
    int m_groupNo = 0;
};

class TppGroupHeaderBand : public TppGroupBand {
public:
    const char *ClassName() const override { return "TppGroupHeaderBand"; }
    int BandTypeCode() const override { return 3; }
    int Rank() const override { return 4; }
    std::string RankKey() const override;
};

// Footers sort innermost first.
class TppGroupFooterBand : public TppGroupBand {
public:
    const char *ClassName() const override { return "TppGroupFooterBand"; }
    int BandTypeCode() const override { return 5; }
    int Rank() const override { return 6; }
    std::string RankKey() const override;
};
