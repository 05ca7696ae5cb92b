#include "output/publisher_page_cache.h"

#include "output/page.h"

#include <algorithm>
#include <cstdio>

TppPublisherPageCache::TppPublisherPageCache() = default;
TppPublisherPageCache::~TppPublisherPageCache() = default;

std::string TppPublisherPageCache::Key(std::int32_t absolutePageNo)
{
    char key[16];
    std::snprintf(key, sizeof key, "%8d", static_cast<int>(absolutePageNo));
    return key;
}

void TppPublisherPageCache::MergeInto(PageCounts &target, const PageCounts &source)
{
    for (const auto &[groupBreak, pageCount] : source) {
        bool found = false;
        for (auto &[targetBreak, targetCount] : target) {
            if (targetBreak == groupBreak) {
                targetCount = std::max(targetCount, pageCount);
                found = true;
                break;
            }
        }
        if (!found)
            target.emplace_back(groupBreak, pageCount);
    }
}

TppPublisherPageCache::Frame *TppPublisherPageCache::NewRoot(std::int32_t count)
{
    Frame &frame = m_frames.emplace_back();
    frame.count = count;
    m_roots.emplace(count, &frame);
    return &frame;
}

void TppPublisherPageCache::Store(const TppPage &page)
{
    auto copy = std::make_shared<TppPage>();
    copy->Assign(page);
    Frame *frame = NewRoot(page.AbsolutePageCount());
    m_entries[Key(page.AbsolutePageNo())] = Entry{std::move(copy), frame};
    if (m_entries.size() > 1)
        Raise(page.AbsolutePageCount(), page.PageCount(), page.ControlGroupBreakNo());
    CompactIfLarge();
}

// Every root with a smaller count goes below one new root carrying the raise.
// A root is taken out once, so raising costs no more than storing did.
void TppPublisherPageCache::Raise(std::int32_t count, std::int32_t pageCount, std::int32_t groupBreak)
{
    const auto first = m_roots.begin();
    const auto last = m_roots.lower_bound(count);
    if (first == last)
        return;
    Frame &raised = m_frames.emplace_back();
    raised.count = count;
    raised.pageCounts.emplace_back(groupBreak, pageCount);
    for (auto it = first; it != last; ++it)
        it->second->parent = &raised;
    m_roots.erase(first, last);
    m_roots.emplace(count, &raised);
}

// The root above `frame`; every frame on the way is linked straight to it,
// taking along the raises of the frames it skips.
TppPublisherPageCache::Frame *TppPublisherPageCache::Root(Frame *frame)
{
    std::vector<Frame *> path;
    Frame *root = frame;
    while (root->parent) {
        path.push_back(root);
        root = root->parent;
    }
    for (auto it = path.rbegin(); it != path.rend(); ++it) {
        Frame *step = *it;
        if (step->parent != root) {
            MergeInto(step->pageCounts, step->parent->pageCounts);
            step->parent = root;
        }
    }
    return root;
}

void TppPublisherPageCache::ApplyRaises(Entry &entry)
{
    Frame *root = Root(entry.frame);
    if (root == entry.frame)
        return;
    TppPage &page = *entry.page;
    if (page.AbsolutePageCount() >= root->count)
        return;
    page.SetAbsolutePageCount(root->count);
    PageCounts pageCounts = entry.frame->pageCounts;
    MergeInto(pageCounts, root->pageCounts);
    for (const auto &[groupBreak, pageCount] : pageCounts) {
        if (groupBreak == page.ControlGroupBreakNo() && page.PageCount() < pageCount)
            page.SetPageCount(pageCount);
    }
    page.RefreshPageTotals(nullptr);
}

std::shared_ptr<TppPage> TppPublisherPageCache::Find(std::int32_t absolutePageNo)
{
    const auto it = m_entries.find(Key(absolutePageNo));
    if (it == m_entries.end())
        return nullptr;
    ApplyRaises(it->second);
    return it->second.page;
}

// Replaced copies leave their frames behind; once those outnumber the copies,
// every copy takes its raises and the frames start afresh.
void TppPublisherPageCache::CompactIfLarge()
{
    if (m_frames.size() <= 2 * m_entries.size() + 64)
        return;
    for (auto &[key, entry] : m_entries)
        ApplyRaises(entry);
    m_roots.clear();
    m_frames.clear();
    for (auto &[key, entry] : m_entries)
        entry.frame = NewRoot(entry.page->AbsolutePageCount());
}

void TppPublisherPageCache::Clear()
{
    m_entries.clear();
    m_roots.clear();
    m_frames.clear();
}
