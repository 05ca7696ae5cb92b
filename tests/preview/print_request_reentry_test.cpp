// A print request called again from inside itself: window messages are
// handled while the print dialog is open and while pages are made, so a
// timer or an event handler may call Print at any moment of a running
// request. Every such call is refused without touching the running job:
// the program goes on, the first job prints whole, and the report's setup
// is restored after it. The preview's own moments (closing, released later)
// are covered too, and so is where the events come in while a job runs: at
// the job's one entry point, in no event loop of its own.

#include "output/printer_list.h"
#include "preview/print_preview.h"
#include "preview/preview_registration.h"
#include "preview/print_registration.h"
#include "preview/viewer.h"
#include "report/print_request_phase.h"
#include "tests/preview/print_flow_fixture.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QThread>
#include <QtTest>

using namespace print_flow;

namespace {

enum class Trigger { PrintDialog, PageEvent, Timer, FollowUpTimer, JobEndEvent };
enum class CancelDialog { Modal, NonModal, None };

// What a call of Print from inside the request found and left.
struct Reentry {
    int calls = 0;
    QString phase;
    bool jobUntouched = true;
};

} // namespace

Q_DECLARE_METATYPE(Trigger)
Q_DECLARE_METATYPE(CancelDialog)

class PrintRequestReentryTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void secondPrintIsRefused_data();
    void secondPrintIsRefused();
    void jobRunsNoLoopOfItsOwn_data();
    void jobRunsNoLoopOfItsOwn();
    void previewClosedButNotReleased();
    void previewClosedWhileItsPagesAreMade();
    void printFromTheClosingPreviewIsRefused();

private:
    TppPreviewRegistration m_previewRegistration;
    TppPrintRegistration m_registration;
    std::unique_ptr<TestQueue> m_queue;
};

void PrintRequestReentryTest::initTestCase()
{
    if (!printed::PrintServerRunning() || !QPrinterInfo::availablePrinterNames().contains(QStringLiteral("ValdoraPDF")))
        QSKIP("needs the private print server of scripts/test-services.sh");
    m_queue = std::make_unique<TestQueue>(QStringLiteral("ValdoraReentryTest"));
    QVERIFY(m_queue->Created());
    TppPrinterList::Instance().Refresh();
}

void PrintRequestReentryTest::init()
{
    if (m_queue) {
        m_queue->Enable();
        m_queue->ForgetOutput();
    }
}

void PrintRequestReentryTest::secondPrintIsRefused_data()
{
    QTest::addColumn<Trigger>("trigger");
    QTest::addColumn<CancelDialog>("cancelDialog");
    QTest::addColumn<QString>("phase");

    QTest::newRow("print dialog open") << Trigger::PrintDialog << CancelDialog::Modal << "dialog open";
    QTest::newRow("page event, modal cancel dialog") << Trigger::PageEvent << CancelDialog::Modal << "producing";
    QTest::newRow("timer, modal cancel dialog") << Trigger::Timer << CancelDialog::Modal << "producing";
    QTest::newRow("timer, non-modal cancel dialog") << Trigger::Timer << CancelDialog::NonModal << "producing";
    QTest::newRow("page event, no cancel dialog") << Trigger::PageEvent << CancelDialog::None << "producing";
    QTest::newRow("timer, no cancel dialog") << Trigger::Timer << CancelDialog::None << "producing";
    QTest::newRow("timer, print server's follow-up") << Trigger::FollowUpTimer << CancelDialog::Modal << "following";
    QTest::newRow("job end event") << Trigger::JobEndEvent << CancelDialog::Modal << "ending";
}

void PrintRequestReentryTest::secondPrintIsRefused()
{
    QFETCH(Trigger, trigger);
    QFETCH(CancelDialog, cancelDialog);
    QFETCH(QString, phase);

    FlowReport flow(*m_queue, 3);
    TppReport &report = flow.Report();
    report.SetShowCancelDialog(cancelDialog != CancelDialog::None);
    report.SetModalCancelDialog(cancelDialog == CancelDialog::Modal);
    TppPrinterSetup before;
    before.Assign(report.PrinterSetup());
    int dialogs = 0;
    report.OnPrintDialogCreate = [&](TppCustomReport &) { ++dialogs; };

    Reentry reentry;
    QTimer ticks;
    const auto reenter = [&] {
        if (reentry.calls++ == 0)
            reentry.phase = QString::fromLatin1(RequestPhaseName(report.RequestPhase()));
        TppPrinterDevice *device = report.PrinterDevice();
        TppCustomPrintDialog *dialog = report.PrintDialog();
        TppCustomCancelDialog *cancel = report.CancelDialog();
        report.Print();
        reentry.jobUntouched = reentry.jobUntouched && report.Producing() && report.PrinterDevice() == device
            && report.PrintDialog() == dialog && report.CancelDialog() == cancel;
    };
    switch (trigger) {
    case Trigger::PrintDialog:
        break;
    case Trigger::PageEvent:
        report.OnEndPage = [&](TppCustomReport &self) {
            if (self.Engine().PageNo() == 1)
                reenter();
        };
        break;
    case Trigger::Timer:
        // Fires the first time the running job lets the loop handle messages.
        report.BeforePrint = [&](TppCustomReport &) { QTimer::singleShot(0, reenter); };
        break;
    case Trigger::FollowUpTimer:
        // Ticks until the job waits for the print server.
        QObject::connect(&ticks, &QTimer::timeout, [&] {
            if (reentry.calls == 0 && report.RequestPhase() == TppRequestPhase::Following)
                reenter();
        });
        ticks.start(5);
        break;
    case Trigger::JobEndEvent:
        report.AfterPrint = [&](TppCustomReport &) { reenter(); };
        break;
    }

    WindowDriver driver;
    driver.onPrintDialog = [&](TppPrintDialog &dialog) {
        // Two collated copies: the job's setup differs from the report's.
        Find<QLineEdit>(dialog, "edtCopies")->setText(QStringLiteral("2"));
        if (QCheckBox *collation = Find<QCheckBox>(dialog, "cbxCollate"); !collation->isChecked())
            collation->click();
        if (trigger == Trigger::PrintDialog)
            reenter();
        ClickOk(dialog);
    };
    const int jobs = m_queue->JobCount();
    report.Print();

    // A page event comes again for the second copy.
    QCOMPARE(reentry.calls, trigger == Trigger::PageEvent ? 2 : 1);
    QCOMPARE(reentry.phase, phase);
    QVERIFY(reentry.jobUntouched);
    QCOMPARE(dialogs, 1);
    QCOMPARE(driver.messages, QStringList());
    QCOMPARE(report.RequestPhase(), TppRequestPhase::Idle);
    QVERIFY(!report.Producing());
    QCOMPARE(report.PrinterDevice(), nullptr);
    QCOMPARE(report.CancelDialog(), nullptr);
    QVERIFY(report.PrinterSetup().SameAs(before));
    QCOMPARE(m_queue->JobCount(), jobs + 1);
    QVERIFY(m_queue->WaitForOutput());
    QCOMPARE(PrintedPages(m_queue->OutputFile()), (QStringList{"1", "2", "3", "1", "2", "3"}));
}

void PrintRequestReentryTest::jobRunsNoLoopOfItsOwn_data()
{
    QTest::addColumn<CancelDialog>("cancelDialog");
    QTest::newRow("modal cancel dialog") << CancelDialog::Modal;
    QTest::newRow("non-modal cancel dialog") << CancelDialog::NonModal;
    QTest::newRow("no cancel dialog") << CancelDialog::None;
}

// A timer ticking through the job sees how deep the event loops are nested
// in each step: no deeper than where Print was called, as the job's steps
// let the events in themselves (the print dialog, which the user answers,
// runs a loop of its own before the job).
void PrintRequestReentryTest::jobRunsNoLoopOfItsOwn()
{
    QFETCH(CancelDialog, cancelDialog);
    FlowReport flow(*m_queue, 2);
    TppReport &report = flow.Report();
    report.SetShowCancelDialog(cancelDialog != CancelDialog::None);
    report.SetModalCancelDialog(cancelDialog == CancelDialog::Modal);

    const int levelAtPrint = QThread::currentThread()->loopLevel();
    QMap<QString, int> deepest;
    QTimer ticks;
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        const TppRequestPhase phase = report.RequestPhase();
        if (phase != TppRequestPhase::Producing && phase != TppRequestPhase::Following)
            return;
        const QString name = QString::fromLatin1(RequestPhaseName(phase));
        deepest[name] = std::max(deepest.value(name), QThread::currentThread()->loopLevel());
    });
    ticks.start(1);
    // Band after band, a tick comes in while the pages are made.
    report.OnEndPage = [](TppCustomReport &) { QThread::msleep(3); };
    WindowDriver driver;
    driver.onPrintDialog = [&](TppPrintDialog &dialog) { ClickOk(dialog); };

    report.Print();

    QCOMPARE(driver.messages, QStringList());
    QCOMPARE(deepest.keys(), (QStringList{"following", "producing"}));
    QCOMPARE(deepest.value("producing"), levelAtPrint);
    QCOMPARE(deepest.value("following"), levelAtPrint);
    QVERIFY(m_queue->WaitForOutput());
}

// A preview shown without its own modal loop is released once control is
// back in the event loop; a Print before that opens a new preview, after
// the closed one has ended its request.
void PrintRequestReentryTest::previewClosedButNotReleased()
{
    FlowReport flow(*m_queue, 2);
    TppReport &report = flow.Report();
    report.SetDeviceType("Screen");
    report.SetModalPreview(false);
    int closes = 0;
    report.OnPreviewFormClose = [&](TppCustomReport &) { ++closes; };

    report.Print();
    auto *first = dynamic_cast<TppPrintPreview *>(report.PreviewForm());
    QVERIFY(first && first->isVisible());
    QCOMPARE(report.RequestPhase(), TppRequestPhase::PreviewShown);
    QPointer<TppPrintPreview> firstWindow(first);
    first->close();
    QVERIFY(!firstWindow.isNull());

    report.Print();
    QVERIFY(firstWindow.isNull());
    QCOMPARE(closes, 1);
    auto *second = dynamic_cast<TppPrintPreview *>(report.PreviewForm());
    QVERIFY(second && second->isVisible());
    QCOMPARE(report.RequestPhase(), TppRequestPhase::PreviewShown);
    QVERIFY(report.Producing());
    QTRY_VERIFY(second->Viewer().CurrentPageNo() == 1);

    second->close();
    QTRY_COMPARE(report.PreviewForm(), nullptr);
    QCOMPARE(closes, 2);
    QCOMPARE(report.RequestPhase(), TppRequestPhase::Idle);
    QVERIFY(!report.Producing());
    QCOMPARE(flow.events, (QStringList{"BeforePrint", "AfterPrint", "BeforePrint", "AfterPrint"}));
}

// The user closes a non-modal preview while the engine makes its pages: the
// job is cancelled, and the window stays until it has ended, then goes by
// itself.
void PrintRequestReentryTest::previewClosedWhileItsPagesAreMade()
{
    FlowReport flow(*m_queue, 3);
    TppReport &report = flow.Report();
    report.SetDeviceType("Screen");
    report.SetModalPreview(false);
    QPointer<TppPrintPreview> window;
    bool aliveAfterClose = false;
    report.OnEndPage = [&](TppCustomReport &) {
        if (!window)
            return;
        window->close();
        // Whatever the close posted comes in while the job still runs.
        QCoreApplication::processEvents();
        aliveAfterClose = !window.isNull();
    };
    report.OnPreviewFormCreate = [&](TppCustomReport &self) {
        window = dynamic_cast<TppPrintPreview *>(self.PreviewForm());
    };

    report.Print();

    QVERIFY(aliveAfterClose);
    QTRY_VERIFY(window.isNull());
    QCOMPARE(report.PreviewForm(), nullptr);
    QCOMPARE(report.RequestPhase(), TppRequestPhase::Idle);
    QVERIFY(!report.Producing());
}

// The closing events run while the preview window is destroyed: a Print
// from them opens nothing inside that.
void PrintRequestReentryTest::printFromTheClosingPreviewIsRefused()
{
    FlowReport flow(*m_queue, 1);
    TppReport &report = flow.Report();
    report.SetDeviceType("Screen");
    QString phase;
    int windows = 0;
    report.OnPreviewFormCreate = [&](TppCustomReport &) { ++windows; };
    report.OnPreviewFormClose = [&](TppCustomReport &self) {
        phase = QString::fromLatin1(RequestPhaseName(self.RequestPhase()));
        self.Print();
    };
    // Closes the modal preview once it is on show.
    QTimer closer;
    closer.setInterval(20);
    connect(&closer, &QTimer::timeout, [&] {
        if (auto *window = dynamic_cast<TppPrintPreview *>(QApplication::activeModalWidget()))
            window->close();
    });
    closer.start();

    report.Print();

    QCOMPARE(phase, QStringLiteral("preview closing"));
    QCOMPARE(windows, 1);
    QCOMPARE(report.PreviewForm(), nullptr);
    QCOMPARE(report.RequestPhase(), TppRequestPhase::Idle);
    QVERIFY(!report.Producing());
}

QTEST_MAIN(PrintRequestReentryTest)
#include "print_request_reentry_test.moc"
