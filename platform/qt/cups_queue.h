#pragma once

#include <cups/cups.h>

#include <string>

namespace platform {

// The spooler's destinations, freed with the object.
class CupsDestinations
{
public:
    CupsDestinations() { m_count = cupsGetDests2(CUPS_HTTP_DEFAULT, &m_dests); }
    CupsDestinations(const CupsDestinations &) = delete;
    CupsDestinations &operator=(const CupsDestinations &) = delete;
    ~CupsDestinations() { cupsFreeDests(m_count, m_dests); }

    const cups_dest_t *begin() const { return m_dests; }
    const cups_dest_t *end() const { return m_dests + m_count; }

private:
    cups_dest_t *m_dests = nullptr;
    int m_count = 0;
};

// A connection to the spooler made within a bounded time, so that a server
// that is down or far away never holds the program up for long; closed with
// the object. Null when the server did not answer in time.
class CupsConnection
{
public:
    CupsConnection();
    CupsConnection(const CupsConnection &) = delete;
    CupsConnection &operator=(const CupsConnection &) = delete;
    ~CupsConnection();

    explicit operator bool() const { return m_http != nullptr; }
    http_t *get() const { return m_http; }

private:
    http_t *m_http = nullptr;
};

// Whether a queue can take a job now, as the spooler says at this moment.
struct CupsQueueState {
    // The spooler answered at all; without an answer nothing else is known.
    bool reachable = false;
    bool exists = false;
    bool accepting = false;
    bool stopped = false;
    std::string reason; // the spooler's message, when it gave one
};

CupsQueueState ReadQueueState(const std::string &queue);

// What became of a submitted job, as the spooler says at this moment.
struct CupsJobState {
    bool known = false;
    ipp_jstate_t state = IPP_JSTATE_PENDING;
    std::string reason; // the job's message, when it has one
};

CupsJobState ReadJobState(int job);

// Asks the spooler to cancel a job; false, with the spooler's reason, when
// it did not.
bool CancelQueueJob(const std::string &queue, int job, std::string &reason);

} // namespace platform
