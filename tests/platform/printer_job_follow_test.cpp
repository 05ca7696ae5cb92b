// A document handed to the private print server is followed from the event
// loop, and can be withdrawn from its queue for as long as the server holds
// it. A queue that holds every job (job-hold-until indefinite) stands for a
// busy or paused printer: its jobs stay with the server well beyond the
// moments the device follows them.

#include "platform/print_document.h"

#include "../support/printed_output.h"

#include <QElapsedTimer>
#include <QPrinterInfo>
#include <QEventLoop>
#include <QTimer>
#include <QtTest>

#include <cups/cups.h>

#include <memory>

namespace {

using printed::JobState;
using printed::WaitForJobState;
using printed::TestQueue;

// The longest time the event loop went without running a timer while
// `work` ran.
template <typename Work>
qint64 LongestStall(Work work)
{
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0;
    qint64 longest = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longest = std::max(longest, clock.elapsed() - last);
        last = clock.elapsed();
    });
    tick.start(10);
    work();
    tick.stop();
    return std::max(longest, clock.elapsed() - last);
}

} // namespace

class PrinterJobFollowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void heldJobIsFollowedWithoutFreezing();
    void withdrawnWhileFollowed();
    void withdrawnTooLate();
    void nothingHandedOver();
    void destroyedWhileFollowed();

private:
    // A one-page document handed to the queue; the job's id.
    int PrintOnePage(platform::PrinterDevice &device, const TestQueue &queue);

    std::unique_ptr<TestQueue> m_queue;
    std::unique_ptr<TestQueue> m_holding;
};

void PrinterJobFollowTest::initTestCase()
{
    if (!printed::PrintServerRunning() || !QPrinterInfo::availablePrinterNames().contains(QStringLiteral("ValdoraPDF")))
        QSKIP("needs the private print server of scripts/test-services.sh");
    m_queue = std::make_unique<TestQueue>(QStringLiteral("ValdoraFollowTest"));
    QVERIFY(m_queue->Created());
    m_holding = std::make_unique<TestQueue>(QStringLiteral("ValdoraFollowHolding"));
    QVERIFY(m_holding->Created());
    QVERIFY(printed::Run(QStringLiteral("lpadmin"),
                         {"-p", m_holding->Name(), "-o", "job-hold-until-default=indefinite"}));
}

void PrinterJobFollowTest::init()
{
    m_queue->ForgetOutput();
    m_holding->ForgetOutput();
}

int PrinterJobFollowTest::PrintOnePage(platform::PrinterDevice &device, const TestQueue &queue)
{
    const int before = queue.NewestJob();
    device.BeginDocument("Report");
    device.StartPage();
    device.EndPage();
    device.EndDocument();
    // The follow-up runs from the event loop; the test's loop waits for it.
    bool followed = false;
    device.WhenJobFollowed([&](const std::string &) { followed = true; });
    QEventLoop wait;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, &wait, [&] {
        if (followed)
            wait.quit();
    });
    tick.start(10);
    if (!followed)
        wait.exec();
    const int job = queue.NewestJob();
    return job > before ? job : 0;
}

void PrinterJobFollowTest::heldJobIsFollowedWithoutFreezing()
{
    const std::unique_ptr<platform::PrinterDevice> device = platform::OpenPrinterDevice(m_holding->StdName());
    QVERIFY(device);
    int job = 0;
    // The device follows the job for a few seconds; windows are served all
    // the while, and a job merely waiting is no error.
    const qint64 stall = LongestStall([&] { job = PrintOnePage(*device, *m_holding); });
    QVERIFY(job > 0);
    QVERIFY2(stall < 1000, qPrintable(QString::number(stall)));
    QCOMPARE(JobState(*m_holding, job), int(IPP_JSTATE_HELD));

    // Still with the server after the follow-up: it can be withdrawn.
    QCOMPARE(device->WithdrawDocument(), platform::Withdrawal::Withdrawn);
    QVERIFY(WaitForJobState(*m_holding, job, IPP_JSTATE_CANCELED));
    QVERIFY(!QFile::exists(m_holding->OutputFile()));
}

void PrinterJobFollowTest::withdrawnWhileFollowed()
{
    const std::unique_ptr<platform::PrinterDevice> device = platform::OpenPrinterDevice(m_holding->StdName());
    QVERIFY(device);
    std::optional<platform::Withdrawal> withdrawal;
    QTimer::singleShot(200, [&] { withdrawal = device->WithdrawDocument(); });
    QElapsedTimer clock;
    clock.start();
    const int job = PrintOnePage(*device, *m_holding);
    // The follow-up ends with the withdrawal, without an error.
    QVERIFY(clock.elapsed() < 2500);
    QVERIFY(job > 0);
    QCOMPARE(withdrawal, platform::Withdrawal::Withdrawn);
    QVERIFY(WaitForJobState(*m_holding, job, IPP_JSTATE_CANCELED));
    QVERIFY(!QFile::exists(m_holding->OutputFile()));
    // Asked again, the answer stands.
    QCOMPARE(device->WithdrawDocument(), platform::Withdrawal::Withdrawn);
}

void PrinterJobFollowTest::withdrawnTooLate()
{
    const std::unique_ptr<platform::PrinterDevice> device = platform::OpenPrinterDevice(m_queue->StdName());
    QVERIFY(device);
    const int job = PrintOnePage(*device, *m_queue);
    QVERIFY(job > 0);
    QVERIFY(m_queue->WaitForOutput());
    QCOMPARE(JobState(*m_queue, job), int(IPP_JSTATE_COMPLETED));
    QCOMPARE(device->WithdrawDocument(), platform::Withdrawal::TooLate);
    QCOMPARE(JobState(*m_queue, job), int(IPP_JSTATE_COMPLETED));
    QCOMPARE(printed::PdfPageCount(m_queue->OutputFile()), 1);
}

void PrinterJobFollowTest::nothingHandedOver()
{
    const std::unique_ptr<platform::PrinterDevice> device = platform::OpenPrinterDevice(m_holding->StdName());
    QVERIFY(device);
    QCOMPARE(device->WithdrawDocument(), platform::Withdrawal::NothingHandedOver);
    device->BeginDocument("Report");
    device->StartPage();
    QCOMPARE(device->WithdrawDocument(), platform::Withdrawal::NothingHandedOver);
    device->AbortDocument();
    QCOMPARE(device->WithdrawDocument(), platform::Withdrawal::NothingHandedOver);

    // A document begun after one was handed over is not yet with the server:
    // the earlier job is not its to withdraw.
    const int job = PrintOnePage(*device, *m_holding);
    QVERIFY(job > 0);
    device->BeginDocument("Report");
    QCOMPARE(device->WithdrawDocument(), platform::Withdrawal::NothingHandedOver);
    device->AbortDocument();
    QCOMPARE(JobState(*m_holding, job), int(IPP_JSTATE_HELD));
    QCOMPARE(cupsCancelJob2(CUPS_HTTP_DEFAULT, qPrintable(m_holding->Name()), job, 0), IPP_STATUS_OK);
}

void PrinterJobFollowTest::destroyedWhileFollowed()
{
    auto device = platform::OpenPrinterDevice(m_holding->StdName());
    QVERIFY(device);
    const int before = m_holding->NewestJob();
    device->BeginDocument("Report");
    device->StartPage();
    device->EndDocument();
    int calls = 0;
    device->WhenJobFollowed([&](const std::string &) { ++calls; });
    // Whoever waited goes with the device: nothing is called back from its
    // destructor, nor later from the loop.
    device.reset();
    QTest::qWait(200);
    QCOMPARE(calls, 0);
    const int job = m_holding->NewestJob();
    QVERIFY(job > before);
    QCOMPARE(JobState(*m_holding, job), int(IPP_JSTATE_HELD));
    QCOMPARE(cupsCancelJob2(CUPS_HTTP_DEFAULT, qPrintable(m_holding->Name()), job, 0), IPP_STATUS_OK);
}

QTEST_MAIN(PrinterJobFollowTest)
#include "printer_job_follow_test.moc"
