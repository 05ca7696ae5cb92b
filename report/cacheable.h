#pragma once

#include "report/relative.h"

#include <memory>

// What an object keeps of its generation state at the end of a page. Each
// kind saves its own subclass; the engine only stores and hands them back.
class TppGenerationState {
public:
    virtual ~TppGenerationState() = default;
    // Equal states are stored once, so long runs whose pages all end alike
    // keep one state rather than one per page.
    virtual bool Equals(const TppGenerationState &other) const = 0;
};

// A saved state made of one copyable value with ==.
template <typename T>
class TppSavedState final : public TppGenerationState {
public:
    explicit TppSavedState(T state) : value(std::move(state)) { }
    bool Equals(const TppGenerationState &other) const override
    {
        const auto *same = dynamic_cast<const TppSavedState *>(&other);
        return same && same->value == value;
    }
    T value;
};

template <typename T>
std::unique_ptr<TppGenerationState> MakeSavedState(T value)
{
    return std::make_unique<TppSavedState<T>>(std::move(value));
}

// The value of a state made with MakeSavedState; null for a state of
// another kind.
template <typename T>
const T *SavedValue(const TppGenerationState &state)
{
    const auto *saved = dynamic_cast<const TppSavedState<T> *>(&state);
    return saved ? &saved->value : nullptr;
}

// An object whose generation state can be saved at the end of a page and
// restored at the start of the next one, so that a page generated before can
// be generated again from the state left by the page before it.
class TppCacheable : public TppRelative {
public:
    // The state to keep under the page just ended; null for nothing to keep.
    virtual std::unique_ptr<TppGenerationState> SaveState() const { return nullptr; }
    // Back to a state this object saved. Objects that saved nothing are not
    // called.
    virtual void RestoreState(const TppGenerationState &state) { (void)state; }
};
