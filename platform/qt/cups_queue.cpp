#include "platform/qt/cups_queue.h"

namespace platform {

namespace {

// A local server answers in milliseconds; this is long enough for a busy
// one on the network and short enough not to be felt as a hang.
constexpr int kConnectMilliseconds = 1000;

} // namespace

CupsConnection::CupsConnection()
{
    m_http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, kConnectMilliseconds,
                          nullptr);
}

CupsConnection::~CupsConnection()
{
    if (m_http)
        httpClose(m_http);
}

CupsQueueState ReadQueueState(const std::string &queue)
{
    CupsQueueState state;
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0, "/printers/%s",
                     queue.c_str());
    ipp_t *request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    static const char *const wanted[] = {"printer-state", "printer-is-accepting-jobs", "printer-state-message"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 3, nullptr, wanted);

    const CupsConnection connection;
    if (!connection) {
        ippDelete(request);
        return state;
    }
    ipp_t *response = cupsDoRequest(connection.get(), request, "/");
    // No response at all: the connection failed (the spooler is not running,
    // or stopped while we talked to it); its reason is the socket's.
    state.reachable = response != nullptr;
    if (!response || cupsLastError() > IPP_STATUS_OK_CONFLICTING) {
        if (state.reachable && cupsLastErrorString())
            state.reason = cupsLastErrorString();
        ippDelete(response);
        return state;
    }
    state.exists = true;
    if (ipp_attribute_t *attribute = ippFindAttribute(response, "printer-state", IPP_TAG_ENUM))
        state.stopped = ippGetInteger(attribute, 0) == IPP_PSTATE_STOPPED;
    if (ipp_attribute_t *attribute = ippFindAttribute(response, "printer-is-accepting-jobs", IPP_TAG_BOOLEAN))
        state.accepting = ippGetBoolean(attribute, 0) != 0;
    if (ipp_attribute_t *attribute = ippFindAttribute(response, "printer-state-message", IPP_TAG_TEXT)) {
        if (const char *message = ippGetString(attribute, 0, nullptr))
            state.reason = message;
    }
    ippDelete(response);
    return state;
}

CupsJobState ReadJobState(int job)
{
    CupsJobState state;
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0, "/jobs/%d", job);
    ipp_t *request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri);
    static const char *const wanted[] = {"job-state", "job-printer-state-message", "job-state-message"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 3, nullptr, wanted);
    // Asked while the user waits for the job: a server gone quiet may not
    // hold the program up.
    const CupsConnection connection;
    if (!connection) {
        ippDelete(request);
        return state;
    }
    ipp_t *response = cupsDoRequest(connection.get(), request, "/");
    if (!response || cupsLastError() > IPP_STATUS_OK_CONFLICTING) {
        ippDelete(response);
        return state;
    }
    if (ipp_attribute_t *attribute = ippFindAttribute(response, "job-state", IPP_TAG_ENUM)) {
        state.known = true;
        state.state = static_cast<ipp_jstate_t>(ippGetInteger(attribute, 0));
    }
    for (const char *name : {"job-state-message", "job-printer-state-message"}) {
        ipp_attribute_t *attribute = ippFindAttribute(response, name, IPP_TAG_TEXT);
        const char *message = attribute ? ippGetString(attribute, 0, nullptr) : nullptr;
        if (message && *message && state.reason.empty())
            state.reason = message;
    }
    ippDelete(response);
    return state;
}

bool CancelQueueJob(const std::string &queue, int job, std::string &reason)
{
    const CupsConnection connection;
    if (!connection) {
        reason = "the print server cannot be reached";
        return false;
    }
    if (cupsCancelJob2(connection.get(), queue.c_str(), job, 0) <= IPP_STATUS_OK_EVENTS_COMPLETE)
        return true;
    const char *error = cupsLastErrorString();
    reason = error ? error : "";
    return false;
}

} // namespace platform
