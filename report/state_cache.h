#pragma once

#include "report/cacheable.h"

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

// The generation states saved at the end of each page, by page number (page 0
// is the state after the start of the report). A page whose states all equal
// those of the page before shares them, so a run of alike pages costs a
// pointer per page.
class TppStateCache {
public:
    // Starts collecting the states of a page; Save adds to it and Commit
    // stores it under its number.
    void BeginPage(std::int32_t pageNo);
    void Save(const TppCacheable &owner, std::unique_ptr<TppGenerationState> state);
    void Commit();

    // The state an object saved under a page number; null when it saved none.
    const TppGenerationState *Find(std::int32_t pageNo, const TppCacheable &owner) const;
    bool Holds(std::int32_t pageNo) const;
    // Highest page number saved, -1 when none.
    std::int32_t LastSavedPage() const { return std::int32_t(m_pages.size()) - 1; }
    void Clear();

private:
    using Entry = std::pair<const TppCacheable *, std::unique_ptr<TppGenerationState>>;
    using PageStates = std::vector<Entry>;

    static bool SameStates(const PageStates &a, const PageStates &b);

    std::vector<std::shared_ptr<const PageStates>> m_pages;
    std::int32_t m_pendingPage = -1;
    PageStates m_pending;
};
