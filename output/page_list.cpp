#include "output/page_list.h"

#include "output/convert_error.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <set>
#include <string>

namespace {

std::int32_t ReadPageNumber(const std::string &digits)
{
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size())
        throw EConvertError("'" + digits + "' is not a valid integer value");
    return value;
}

std::string PageEntry(std::int64_t pageNo)
{
    char entry[16];
    std::snprintf(entry, sizeof entry, "%8lld", static_cast<long long>(pageNo));
    return entry;
}

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

    // The entries sort as text, as set keys do.
    const std::set<std::string> &Entries() const { return m_entries; }

private:
    void CompleteNumber()
    {
        if (m_digits.empty())
            return;
        const std::int64_t pageNo = ReadPageNumber(m_digits);
        m_digits.clear();
        m_entries.insert(PageEntry(pageNo));
        if (!m_rangePending) {
            m_start = pageNo + 1;
            return;
        }
        m_rangePending = false;
        const std::int64_t last = std::min<std::int64_t>(pageNo - 1, kPageListRangeLimit);
        for (std::int64_t page = m_start; page <= last; ++page)
            m_entries.insert(PageEntry(page));
        m_start = 0;
    }

    std::string m_digits;
    std::int64_t m_start = 0;
    bool m_rangePending = false;
    std::set<std::string> m_entries;
};

} // namespace

void ParsePageList(std::string_view text, TppStringList &list, bool trim)
{
    list.clear();
    PageListReader reader;
    reader.Read(text);
    list.reserve(reader.Entries().size());
    for (const std::string &entry : reader.Entries())
        list.push_back(trim ? entry.substr(entry.find_first_not_of(' ')) : entry);
}
