#pragma once

#include <algorithm>
#include <span>

// One language's library texts: string-table entries kept sorted by number.
struct LibraryTextRow {
    int number;
    const char *text;
};

using LibraryTextTable = std::span<const LibraryTextRow>;

constexpr bool IsSortedTable(LibraryTextTable table)
{
    return std::is_sorted(table.begin(), table.end(),
                          [](const LibraryTextRow &a, const LibraryTextRow &b) { return a.number < b.number; });
}

// The entry's text in `table`, else in `fallback`; null when neither has it.
const char *FindLibraryText(LibraryTextTable table, LibraryTextTable fallback, int entry);

LibraryTextTable EnglishLibraryTexts();
LibraryTextTable SpanishLibraryTexts();
