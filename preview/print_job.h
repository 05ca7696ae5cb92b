// One run of a report's pages to its devices, from the first page to the print server's answer.
#pragma once

#include "report/print_request_phase.h"

#include <functional>
#include <string>

class TppCustomReport;
class TppPrinterDevice;

// A print job: it makes the report's pages for the devices connected to the
// publisher and ends their job, as steps run in order:
//   Producing    the engine makes pages and the devices their copies;
//   HandingOver  the devices finish (or, after a cancel or a failure,
//                abandon) and hand their document over;
//   Following    the print server's follow-up of that document runs;
//   Ending       AfterPrint and OnPrintingComplete, when the job printed.
// While it runs, window messages are let in at one place, LetEventsIn:
// the engine's yield after each band and each copy reaches it through the
// publisher, and the follow-up waits there for its timer. The cancel dialog
// and the preview observe the job and send it Cancel; they do not own it.
class TppPrintJob {
public:
    // `device` is the drawing device whose document the print server is to
    // get, or null for a job of screen devices (a preview's pages).
    TppPrintJob(TppCustomReport &report, TppPrinterDevice *device);
    TppPrintJob(const TppPrintJob &) = delete;
    TppPrintJob &operator=(const TppPrintJob &) = delete;

    // Runs the steps; returns once the job has ended. A failure to make the
    // pages, to hand the document over, or of the print server continues to
    // the caller after the job has ended.
    void Run();
    // The user's Cancel: generation stops at the engine's next check, the
    // report's OnCancel fires, and what the device holds is discarded; the
    // user is told when the print server had already passed it on.
    void Cancel();

    TppRequestPhase Phase() const { return m_phase; }

private:
    void Produce();
    void HandOver(bool finish);
    // Why the document did not print; empty when it did (or nothing was
    // handed over).
    std::string Follow();
    void End();
    bool LetEventsIn(bool waitForNext);

    TppCustomReport &m_report;
    TppPrinterDevice *m_device;
    TppRequestPhase m_phase = TppRequestPhase::Starting;
};
