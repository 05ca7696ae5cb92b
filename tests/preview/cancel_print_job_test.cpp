// Cancel in the cancel dialog of a long print job, pressed at the moments a
// user meets: while the copies are drawn, while the print server works on
// the job or holds it, and once it has printed. The results sheet goes to
// queues of the private print server through the real print and cancel
// dialogs; what the server did with the job is read back from it.

#include "app/results_sheet.h"
#include "output/printer_list.h"
#include "preview/cancel_dialog.h"
#include "preview/print_dialog.h"
#include "preview/print_registration.h"
#include "report/label.h"
#include "report/report.h"

#include "../support/kept_settings.h"
#include "../support/printed_output.h"
#include "tests/preview/print_flow_fixture.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRegularExpression>
#include <QThread>
#include <QtTest>

#include <cups/cups.h>

#include <functional>
#include <memory>

static void LoadPictures()
{
    Q_INIT_RESOURCE(pictures);
}

namespace {

using print_flow::Find;

using printed::JobState;
using printed::WaitForJobState;
using printed::TestQueue;

// Waits without serving the program's windows, as a printer works on while
// the program is busy.
bool BlockUntilJobState(const TestQueue &queue, int job, int state)
{
    for (int attempt = 0; attempt < 600; ++attempt) {
        if (JobState(queue, job) == state)
            return true;
        QThread::msleep(25);
    }
    return false;
}

// Plays the user in the windows of a print run: chooses the copies in the
// print dialog and prints, watches the cancel dialog's status line and
// presses its Cancel once when told to, and reads and closes message boxes.
// It also notes the longest time the windows went unserved.
class JobDriver
{
public:
    int copies = 1;
    bool collate = false;
    // Asked while the cancel dialog shows, with its status line; true
    // presses Cancel, after `beforeCancel`.
    std::function<bool(const QString &status)> cancelWhen;
    std::function<void()> beforeCancel;

    QStringList statusTexts;
    QStringList messages;
    bool cancelPressed = false;
    QString statusAtCancel;
    qint64 longestStall = 0;

    JobDriver()
    {
        m_clock.start();
        Poll();
    }
    ~JobDriver() { delete m_guard; }
    JobDriver(const JobDriver &) = delete;
    JobDriver &operator=(const JobDriver &) = delete;

private:
    void Poll()
    {
        QTimer::singleShot(0, m_guard, [this] { Poll(); });
        longestStall = std::max(longestStall, m_clock.restart());
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            messages << box->text();
            box->accept();
        } else if (auto *dialog = qobject_cast<TppPrintDialog *>(modal); dialog && !m_printDialogSeen && dialog->isVisible()) {
            m_printDialogSeen = true;
            Find<QLineEdit>(*dialog, "edtCopies")->setText(QString::number(copies));
            auto *collation = Find<QCheckBox>(*dialog, "cbxCollate");
            if (collation->isChecked() != collate)
                collation->click();
            QTest::mouseClick(Find<QPushButton>(*dialog, "btnOK"), Qt::LeftButton);
        }
        for (QWidget *window : QApplication::topLevelWidgets()) {
            auto *cancel = qobject_cast<TppCancelDialog *>(window);
            if (!cancel || !cancel->isVisible())
                continue;
            const QString text = Find<QLabel>(*cancel, "memMessage")->text();
            if (!text.isEmpty() && (statusTexts.isEmpty() || statusTexts.last() != text))
                statusTexts << text;
            if (!cancelPressed && cancelWhen && cancelWhen(text)) {
                cancelPressed = true;
                statusAtCancel = text;
                if (beforeCancel)
                    beforeCancel();
                QTest::mouseClick(Find<QPushButton>(*cancel, "btnCancel"), Qt::LeftButton);
            }
        }
    }

    QObject *m_guard = new QObject;
    QElapsedTimer m_clock;
    bool m_printDialogSeen = false;
};

// The results sheet with values, printing on `queue`.
std::unique_ptr<TppReport> FilledSheet(const TestQueue &queue)
{
    auto sheet = CreateResultsSheet();
    for (const auto &[name, value] : {std::pair{"ppLabel1", "384"}, std::pair{"ppLabel2", "5"},
                                      std::pair{"ppLabel3", "95"}, std::pair{"ppLabel6", "100"}})
        static_cast<TppLabel &>(SheetComponent(*sheet, name)).SetCaption(value);
    sheet->PrinterSetup().SetPrinterName(queue.StdName());
    sheet->SetDeviceType("Printer");
    return sheet;
}

// The copy a status line names; 0 for a line without one.
int CopyOfStatus(const QString &status)
{
    static const QRegularExpression copy(QStringLiteral(", copy (\\d+) of "));
    const QRegularExpressionMatch match = copy.match(status);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

} // namespace

class CancelPrintJobTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void cancelAtEachMoment_data();
    void cancelAtEachMoment();
    void jobHeldBeyondTheFollowUp();

private:
    TppPrintRegistration m_registration;
    std::unique_ptr<TestQueue> m_queue;
    std::unique_ptr<TestQueue> m_holding;
};

void CancelPrintJobTest::initTestCase()
{
    if (!printed::PrintServerRunning() || !QPrinterInfo::availablePrinterNames().contains(QStringLiteral("ValdoraPDF")))
        QSKIP("needs the private print server of scripts/test-services.sh");
    LoadPictures();
    m_queue = std::make_unique<TestQueue>(QStringLiteral("ValdoraCancelTest"));
    QVERIFY(m_queue->Created());
    // Holds every job until it is released, as a paused or busy printer does.
    m_holding = std::make_unique<TestQueue>(QStringLiteral("ValdoraCancelHolding"));
    QVERIFY(m_holding->Created());
    QVERIFY(printed::Run(QStringLiteral("lpadmin"),
                         {"-p", m_holding->Name(), "-o", "job-hold-until-default=indefinite"}));
    TppPrinterList::Instance().Refresh();
}

void CancelPrintJobTest::init()
{
    ForgetKeptSettings();
    m_queue->ForgetOutput();
    m_holding->ForgetOutput();
}

void CancelPrintJobTest::cancelAtEachMoment_data()
{
    QTest::addColumn<bool>("holding");
    QTest::addColumn<int>("copies");
    QTest::addColumn<bool>("collate");
    QTest::addColumn<QString>("moment");
    QTest::addColumn<QString>("outcome");

    // Production: the document is kept until its end, so nothing of it has
    // reached the print server, and nothing does.
    QTest::newRow("before the first page") << false << 999 << false << "accessing data" << "nothing printed";
    QTest::newRow("between copies") << false << 999 << false << "copy" << "nothing printed";
    QTest::newRow("between collated copies") << false << 999 << true << "copy" << "nothing printed";
    // Handed over: the job is withdrawn from the server.
    QTest::newRow("while the server prints it") << false << 999 << false << "processing" << "withdrawn";
    QTest::newRow("while the server holds it") << true << 3 << false << "held" << "withdrawn";
    // Printed already: the user is told.
    QTest::newRow("once it has printed") << true << 3 << false << "completed" << "already sent";
}

void CancelPrintJobTest::cancelAtEachMoment()
{
    QFETCH(bool, holding);
    QFETCH(int, copies);
    QFETCH(bool, collate);
    QFETCH(QString, moment);
    QFETCH(QString, outcome);

    const TestQueue &queue = holding ? *m_holding : *m_queue;
    auto sheet = FilledSheet(queue);
    const int before = queue.NewestJob();
    const auto jobState = [&] {
        const int job = queue.NewestJob();
        return job > before ? JobState(queue, job) : 0;
    };
    JobDriver driver;
    driver.copies = copies;
    driver.collate = collate;
    if (moment == QStringLiteral("accessing data")) {
        driver.cancelWhen = [](const QString &status) { return status == QStringLiteral("Accessing data..."); };
    } else if (moment == QStringLiteral("copy")) {
        // A copy between the first and the last, while they are drawn.
        driver.cancelWhen = [copies](const QString &status) {
            const int copy = CopyOfStatus(status);
            return copy >= 2 && copy < copies;
        };
    } else {
        const int state = moment == QStringLiteral("processing") ? IPP_JSTATE_PROCESSING : IPP_JSTATE_HELD;
        driver.cancelWhen = [&, state](const QString &) { return jobState() == state; };
    }
    if (moment == QStringLiteral("completed")) {
        // The printer takes the job and prints it before the user's Cancel
        // is heard.
        driver.beforeCancel = [&] {
            const int job = queue.NewestJob();
            QVERIFY(printed::Run(QStringLiteral("lp"), {"-i", QString::number(job), "-H", "resume"}));
            QVERIFY(BlockUntilJobState(queue, job, IPP_JSTATE_COMPLETED));
        };
    }
    QStringList events;
    sheet->OnCancel = [&](TppCustomReport &) { events << QStringLiteral("OnCancel"); };
    sheet->AfterPrint = [&](TppCustomReport &) { events << QStringLiteral("AfterPrint"); };
    sheet->OnPrintingComplete = [&](TppCustomReport &) { events << QStringLiteral("OnPrintingComplete"); };
    sheet->Print();

    QVERIFY2(driver.cancelPressed, qPrintable(driver.statusTexts.join(QLatin1Char('|'))));
    // Whenever the job was cancelled (withdrawn included), it ends as a
    // cancelled job does.
    QCOMPARE(events, (QStringList{"OnCancel", "AfterPrint", "OnPrintingComplete"}));
    QVERIFY(!sheet->Producing());
    QCOMPARE(sheet->CancelDialog(), nullptr);
    const int job = queue.NewestJob();
    if (outcome == QStringLiteral("nothing printed")) {
        QCOMPARE(driver.messages, QStringList());
        QCOMPARE(job, before);
        QVERIFY(!QFile::exists(queue.OutputFile()));
    } else if (outcome == QStringLiteral("withdrawn")) {
        QCOMPARE(driver.messages, QStringList());
        QVERIFY(job > before);
        QVERIFY(WaitForJobState(queue, job, IPP_JSTATE_CANCELED));
        // Nothing, or a document cut short, reached the printer.
        QVERIFY(!QFile::exists(queue.OutputFile()) || printed::PdfPageCount(queue.OutputFile()) < copies);
    } else {
        QCOMPARE(driver.messages, QStringList{QStringLiteral("The document had already been sent to the printer \"%1\": "
                                                             "it can no longer be cancelled.")
                                                  .arg(queue.Name())});
        QCOMPARE(JobState(queue, job), int(IPP_JSTATE_COMPLETED));
        QCOMPARE(printed::PdfPageCount(queue.OutputFile()), copies);
    }
}

// A job the server holds for longer than the device follows it: printing
// ends without an error, the windows are served all the while, and the job
// stays with the server.
void CancelPrintJobTest::jobHeldBeyondTheFollowUp()
{
    auto sheet = FilledSheet(*m_holding);
    const int before = m_holding->NewestJob();
    JobDriver driver;
    sheet->Print();
    QCOMPARE(driver.messages, QStringList());
    QVERIFY2(driver.longestStall < 1000, qPrintable(QString::number(driver.longestStall)));
    QCOMPARE(sheet->CancelDialog(), nullptr);
    const int job = m_holding->NewestJob();
    QVERIFY(job > before);
    QCOMPARE(JobState(*m_holding, job), int(IPP_JSTATE_HELD));
    QCOMPARE(cupsCancelJob2(CUPS_HTTP_DEFAULT, qPrintable(m_holding->Name()), job, 0), IPP_STATUS_OK);
}

QTEST_MAIN(CancelPrintJobTest)
#include "cancel_print_job_test.moc"
