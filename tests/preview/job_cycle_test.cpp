// The print job's cycle and the report's print settings, on a real engine
// and publisher: the events a job fires, abandoning after a cancel, the job
// end after a failure, and which device names a report takes.

#include "output/device_registry.h"
#include "output/printer_device.h"
#include "report/print_error.h"
#include "assets/library_texts.h"
#include "output/printer.h"
#include "preview/print_job.h"
#include "preview/print_request.h"
#include "preview/report_form.h"
#include "tests/report/engine_fixture.h"

#include "../support/printed_output.h"

#include <QtTest>

#include <stdexcept>

namespace {

// Counts the report's print events in firing order.
struct EventLog {
    explicit EventLog(TppCustomReport &report)
    {
        report.BeforePrint = [this](TppCustomReport &) { events << QStringLiteral("BeforePrint"); };
        report.AfterPrint = [this](TppCustomReport &) { events << QStringLiteral("AfterPrint"); };
        report.OnPrintingComplete = [this](TppCustomReport &) { events << QStringLiteral("Complete"); };
    }
    QStringList events;
};

// The engine's report with a printing device in place of its own, and the
// report's print events recorded.
struct PrintingSheet {
    PrintingSheet()
    {
        sheet.device.SetPublisher(nullptr);
        device.SetPublisher(&sheet.report->Publisher());
    }
    ~PrintingSheet() { device.SetPublisher(nullptr); }

    QStringList log;
    EngineReport sheet;
    RecordingDevice device{&log};
    EventLog events{*sheet.report};
};

// A printer device whose finish leaves its document open, as a device that
// could not end it would.
class UnfinishedPrinterDevice : public TppPrinterDevice {
public:
    void CloseJob() override { }
};

} // namespace

class JobCycleTest : public QObject {
    Q_OBJECT

private slots:
    void jobCycleOnAPrintingDeviceFiresEachEventOnce();
    void cancelledJobIsAbandonedAndStillEnds();
    void cancelEndsTheJobOfDevicesThatHadTheirPages();
    void failedGenerationStillEndsTheJob();
    void jobWithOnlyScreenDevicesLeavesAfterPrintToThePreview();
    void deviceTypeTakesOnlyRegisteredNames();
    void printSettingsHoldWhileAPageIsGenerated();
    void previewWithoutAWindowClassLeavesNothingRunning();
    void reportWithoutAPrintFlowPrintsNothing();
    void unfinishedDocumentIsThrownAwayAndTold();

private:
    // The windows' print flow, without any window class.
    std::unique_ptr<TppPrintFlowRegistration> m_flow = std::make_unique<TppPrintFlowRegistration>(&TppPrintRequest::Create);
};

void JobCycleTest::jobCycleOnAPrintingDeviceFiresEachEventOnce()
{
    PrintingSheet printing;
    auto &[log, sheet, device, events] = printing;

    sheet.report->SendPagesToDevices();

    QCOMPARE(events.events, QStringList({"BeforePrint", "AfterPrint", "Complete"}));
    QCOMPARE(log, QStringList({"device opened", "device request due", "device closed"}));
    QCOMPARE(device.drawn, QList<int>({1}));
    QVERIFY(sheet.report->JobStarted());
}

void JobCycleTest::cancelledJobIsAbandonedAndStillEnds()
{
    PrintingSheet printing;
    auto &[log, sheet, device, events] = printing;
    sheet.Pages(3);
    sheet.report->OnEndPage = [&](TppCustomReport &report) {
        if (report.Engine().PageNo() == 1)
            report.Cancel();
    };

    sheet.report->SendPagesToDevices();

    QVERIFY(log.contains("device abandoned"));
    QVERIFY(!log.contains("device closed"));
    QVERIFY(device.drawn.size() < 3);
    QCOMPARE(events.events, QStringList({"BeforePrint", "AfterPrint", "Complete"}));
}

void JobCycleTest::cancelEndsTheJobOfDevicesThatHadTheirPages()
{
    QStringList log;
    EngineReport sheet;
    sheet.Pages(3);
    sheet.device.SetPublisher(nullptr);
    RecordingDevice viewer(&log, QStringLiteral("viewer"));
    viewer.PageRequest().Assign(MakeRequest(psSinglePage, 1));
    viewer.SetPublisher(&sheet.report->Publisher());
    RecordingDevice printer(&log, QStringLiteral("printer"));
    printer.SetPublisher(&sheet.report->Publisher());
    sheet.report->OnEndPage = [&](TppCustomReport &report) {
        if (report.Engine().PageNo() == 2)
            report.Cancel();
    };

    sheet.report->SendPagesToDevices();

    // A device that had all its pages is abandoned too: a cancelled job
    // delivers nothing more on any device.
    QVERIFY(log.contains("printer abandoned"));
    QVERIFY(log.contains("viewer abandoned"));
    QVERIFY(!log.contains("viewer closed"));
    QVERIFY(!viewer.JobOpen());
    QVERIFY(!printer.JobOpen());
    viewer.SetPublisher(nullptr);
    printer.SetPublisher(nullptr);
}

void JobCycleTest::failedGenerationStillEndsTheJob()
{
    PrintingSheet printing;
    auto &[log, sheet, device, events] = printing;
    sheet.report->OnStartPage = [](TppCustomReport &) { throw std::runtime_error("Disk full"); };

    try {
        sheet.report->SendPagesToDevices();
        QFAIL("the failure must reach the caller");
    } catch (const EPrintError &error) {
        QCOMPARE(QString::fromStdString(error.what()),
                 QString("Cannot generate report.\r\n\r\nDisk full"));
    }
    // Abandoned, not finished: a failed job delivers nothing half made.
    QCOMPARE(log.last(), QString("device abandoned"));
    QCOMPARE(events.events, QStringList({"BeforePrint", "AfterPrint", "Complete"}));
    QVERIFY(!sheet.report->Printing());
}

void JobCycleTest::jobWithOnlyScreenDevicesLeavesAfterPrintToThePreview()
{
    EngineReport sheet;
    sheet.device.SetPublisher(nullptr);
    EventLog events(*sheet.report);

    sheet.report->SendPagesToDevices();

    QCOMPARE(events.events, QStringList({"BeforePrint"}));
}

void JobCycleTest::deviceTypeTakesOnlyRegisteredNames()
{
    TppDeviceClassRegistration printer(TppPrinterDevice::StaticClass());
    TppReport report;
    QCOMPARE(report.DeviceType(), std::string("Screen"));

    report.SetDeviceType("Printer");
    QCOMPARE(report.DeviceType(), std::string("Printer"));
    report.SetDeviceType("Plotter");
    QCOMPARE(report.DeviceType(), std::string("Printer"));

    // A stored definition keeps what it names.
    report.BeginReading();
    report.SetDeviceType("Plotter");
    report.EndReading();
    QCOMPARE(report.DeviceType(), std::string("Plotter"));
}

void JobCycleTest::printSettingsHoldWhileAPageIsGenerated()
{
    TppDeviceClassRegistration printer(TppPrinterDevice::StaticClass());
    EngineReport sheet;
    TppReport &report = *sheet.report;
    report.OnStartPage = [](TppCustomReport &self) {
        self.SetDeviceType("Printer");
        self.SetShowPrintDialog(false);
        self.SetModalPreview(false);
        self.SetTextFileName("x.txt");
    };

    sheet.Request(MakeRequest(psAll));

    QCOMPARE(report.DeviceType(), std::string("Screen"));
    QVERIFY(report.ShowPrintDialog());
    QVERIFY(report.ModalPreview());
    QCOMPARE(report.TextFileName(), std::string());
    report.SetShowPrintDialog(false);
    QVERIFY(!report.ShowPrintDialog());
}

void JobCycleTest::previewWithoutAWindowClassLeavesNothingRunning()
{
    EngineReport sheet;
    EventLog events(*sheet.report);

    sheet.report->Print();

    QVERIFY(!sheet.report->Producing());
    QCOMPARE(sheet.report->PreviewForm(), nullptr);
    QVERIFY(events.events.isEmpty());
}

void JobCycleTest::reportWithoutAPrintFlowPrintsNothing()
{
    m_flow.reset();
    PrintingSheet printing;
    printing.sheet.report->SetDeviceType("Printer");
    printing.sheet.report->Print();
    printing.sheet.report->SendPagesToDevices();
    m_flow = std::make_unique<TppPrintFlowRegistration>(&TppPrintRequest::Create);

    QVERIFY(!printing.sheet.report->Producing());
    QVERIFY(printing.events.events.isEmpty());
    QVERIFY(printing.log.isEmpty());
}

void JobCycleTest::unfinishedDocumentIsThrownAwayAndTold()
{
    const printed::TestQueue queue(QStringLiteral("JobCycleUnfinished"));
    QVERIFY(queue.Created());
    EngineReport sheet;
    EventLog events(*sheet.report);
    sheet.device.SetPublisher(nullptr);
    UnfinishedPrinterDevice device;
    TppPrinterSetup setup;
    setup.Assign(sheet.report->PrinterSetup());
    setup.SetPrinterName(queue.StdName());
    device.Printer().SetPrinterSetup(setup);
    device.SetPublisher(&sheet.report->Publisher());
    const int before = queue.JobCount();

    QString told;
    try {
        TppPrintJob(*sheet.report, &device).Run();
    } catch (const EPrinterError &error) {
        told = QString::fromStdString(error.what());
    }
    device.SetPublisher(nullptr);

    QCOMPARE(told, QString::fromStdString(LibraryText(ltJobNotFinished, 0)));
    QVERIFY(!device.JobOpen());
    QVERIFY(!device.Printer().DocumentOpen());
    QCOMPARE(queue.JobCount(), before);
    // It did not print: no AfterPrint, no OnPrintingComplete.
    QCOMPARE(events.events, QStringList{QStringLiteral("BeforePrint")});
}

QTEST_MAIN(JobCycleTest)
#include "job_cycle_test.moc"
