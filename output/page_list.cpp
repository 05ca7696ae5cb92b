#include "output/page_list.h"

#include "output/integer_text.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <map>
#include <string>

namespace {

std::string PageEntry(std::int64_t pageNo)
{
    char entry[16];
    std::snprintf(entry, sizeof entry, "%8lld", static_cast<long long>(pageNo));
    return entry;
}

// The pages named so far, as disjoint runs (first page -> last page), so
// that naming a page or a range again costs no more than finding its place:
// the work stays bounded by the pages the list can name, whatever the text.
class PageRuns
{
public:
    void Add(std::int64_t first, std::int64_t last)
    {
        if (first > last)
            return;
        // Runs that overlap or touch [first, last] are merged into it.
        auto it = m_runs.upper_bound(first);
        if (it != m_runs.begin() && std::prev(it)->second + 1 >= first)
            --it;
        while (it != m_runs.end() && it->first <= last + 1) {
            first = std::min(first, it->first);
            last = std::max(last, it->second);
            it = m_runs.erase(it);
        }
        m_runs.emplace(first, last);
    }

    std::size_t Count() const
    {
        std::size_t count = 0;
        for (const auto &[first, last] : m_runs)
            count += static_cast<std::size_t>(last - first + 1);
        return count;
    }

    template <typename Visit>
    void ForEachPage(Visit visit) const
    {
        for (const auto &[first, last] : m_runs)
            for (std::int64_t page = first; page <= last; ++page)
                visit(page);
    }

private:
    std::map<std::int64_t, std::int64_t> m_runs;
};

// Reads the text character by character: `start` is the page after a number
// that could open a range (0 when there is none), `rangePending` whether a
// "-" followed it.
class PageListReader
{
public:
    void Read(std::string_view text)
    {
        for (const char c : text) {
            if (c >= '0' && c <= '9') {
                m_digits += c;
                continue;
            }
            CompleteNumber();
            if (c == '-' && m_start != 0)
                m_rangePending = true;
        }
        CompleteNumber();
    }

    const PageRuns &Pages() const { return m_pages; }

private:
    void CompleteNumber()
    {
        if (m_digits.empty())
            return;
        const std::int64_t pageNo = StrToInt(m_digits);
        m_digits.clear();
        m_pages.Add(pageNo, pageNo);
        if (!m_rangePending) {
            m_start = pageNo + 1;
            return;
        }
        m_rangePending = false;
        m_pages.Add(m_start, std::min<std::int64_t>(pageNo - 1, kPageListRangeLimit));
        m_start = 0;
    }

    std::string m_digits;
    std::int64_t m_start = 0;
    bool m_rangePending = false;
    PageRuns m_pages;
};

} // namespace

void ParsePageList(std::string_view text, TppStringList &list, bool trim)
{
    list.clear();
    PageListReader reader;
    reader.Read(text);
    list.reserve(reader.Pages().Count());
    reader.Pages().ForEachPage([&](std::int64_t page) {
        list.push_back(trim ? std::to_string(page) : PageEntry(page));
    });
}

namespace {

bool IsPartSeparator(char c)
{
    return c == ',' || c == ';' || c == ' ' || c == '\t';
}

bool AllDigits(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

} // namespace

std::string FirstBadPageListPart(std::string_view text)
{
    // Blanks around a "-" are joined to it first, so that "1 - 3" is one part.
    std::string joined;
    joined.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == ' ' || c == '\t') {
            std::size_t next = i;
            while (next < text.size() && (text[next] == ' ' || text[next] == '\t'))
                ++next;
            const bool besideDash = (next < text.size() && text[next] == '-') || (!joined.empty() && joined.back() == '-');
            if (besideDash) {
                i = next - 1;
                continue;
            }
        }
        joined += c;
    }
    std::size_t start = 0;
    while (start <= joined.size()) {
        std::size_t end = start;
        while (end < joined.size() && !IsPartSeparator(joined[end]))
            ++end;
        const std::string_view part = Trimmed(std::string_view(joined).substr(start, end - start));
        if (!part.empty()) {
            const std::size_t dash = part.find('-');
            const bool page = AllDigits(part);
            const bool range = dash != std::string_view::npos && AllDigits(part.substr(0, dash))
                && AllDigits(part.substr(dash + 1));
            if (!page && !range)
                return std::string(part);
        }
        start = end + 1;
    }
    return {};
}
