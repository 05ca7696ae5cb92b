#include "platform/qt/cups_queue.h"

namespace platform {

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

    ipp_t *response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    if (!response || cupsLastError() > IPP_STATUS_OK_CONFLICTING) {
        state.reason = cupsLastErrorString() ? cupsLastErrorString() : "";
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

} // namespace platform
