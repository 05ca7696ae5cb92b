#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class TppPage;

// Which pages a request names.
enum TppPageSettingType : std::uint8_t {
    psAll,
    psPageList,
    psSinglePage,
    psFirstPage,
    psLastPage,
    psPageRange,
};

// Parity filter applied on top of the page setting.
enum TppPageRangeType : std::uint8_t { prAll, prOddPages, prEvenPages };

// The pages a device wants, and the publisher's merge of several devices'
// wishes. Page numbers are absolute (1-based within the whole run). Page
// ranges typed by a user arrive as page lists, so a psPageRange request
// covers nothing and never completes.
class TppPageRequest {
public:
    TppPageRequest() = default;

    void Assign(const TppPageRequest &source);
    // Back to the initial values: all pages, no filter, page 1, empty list.
    void Clear();

    // Page numbers as plain decimal strings ("3"), used with psPageList.
    const std::vector<std::string> &PageList() const { return m_pageList; }
    void SetPageList(const std::vector<std::string> &list) { m_pageList = list; }
    // Removes one line; an index outside the list is ignored.
    void DeletePageListLine(std::size_t index);

    std::int32_t PageRequested() const { return m_pageRequested; }
    void SetPageRequested(std::int32_t value) { m_pageRequested = value; }

    TppPageSettingType PageSetting() const { return m_pageSetting; }
    void SetPageSetting(TppPageSettingType value) { m_pageSetting = value; }

    TppPageRangeType PageRange() const { return m_pageRange; }
    void SetPageRange(TppPageRangeType value) { m_pageRange = value; }

    // Whether the page is wanted. A single-page request beyond the end of the
    // report falls back to the last page, and one below 1 to page 1, so
    // PageRequested may change here.
    bool Covers(const TppPage &page);
    // Whether the request is complete once this page has arrived. A page list
    // loses the page's entry here.
    bool CompletedBy(const TppPage &page);
    // Widens this request so that it also covers `other`.
    void MergeWith(const TppPageRequest &other);

    friend bool operator==(const TppPageRequest &, const TppPageRequest &) = default;

private:
    bool ListHolds(std::int32_t pageNo) const;
    void AppendToList(std::int32_t pageNo);
    bool CoversBySetting(const TppPage &page);

    std::vector<std::string> m_pageList;
    std::int32_t m_pageRequested = 1;
    TppPageSettingType m_pageSetting = psAll;
    TppPageRangeType m_pageRange = prAll;
};
