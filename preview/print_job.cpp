#include "preview/print_job.h"

#include "assets/library_texts.h"
#include "output/printer.h"
#include "output/printer_device.h"
#include "output/publisher.h"
#include "platform/event_loop.h"
#include "platform/message_box.h"
#include "report/custom_report.h"
#include "report/engine.h"

#include <exception>
#include <memory>
#include <utility>

namespace {

void Fire(const TppCustomReport::Event &event, TppCustomReport &report)
{
    if (event)
        event(report);
}

// Sends the publisher's yield to the job for as long as it runs, and back
// to where it went before on every way out.
class YieldRoute {
public:
    YieldRoute(TppPublisher &publisher, std::function<void()> yield)
        : m_publisher(publisher)
        , m_before(std::exchange(publisher.OnYield, std::move(yield)))
    {
    }
    ~YieldRoute() { m_publisher.OnYield = std::move(m_before); }
    YieldRoute(const YieldRoute &) = delete;
    YieldRoute &operator=(const YieldRoute &) = delete;

private:
    TppPublisher &m_publisher;
    std::function<void()> m_before;
};

} // namespace

TppPrintJob::TppPrintJob(TppCustomReport &report, TppPrinterDevice *device)
    : m_report(report)
    , m_device(device)
{
}

void TppPrintJob::Run()
{
    const YieldRoute route(m_report.Publisher(), [this] {
        if (m_report.EnableProcessMessages())
            LetEventsIn(false);
    });
    std::exception_ptr failure;
    try {
        Produce();
    } catch (...) {
        failure = std::current_exception();
    }
    // A job that failed to make its pages still ends, as a cancelled one
    // does: nothing of it is delivered, and its events fire.
    bool handedOver = true;
    try {
        HandOver(!failure && !m_report.CancelRequested());
    } catch (...) {
        handedOver = false;
        if (!failure)
            failure = std::current_exception();
    }
    const std::string notPrinted = handedOver ? Follow() : std::string();
    if (handedOver && notPrinted.empty())
        End();
    m_phase = TppRequestPhase::Ending;
    if (failure)
        std::rethrow_exception(failure);
    if (!notPrinted.empty())
        throw EPrinterError(notPrinted);
}

void TppPrintJob::Produce()
{
    m_phase = TppRequestPhase::Producing;
    TppPublisher &publisher = m_report.Publisher();
    const TppEngine &engine = m_report.Engine();
    if (!engine.Cancelled() && !engine.Started())
        publisher.SetCachePages(m_report.CachePages());
    m_report.CreateDefaultBands();
    Fire(m_report.BeforePrint, m_report);
    if (!m_report.JobStarted() && !m_report.CancelRequested())
        publisher.ResetAll();
    m_report.SetJobStarted(true);
    m_report.SetCancelRequested(false);
    publisher.OpenJob();
    publisher.RequestPages();
}

// A cancelled or failed job is abandoned on every device: nothing more of it
// is delivered, neither the pages drawn nor a file half made.
void TppPrintJob::HandOver(bool finish)
{
    m_phase = TppRequestPhase::HandingOver;
    TppPublisher &publisher = m_report.Publisher();
    if (!finish) {
        publisher.AbandonJob();
        return;
    }
    try {
        publisher.CloseJob();
    } catch (...) {
        publisher.AbandonJob();
        throw;
    }
    // The device never hands a document over on its own (not from its
    // destructor either): one it could not finish is thrown away here, and
    // the user hears that nothing printed.
    if (m_device && m_device->JobOpen()) {
        m_device->AbandonJob();
        throw EPrinterError(LibraryText(ltJobNotFinished, m_report.LanguageIndex()));
    }
}

std::string TppPrintJob::Follow()
{
    if (!m_device)
        return {};
    m_phase = TppRequestPhase::Following;
    // Shared with the callback, which the follow-up keeps until it ends.
    struct Outcome {
        bool known = false;
        std::string failure;
    };
    auto outcome = std::make_shared<Outcome>();
    m_device->WhenJobFollowed([outcome](const std::string &failure) {
        outcome->known = true;
        outcome->failure = failure;
    });
    // The follow-up ticks on a timer: each tick comes in here.
    while (!outcome->known && LetEventsIn(true)) {
    }
    return outcome->failure;
}

void TppPrintJob::End()
{
    m_phase = TppRequestPhase::Ending;
    // A preview's job ends when the preview closes, not here.
    if (m_report.Publisher().HasOnlyScreenDevices())
        return;
    Fire(m_report.AfterPrint, m_report);
    Fire(m_report.OnPrintingComplete, m_report);
}

void TppPrintJob::Cancel()
{
    m_report.Cancel();
    // The report hears of it before the device: a withdrawal that comes too
    // late is told in a message box, and OnCancel may not wait behind it.
    const auto discard = [this] {
        if (!m_device)
            return;
        try {
            if (m_device->DiscardJob() == TppDiscardOutcome::AlreadyPrinted)
                platform::ShowMessage(platform::MessageKind::Information,
                                      FormatLibraryText(ltDocumentAlreadySent, m_report.LanguageIndex(),
                                                        {m_device->TargetName()}));
        } catch (const EPrinterError &error) {
            platform::ShowMessage(platform::MessageKind::Warning, error.what());
        }
    };
    try {
        Fire(m_report.OnCancel, m_report);
    } catch (...) {
        discard();
        throw;
    }
    discard();
}

// The one place where the job lets window messages in. False without an
// application object: no message comes then, nor a follow-up's tick.
bool TppPrintJob::LetEventsIn(bool waitForNext)
{
    return platform::ProcessPendingMessages(waitForNext ? platform::MessageWait::ForNext
                                                        : platform::MessageWait::None);
}
