#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>

class TppCustomReport;
class TppForm;

// The process-wide list that maps an abstract report window class (by its
// name, e.g. TppCustomPreviewer::AbstractClassName) to the concrete window
// that stands for it. The program registers its windows at start-up; the print
// request asks here and never names a concrete window itself.

using TppFormFactory = std::function<std::unique_ptr<TppForm>(TppCustomReport *owner)>;

// A later registration for the same abstract class replaces the earlier.
void RegisterFormClass(const std::string &abstractClassName, TppFormFactory factory);
void UnregisterFormClass(const std::string &abstractClassName);
// The registered factory, or null.
const TppFormFactory *FindFormClass(const std::string &abstractClassName);

// Keeps a window class registered for as long as it lives.
class TppFormClassRegistration {
public:
    TppFormClassRegistration(std::string abstractClassName, TppFormFactory factory)
        : m_abstractClassName(std::move(abstractClassName))
    {
        RegisterFormClass(m_abstractClassName, std::move(factory));
    }
    ~TppFormClassRegistration() { UnregisterFormClass(m_abstractClassName); }
    TppFormClassRegistration(const TppFormClassRegistration &) = delete;
    TppFormClassRegistration &operator=(const TppFormClassRegistration &) = delete;

private:
    std::string m_abstractClassName;
};
