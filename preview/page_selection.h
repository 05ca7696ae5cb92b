#pragma once

#include "output/page_request.h"

#include <cstdint>

// Whether a request names at least one page of a report of `pageCount`
// pages, as the devices will read it: a single page beyond the end is the
// last page, one below 1 the first, and the odd or even filter applies on
// top. A page count below 1 means it is not known yet, and then any request
// may name pages.
bool SelectionHasPages(const TppPageRequest &request, std::int32_t pageCount);

// The page a single-page request prints on a report of `pageCount` pages.
std::int32_t SinglePageOf(const TppPageRequest &request, std::int32_t pageCount);
