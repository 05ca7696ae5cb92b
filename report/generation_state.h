#pragma once

#include "report/cacheable.h"

#include <cstddef>
#include <typeinfo>
#include <cstdint>
#include <memory>
#include <vector>

// What a component keeps of a page's generation when the page state is
// saved: whether it still prints (memos add their continuation).
struct TppComponentState {
    virtual ~TppComponentState() = default;
    virtual bool SameAs(const TppComponentState &other) const
    {
        return typeid(*this) == typeid(other) && PrintsOnPage == other.PrintsOnPage;
    }

    bool PrintsOnPage = false;
};

struct TppMemoState : TppComponentState {
    bool SameAs(const TppComponentState &other) const override
    {
        const auto *memo = dynamic_cast<const TppMemoState *>(&other);
        return memo && TppComponentState::SameAs(other)
            && ContinuationPosition == memo->ContinuationPosition && OverFlow == memo->OverFlow
            && KeptForNextPage == memo->KeptForNextPage;
    }

    std::size_t ContinuationPosition = 0;
    bool OverFlow = false;
    bool KeptForNextPage = false;
};

// A band's saved generation state with its components' states, in the
// band's object order. Opaque to the engine: it only stores and returns it.
class TppBandState : public TppGenerationState
{
public:
    bool Equals(const TppGenerationState &other) const override
    {
        const auto *band = dynamic_cast<const TppBandState *>(&other);
        if (!band || Continuing != band->Continuing || PositionDeferred != band->PositionDeferred
            || LastOutOfSpaceTop != band->LastOutOfSpaceTop || OverFlowOffset != band->OverFlowOffset
            || Components.size() != band->Components.size())
            return false;
        for (std::size_t i = 0; i < Components.size(); ++i) {
            if (!Components[i]->SameAs(*band->Components[i]))
                return false;
        }
        return true;
    }

    bool Continuing = false;
    bool PositionDeferred = false;
    std::int32_t LastOutOfSpaceTop = -1;
    std::int32_t OverFlowOffset = 0;
    std::vector<std::unique_ptr<TppComponentState>> Components;
};
