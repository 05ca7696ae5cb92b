#include "platform/qt/queue_driver.h"

#include "platform/qt/cups_queue.h"

#include <QPrinterInfo>

#include <cups/cups.h>
#include <cups/ppd.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <strings.h>
#include <unistd.h>

// The PPD interface is the only one that gives the driver's own names for
// its paper sources; it is deprecated but still what local queues are made of.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace platform {

namespace {

constexpr std::int16_t kFirstUserBin = 256;
constexpr std::int16_t kCustomPaper = 256;

// Windows bin numbers for the usual source keywords of PPDs and of IPP.
std::int16_t BinNumberForKeyword(const char *keyword, int position)
{
    struct Known {
        const char *keyword;
        std::int16_t number;
    };
    static constexpr Known known[] = {
        {"Upper", 1},        {"Top", 1},          {"OnlyOne", 1},       {"Lower", 2},
        {"Bottom", 2},       {"Main", 2},         {"Middle", 3},        {"Manual", 4},
        {"ManualFeed", 4},   {"By-Pass-Tray", 4}, {"Envelope", 5},      {"EnvManual", 6},
        {"Auto", 7},         {"AutoSelect", 7},   {"Tractor", 8},       {"SmallFormat", 9},
        {"LargeFormat", 10}, {"LargeCapacity", 11}, {"Large-Capacity", 11}, {"Cassette", 14},
        {"FormSource", 15},
    };
    for (const Known &entry : known) {
        if (strcasecmp(entry.keyword, keyword) == 0)
            return entry.number;
    }
    return static_cast<std::int16_t>(kFirstUserBin + position);
}

struct PpdFileDeleter {
    void operator()(ppd_file_t *ppd) const { ppdClose(ppd); }
};
using PpdFile = std::unique_ptr<ppd_file_t, PpdFileDeleter>;

// The queue's PPD, fetched from the spooler; null for a driverless queue.
PpdFile OpenQueuePpd(const std::string &queue)
{
    char path[1024] = "";
    time_t modified = 0;
    if (cupsGetPPD3(CUPS_HTTP_DEFAULT, queue.c_str(), &modified, path, sizeof path) != HTTP_STATUS_OK)
        return nullptr;
    PpdFile ppd(ppdOpenFile(path));
    unlink(path);
    return ppd;
}

} // namespace

std::vector<QueuePaper> ReadQueuePapers(const QString &queue)
{
    std::vector<QueuePaper> papers;
    const QPrinterInfo info = QPrinterInfo::printerInfo(queue);
    if (info.isNull())
        return papers;
    std::int16_t nextDriverNumber = kCustomPaper + 1;
    for (const QPageSize &size : info.supportedPageSizes()) {
        int number = size.windowsId();
        // Sizes without a Windows number get numbers of their own, as
        // driver-defined forms do.
        if (number <= 0 || number == kCustomPaper)
            number = nextDriverNumber++;
        papers.push_back({size, static_cast<std::int16_t>(number)});
    }
    return papers;
}

QueueBins ReadQueueBins(const std::string &queue)
{
    QueueBins result;
    const PpdFile ppd = OpenQueuePpd(queue);
    const ppd_option_t *inputSlots = ppd ? ppdFindOption(ppd.get(), "InputSlot") : nullptr;
    if (!inputSlots)
        return result;
    for (int i = 0; i < inputSlots->num_choices; ++i) {
        const ppd_choice_t &choice = inputSlots->choices[i];
        const std::int16_t number = BinNumberForKeyword(choice.choice, i);
        result.bins.push_back({choice.text[0] ? choice.text : choice.choice, choice.choice, number, {}});
        if (std::strcmp(choice.choice, inputSlots->defchoice) == 0)
            result.defaultBin = number;
    }
    // The spooler names the driver's sources for IPP in the driver's order.
    const std::vector<std::string> mediaSources = ReadMediaSources(queue);
    if (mediaSources.size() == result.bins.size()) {
        for (std::size_t i = 0; i < mediaSources.size(); ++i)
            result.bins[i].mediaSource = mediaSources[i];
    }
    return result;
}

QueueResolution ReadQueueResolution(const std::string &queue)
{
    QueueResolution resolution;
    const PpdFile ppd = OpenQueuePpd(queue);
    if (!ppd)
        return resolution;
    const ppd_attr_t *attribute = ppdFindAttr(ppd.get(), "DefaultResolution", nullptr);
    const char *value = attribute ? attribute->value : nullptr;
    if (!value)
        return resolution;
    const int fields = std::sscanf(value, "%dx%d", &resolution.x, &resolution.y);
    if (fields == 1)
        resolution.y = resolution.x;
    // A resolution beyond any printer's is a fault of the description, not a
    // request for pages of billions of pixels.
    constexpr int kMostPixelsPerInch = 9600;
    if (fields < 1 || resolution.x <= 0 || resolution.y <= 0 || resolution.x > kMostPixelsPerInch
        || resolution.y > kMostPixelsPerInch)
        resolution = {};
    return resolution;
}

} // namespace platform
