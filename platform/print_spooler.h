#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The machine's print spooler as the engine sees it: its queues, the default
// one, and what a queue's driver says about papers and bins, in the form the
// engine's printer list normalises.
namespace platform {

struct SpoolerQueue {
    std::string name;
    std::string driver; // make and model, may be empty
    std::string port;   // where the queue sends its jobs (device URI)
    bool remote = false;
};

// A queue's capabilities as its driver reports them. The four paper lists and
// the two bin lists are parallel when the driver is consistent; the engine
// copes when they are not. Sizes are portrait, in tenths of a millimetre.
struct SpoolerCapabilities {
    std::vector<std::string> paperNames;
    std::vector<std::int16_t> paperNumbers;
    std::vector<std::int32_t> paperWidths;
    std::vector<std::int32_t> paperHeights;
    std::vector<std::string> binNames;
    std::vector<std::int16_t> binNumbers;
    // The bin the queue picks when none is asked for.
    std::int16_t defaultBin = 7;
};

// Whether a queue can be printed on, as far as the spooler is concerned.
enum class QueueAvailability { Available, Missing, ServerUnreachable };

// Asks the spooler about one queue, waiting a bounded time for its answer.
QueueAvailability QueueAvailable(const std::string &queue);
// Whether the spooler answers at all (Missing: it answers, but has no queue).
QueueAvailability SpoolerAvailability();

// Every queue the spooler knows, in its order. Empty when it cannot be reached.
std::vector<SpoolerQueue> EnumerateQueues();
// The spooler's default queue; empty when there is none.
std::string DefaultQueueName();
// The driver's capabilities; empty lists when the queue cannot be asked.
SpoolerCapabilities ReadCapabilities(const std::string &queue);

} // namespace platform
