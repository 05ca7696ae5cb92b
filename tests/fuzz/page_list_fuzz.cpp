// The print dialog's page list parser on any text, against what its rules
// let one say without parsing it the same way: the list is in page order
// (numerically, 9 and 10 digits too), without duplicates, never longer than
// the range limit plus the numbers typed, each entry a page number
// right-aligned in eight characters (or trimmed, the same pages); every page is one of the numbers typed or lies
// between two of them, never past the range limit unless typed; every number
// typed alone (from 1 on) is listed; the only failure is a number beyond the 32-bit
// range, named in the message.

#include "output/convert_error.h"
#include "output/page_list.h"
#include "tests/fuzz/fuzz_check.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Number {
    std::string digits;
    long long value;  // saturated
    bool alone;       // no "-" right before or after it
};

std::vector<Number> Numbers(std::string_view text)
{
    std::vector<Number> numbers;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] < '0' || text[i] > '9') {
            ++i;
            continue;
        }
        const std::size_t start = i;
        long long value = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            value = std::min<long long>(value * 10 + (text[i] - '0'), LLONG_MAX / 20);
            ++i;
        }
        const bool dashBefore = start > 0 && text[start - 1] == '-';
        const bool dashAfter = i < text.size() && text[i] == '-';
        numbers.push_back({std::string(text.substr(start, i - start)), value, !dashBefore && !dashAfter});
    }
    return numbers;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    const std::vector<Number> numbers = Numbers(text);
    TppStringList padded;
    TppStringList trimmed;
    try {
        ParsePageList(text, padded, false);
        ParsePageList(text, trimmed, true);
    } catch (const EConvertError &error) {
        bool named = false;
        for (const Number &n : numbers) {
            if (n.value > INT_MAX && std::string(error.what()) == "'" + n.digits + "' is not a valid integer value")
                named = true;
        }
        FUZZ_CHECK(named, "failed with \"%s\"", error.what());
        return 0;
    }
    for (const Number &n : numbers)
        FUZZ_CHECK(n.value <= INT_MAX, "'%s' beyond the 32-bit range accepted", n.digits.c_str());

    FUZZ_CHECK(padded.size() == trimmed.size(), "trimmed list of another length");
    FUZZ_CHECK(padded.size() <= std::size_t(kPageListRangeLimit) + numbers.size(), "%zu pages from %zu numbers",
               padded.size(), numbers.size());
    long long previous = LLONG_MIN;
    long long lowest = LLONG_MAX;
    long long highest = LLONG_MIN;
    for (const Number &n : numbers) {
        lowest = std::min(lowest, n.value);
        highest = std::max(highest, n.value);
    }
    for (std::size_t i = 0; i < padded.size(); ++i) {
        char expected[16];
        const long long page = std::stoll(trimmed[i]);
        std::snprintf(expected, sizeof expected, "%8lld", page);
        FUZZ_CHECK(padded[i] == expected, "entry \"%s\" is not \"%s\"", padded[i].c_str(), expected);
        FUZZ_CHECK(trimmed[i] == std::to_string(page), "trimmed entry \"%s\"", trimmed[i].c_str());
        FUZZ_CHECK(page > previous, "%lld after %lld: not sorted or repeated", page, previous);
        previous = page;
        const bool typed = std::any_of(numbers.begin(), numbers.end(), [&](const Number &n) { return n.value == page; });
        FUZZ_CHECK(typed || (page >= lowest && page <= highest && page <= kPageListRangeLimit),
                   "page %lld neither typed nor within a range", page);
    }
    for (const Number &n : numbers) {
        // Page numbers start at 1; what a 0 means is the parser's to say.
        if (!n.alone || n.value < 1)
            continue;
        const std::string entry = std::to_string(n.value);
        FUZZ_CHECK(std::find(trimmed.begin(), trimmed.end(), entry) != trimmed.end(), "page %s typed alone is missing",
                   entry.c_str());
    }
    return 0;
}
