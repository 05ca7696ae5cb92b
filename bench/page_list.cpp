// Time to read the print dialog's page list for texts up to the box's
// longest (32767 characters): ranges over each other, many single pages, and
// ranges reaching past the bound. Median of a few rounds, in milliseconds;
// run through bench/page_list.sh.

#include "bench/timing.h"
#include "output/page_list.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string Repeated(const std::string &piece, std::size_t length)
{
    std::string text;
    while (text.size() < length)
        text += piece;
    text.resize(length);
    return text;
}

std::string SinglePages(std::size_t length)
{
    std::string text;
    for (int page = 1; text.size() < length; page += 7)
        text += std::to_string(page) + ",";
    text.resize(length);
    return text;
}

} // namespace

int main()
{
    const std::pair<const char *, std::string> cases[] = {
        {"\"1-100000,\" repeated, 1 KB", Repeated("1-100000,", 1024)},
        {"\"1-100000,\" repeated, 32 KB", Repeated("1-100000,", 32767)},
        {"single pages, 32 KB", SinglePages(32767)},
        {"\"1-2000000000,\" repeated, 32 KB", Repeated("1-2000000000,", 32767)},
    };
    std::printf("%-36s %10s %12s\n", "page list", "pages", "ms (median)");
    for (const auto &[name, text] : cases) {
        TppStringList list;
        std::vector<double> samples;
        for (int round = 0; round < 5; ++round)
            samples.push_back(Milliseconds([&] { ParsePageList(text, list, true); }));
        std::printf("%-36s %10zu %12.2f\n", name, list.size(), Median(samples));
    }
    return 0;
}
