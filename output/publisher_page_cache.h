#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class TppPage;

// The publisher's copies of final pages, by absolute page number.
//
// Storing a page raises the counts of the pages cached before it: every copy
// whose AbsolutePageCount is below the new page's takes it, and also its
// PageCount when both belong to the same group break and its own is smaller.
// In a one-pass run every new page raises every earlier one, so doing that
// page by page would cost time quadratic in the length of the report. The
// raises are therefore recorded, not applied: copies that were raised
// together share a frame, frames raised together hang below a new frame, and
// a copy takes its raises when it is next read. The result is the same as
// raising every copy at once.
class TppPublisherPageCache {
public:
    TppPublisherPageCache();
    ~TppPublisherPageCache();
    TppPublisherPageCache(const TppPublisherPageCache &) = delete;
    TppPublisherPageCache &operator=(const TppPublisherPageCache &) = delete;

    // Keeps a copy of the page under its number, replacing an earlier copy.
    void Store(const TppPage &page);
    // The copy with all its raises applied, or null.
    std::shared_ptr<TppPage> Find(std::int32_t absolutePageNo);
    int Count() const { return int(m_entries.size()); }
    bool Empty() const { return m_entries.empty(); }
    void Clear();

    // The key of a page: its number right-aligned in eight characters, so that
    // the keys sort as the numbers do.
    static std::string Key(std::int32_t absolutePageNo);

private:
    // Group break number with the highest PageCount raised to in it.
    using PageCounts = std::vector<std::pair<std::int32_t, std::int32_t>>;

    struct Frame {
        std::int32_t count = 0;
        Frame *parent = nullptr;
        // The PageCount raises of this frame and of those above it up to,
        // not including, `parent`.
        PageCounts pageCounts;
    };

    struct Entry {
        std::shared_ptr<TppPage> page;
        Frame *frame = nullptr;
    };

    static void MergeInto(PageCounts &target, const PageCounts &source);
    Frame *NewRoot(std::int32_t count);
    void Raise(std::int32_t count, std::int32_t pageCount, std::int32_t groupBreak);
    Frame *Root(Frame *frame);
    void ApplyRaises(Entry &entry);
    void CompactIfLarge();

    std::map<std::string, Entry> m_entries;
    std::deque<Frame> m_frames;
    // Frames without parent, by their count.
    std::multimap<std::int32_t, Frame *> m_roots;
};
