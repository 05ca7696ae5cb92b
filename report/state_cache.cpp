#include "report/state_cache.h"

#include <algorithm>

void TppStateCache::BeginPage(std::int32_t pageNo)
{
    m_pendingPage = pageNo;
    m_pending.clear();
}

void TppStateCache::Save(const TppCacheable &owner, std::unique_ptr<TppGenerationState> state)
{
    if (state)
        m_pending.emplace_back(&owner, std::move(state));
}

void TppStateCache::Commit()
{
    // Pages are saved in order; anything else would leave a hole that a
    // later regeneration could not start from.
    if (m_pendingPage != std::int32_t(m_pages.size())) {
        m_pending.clear();
        return;
    }
    if (!m_pages.empty() && SameStates(*m_pages.back(), m_pending))
        m_pages.push_back(m_pages.back());
    else
        m_pages.push_back(std::make_shared<const PageStates>(std::move(m_pending)));
    m_pending = PageStates();
    m_pendingPage = -1;
}

const TppGenerationState *TppStateCache::Find(std::int32_t pageNo, const TppCacheable &owner) const
{
    if (!Holds(pageNo))
        return nullptr;
    const PageStates &states = *m_pages[std::size_t(pageNo)];
    const auto it = std::find_if(states.begin(), states.end(),
                                 [&owner](const Entry &entry) { return entry.first == &owner; });
    return it == states.end() ? nullptr : it->second.get();
}

bool TppStateCache::Holds(std::int32_t pageNo) const
{
    return pageNo >= 0 && pageNo < std::int32_t(m_pages.size());
}

void TppStateCache::Clear()
{
    m_pages.clear();
    m_pending.clear();
    m_pendingPage = -1;
}

bool TppStateCache::SameStates(const PageStates &a, const PageStates &b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const Entry &x, const Entry &y) {
        return x.first == y.first && x.second->Equals(*y.second);
    });
}
