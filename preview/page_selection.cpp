#include "preview/page_selection.h"

#include <algorithm>
#include <charconv>
#include <string>

namespace {

bool PassesParity(TppPageRangeType range, std::int32_t page)
{
    switch (range) {
    case prOddPages:
        return page % 2 == 1;
    case prEvenPages:
        return page % 2 == 0;
    default:
        return true;
    }
}

bool ListNamesPage(const TppPageRequest &request, std::int32_t pageCount)
{
    for (const std::string &entry : request.PageList()) {
        std::int32_t page = 0;
        const auto [end, error] = std::from_chars(entry.data(), entry.data() + entry.size(), page);
        if (error == std::errc() && end == entry.data() + entry.size() && page >= 1 && page <= pageCount
            && PassesParity(request.PageRange(), page))
            return true;
    }
    return false;
}

} // namespace

std::int32_t SinglePageOf(const TppPageRequest &request, std::int32_t pageCount)
{
    return std::clamp(request.PageRequested(), std::int32_t(1), std::max(pageCount, std::int32_t(1)));
}

bool SelectionHasPages(const TppPageRequest &request, std::int32_t pageCount)
{
    if (pageCount < 1)
        return true;
    const TppPageRangeType range = request.PageRange();
    switch (request.PageSetting()) {
    case psAll:
        // Page 1 is odd, page 2 even.
        return range != prEvenPages || pageCount >= 2;
    case psPageList:
        return ListNamesPage(request, pageCount);
    case psSinglePage:
        return PassesParity(range, SinglePageOf(request, pageCount));
    case psFirstPage:
        return PassesParity(range, 1);
    case psLastPage:
        return PassesParity(range, pageCount);
    case psPageRange:
        return false;
    }
    return true;
}
