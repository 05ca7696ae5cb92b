#include "preview/form_class_registry.h"

#include <map>

namespace {

std::map<std::string, TppFormFactory> &Registry()
{
    static std::map<std::string, TppFormFactory> registry;
    return registry;
}

} // namespace

void RegisterFormClass(const std::string &abstractClassName, TppFormFactory factory)
{
    if (factory)
        Registry()[abstractClassName] = std::move(factory);
}

void UnregisterFormClass(const std::string &abstractClassName)
{
    Registry().erase(abstractClassName);
}

const TppFormFactory *FindFormClass(const std::string &abstractClassName)
{
    const auto it = Registry().find(abstractClassName);
    return it == Registry().end() ? nullptr : &it->second;
}
