#include "output/integer_text.h"

#include "output/convert_error.h"

#include <charconv>
#include <string>

namespace {

constexpr std::string_view kBlanks = " \t\n\v\f\r";

std::string_view Trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

} // namespace

std::optional<std::int32_t> ReadInteger(std::string_view text)
{
    text = Trimmed(text);
    // from_chars takes a minus sign but no plus sign.
    if (text.size() > 1 && text.front() == '+' && text[1] != '-')
        text.remove_prefix(1);
    std::int32_t value = 0;
    const char *last = text.data() + text.size();
    const auto [end, error] = std::from_chars(text.data(), last, value);
    if (text.empty() || error != std::errc() || end != last)
        return std::nullopt;
    return value;
}

std::int32_t StrToInt(std::string_view text)
{
    if (const std::optional<std::int32_t> value = ReadInteger(text))
        return *value;
    throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
}
