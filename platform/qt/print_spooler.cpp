#include "platform/print_spooler.h"

#include "platform/qt/cups_queue.h"
#include "platform/qt/queue_driver.h"

#include <QSizeF>

#include <cmath>
#include <cstdlib>

namespace platform {

namespace {

std::int32_t Tenths(qreal millimetres)
{
    return static_cast<std::int32_t>(std::lround(millimetres * 10));
}

} // namespace

QueueAvailability QueueAvailable(const std::string &queue)
{
    const CupsQueueState state = ReadQueueState(queue);
    if (!state.reachable)
        return QueueAvailability::ServerUnreachable;
    return state.exists ? QueueAvailability::Available : QueueAvailability::Missing;
}

QueueAvailability SpoolerAvailability()
{
    const CupsConnection connection;
    if (!connection)
        return QueueAvailability::ServerUnreachable;
    cups_dest_t *dests = nullptr;
    const int count = cupsGetDests2(connection.get(), &dests);
    cupsFreeDests(count, dests);
    return count > 0 ? QueueAvailability::Available : QueueAvailability::Missing;
}

std::vector<SpoolerQueue> EnumerateQueues()
{
    std::vector<SpoolerQueue> queues;
    const CupsDestinations destinations;
    for (const cups_dest_t &dest : destinations) {
        if (dest.instance)
            continue;
        SpoolerQueue queue;
        queue.name = dest.name;
        if (const char *model = cupsGetOption("printer-make-and-model", dest.num_options, dest.options))
            queue.driver = model;
        if (const char *uri = cupsGetOption("device-uri", dest.num_options, dest.options))
            queue.port = uri;
        if (const char *type = cupsGetOption("printer-type", dest.num_options, dest.options))
            queue.remote = (std::strtoul(type, nullptr, 10) & CUPS_PRINTER_REMOTE) != 0;
        queues.push_back(std::move(queue));
    }
    return queues;
}

std::string DefaultQueueName()
{
    const CupsDestinations destinations;
    for (const cups_dest_t &dest : destinations) {
        if (dest.is_default && !dest.instance)
            return dest.name;
    }
    return std::string();
}

SpoolerCapabilities ReadCapabilities(const std::string &queue)
{
    SpoolerCapabilities capabilities;
    for (const QueuePaper &paper : ReadQueuePapers(QString::fromStdString(queue))) {
        const QSizeF millimetres = paper.size.size(QPageSize::Millimeter);
        capabilities.paperNames.push_back(paper.size.name().toStdString());
        capabilities.paperNumbers.push_back(paper.number);
        capabilities.paperWidths.push_back(Tenths(std::min(millimetres.width(), millimetres.height())));
        capabilities.paperHeights.push_back(Tenths(std::max(millimetres.width(), millimetres.height())));
    }
    const QueueBins bins = ReadQueueBins(queue);
    for (const QueueBin &bin : bins.bins) {
        capabilities.binNames.push_back(bin.name);
        capabilities.binNumbers.push_back(bin.number);
    }
    capabilities.defaultBin = bins.defaultBin;
    return capabilities;
}

} // namespace platform
