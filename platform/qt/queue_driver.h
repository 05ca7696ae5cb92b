#pragma once

#include <QPageSize>
#include <QString>

#include <cstdint>
#include <string>
#include <vector>

// What a queue's driver offers, with the keys needed to ask for it again:
// papers with the Windows numbers the engine knows them by, sources (bins)
// with their driver keywords, and the default resolution.
namespace platform {

struct QueuePaper {
    QPageSize size;
    std::int16_t number;
};

struct QueueBin {
    std::string name;
    std::string keyword;
    std::int16_t number;
    // The IPP name a job asks for it by ("media-source"); empty when the
    // spooler does not give one.
    std::string mediaSource;
};

struct QueueBins {
    std::vector<QueueBin> bins;
    std::int16_t defaultBin = 7;
};

struct QueueResolution {
    int x = 0;
    int y = 0;
};

std::vector<QueuePaper> ReadQueuePapers(const QString &queue);
QueueBins ReadQueueBins(const std::string &queue);
// The driver's default resolution; zero when it states none or one beyond
// any printer's.
QueueResolution ReadQueueResolution(const std::string &queue);

} // namespace platform
