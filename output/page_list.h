#pragma once

#include "platform/string_list.h"

#include <cstdint>
#include <string>
#include <string_view>

// Ranges fill in pages only up to this page number. A user may type any
// range, "1-2000000000" too, and filling it page by page would take minutes
// and gigabytes; no report of this program comes near this many pages (the
// engine makes them at some hundreds a second). The numbers typed are kept
// whatever their size, and a page the report does not have is never printed,
// so the bound only stops a range from growing past any real report.
inline constexpr std::int32_t kPageListRangeLimit = 100000;

// Reads a list of pages and page ranges ("1,3,5-12") into `list`, one entry
// per page without duplicates, in page order, each the page number
// right-aligned in eight characters ("%8d"), or with the leading blanks
// removed when `trim` is set. The work is bounded by the pages the list can
// name (the bound above and the numbers typed), however long the text. Any character but a digit separates numbers; "-" joins the number
// before it to the next one, once, and is ignored with no number before it.
// A number beyond the 32-bit range throws EConvertError with
// "'<digits>' is not a valid integer value".
void ParsePageList(std::string_view text, TppStringList &list, bool trim);

// The first part of a page list that is neither a page number nor a range
// of two page numbers ("x" in "1,x", "1-3-5", "-4"), as typed; empty when
// every part is one. Parts are separated by commas, semicolons or blanks;
// blanks around a "-" belong to the range.
std::string FirstBadPageListPart(std::string_view text);
