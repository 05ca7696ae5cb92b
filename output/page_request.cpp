#include "output/page_request.h"

#include "output/page.h"

#include <algorithm>

namespace {

std::string PageNoText(std::int32_t pageNo)
{
    return std::to_string(pageNo);
}

bool PassesParity(TppPageRangeType range, std::int32_t pageNo)
{
    switch (range) {
    case prOddPages:
        return pageNo % 2 != 0;
    case prEvenPages:
        return pageNo % 2 == 0;
    case prAll:
        break;
    }
    return true;
}

} // namespace

void TppPageRequest::Assign(const TppPageRequest &source)
{
    if (&source == this)
        return;
    m_pageList = source.m_pageList;
    m_pageRequested = source.m_pageRequested;
    m_pageSetting = source.m_pageSetting;
    m_pageRange = source.m_pageRange;
}

void TppPageRequest::Clear()
{
    m_pageList.clear();
    m_pageRange = prAll;
    m_pageRequested = 1;
    m_pageSetting = psAll;
}

void TppPageRequest::DeletePageListLine(std::size_t index)
{
    if (index < m_pageList.size())
        m_pageList.erase(m_pageList.begin() + std::ptrdiff_t(index));
}

bool TppPageRequest::ListHolds(std::int32_t pageNo) const
{
    return std::find(m_pageList.begin(), m_pageList.end(), PageNoText(pageNo)) != m_pageList.end();
}

void TppPageRequest::AppendToList(std::int32_t pageNo)
{
    m_pageList.push_back(PageNoText(pageNo));
}

bool TppPageRequest::CoversBySetting(const TppPage &page)
{
    const std::int32_t pageNo = page.AbsolutePageNo();
    switch (m_pageSetting) {
    case psAll:
        return true;
    case psPageList:
        return ListHolds(pageNo);
    case psSinglePage:
        if (page.AbsolutePageCount() < m_pageRequested && page.LastPage())
            m_pageRequested = page.AbsolutePageCount();
        else if (m_pageRequested < 1 && pageNo == 1)
            m_pageRequested = 1;
        return pageNo == m_pageRequested;
    case psFirstPage:
        return page.FirstPage();
    case psLastPage:
        return page.LastPage();
    case psPageRange:
        return false;
    }
    return false;
}

bool TppPageRequest::Covers(const TppPage &page)
{
    return CoversBySetting(page) && PassesParity(m_pageRange, page.AbsolutePageNo());
}

bool TppPageRequest::CompletedBy(const TppPage &page)
{
    const std::int32_t pageNo = page.AbsolutePageNo();
    switch (m_pageSetting) {
    case psAll:
    case psLastPage:
        return page.LastPage();
    case psPageList: {
        const auto line = std::find(m_pageList.begin(), m_pageList.end(), PageNoText(pageNo));
        if (line != m_pageList.end())
            m_pageList.erase(line);
        return m_pageList.empty();
    }
    case psSinglePage:
        return pageNo == m_pageRequested;
    case psFirstPage:
        return page.FirstPage();
    case psPageRange:
        return false;
    }
    return false;
}

void TppPageRequest::MergeWith(const TppPageRequest &other)
{
    if (other.m_pageSetting != psSinglePage && other.m_pageSetting != psFirstPage) {
        m_pageSetting = psAll;
        return;
    }
    const bool otherSingle = m_pageSetting == psSinglePage && m_pageRequested != other.m_pageRequested;
    const bool otherThanFirst = m_pageSetting == psFirstPage && other.m_pageRequested != 1;
    if (otherSingle || otherThanFirst) {
        m_pageSetting = psPageList;
        AppendToList(m_pageRequested);
        AppendToList(other.m_pageRequested);
    } else if (m_pageSetting == psPageList && !ListHolds(other.m_pageRequested)) {
        AppendToList(other.m_pageRequested);
    }
}
