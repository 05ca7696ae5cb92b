#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

// What every object of a report definition and of a generated page has: a
// name, a tag and a class name. Ownership is expressed by the holders
// (std::unique_ptr), not by this base.
class TppComponentBase {
public:
    TppComponentBase() = default;
    TppComponentBase(const TppComponentBase &) = delete;
    TppComponentBase &operator=(const TppComponentBase &) = delete;
    virtual ~TppComponentBase() = default;

    virtual const char *ClassName() const = 0;

    const std::string &Name() const { return m_name; }
    virtual void SetName(const std::string &name) { m_name = name; }

    std::int32_t Tag() const { return m_tag; }
    void SetTag(std::int32_t tag) { m_tag = tag; }

private:
    std::string m_name;
    std::int32_t m_tag = 0;
};

// Raised when an object is asked to copy another of an unsuitable class.
class EAssignError : public std::runtime_error {
public:
    EAssignError(const TppComponentBase *source, const char *targetClass)
        : std::runtime_error(std::string("Cannot assign ")
                             + (source ? std::string("a ") + source->ClassName() : "nothing")
                             + " to a " + targetClass + ".")
    {
    }
};
