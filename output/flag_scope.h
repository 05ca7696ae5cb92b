#pragma once

// Sets a flag for a scope, so that an object does not react to the changes
// it makes itself.
class FlagScope {
public:
    explicit FlagScope(bool &flag)
        : m_flag(flag)
    {
        m_flag = true;
    }
    ~FlagScope() { m_flag = false; }
    FlagScope(const FlagScope &) = delete;
    FlagScope &operator=(const FlagScope &) = delete;

private:
    bool &m_flag;
};
