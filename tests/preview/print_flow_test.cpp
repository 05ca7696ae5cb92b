// Printing a report on paper as a user does: TppReport::Print with the
// device type "Printer" opens the print dialog, the cancel dialog shows the
// job's progress, and the pages reach a queue of the private print server,
// whose PDF is read back.

#include "output/printer_list.h"
#include "preview/print_registration.h"
#include "tests/preview/print_flow_fixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <cups/cups.h>

#include <functional>

using namespace print_flow;
using printed::TestQueue;

class PrintFlowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void copiesThroughTheDialog_data();
    void copiesThroughTheDialog();
    void statusTextsAndClosingByItself();
    void pagesTypedInTheDialog();
    void dialogCancelledPrintsNothing();
    void queueRefusesAfterTheDialogOpened_data();
    void queueRefusesAfterTheDialogOpened();
    void queueDeletedBeforeOk();
    void printServerGone();
    void cancelDuringTheFirstPage();

private:
    TppPrintRegistration m_registration;
    std::unique_ptr<TestQueue> m_queue;
};

void PrintFlowTest::initTestCase()
{
    if (!printed::PrintServerRunning() || !QPrinterInfo::availablePrinterNames().contains(QStringLiteral("ValdoraPDF")))
        QSKIP("needs the private print server of scripts/test-services.sh");
    m_queue = std::make_unique<TestQueue>(QStringLiteral("ValdoraFlowTest"));
    QVERIFY(m_queue->Created());
    TppPrinterList::Instance().Refresh();
}

void PrintFlowTest::init()
{
    m_queue->Enable();
    m_queue->ForgetOutput();
}

void PrintFlowTest::copiesThroughTheDialog_data()
{
    QTest::addColumn<bool>("collate");
    QTest::addColumn<QString>("expected");

    QTest::newRow("collated") << true << "1,2,3,1,2,3,1,2,3";
    QTest::newRow("not collated") << false << "1,1,1,2,2,2,3,3,3";
}

void PrintFlowTest::copiesThroughTheDialog()
{
    QFETCH(bool, collate);
    QFETCH(QString, expected);

    FlowReport flow(*m_queue, 3);
    TppPrinterSetup before;
    before.Assign(flow.Report().PrinterSetup());
    WindowDriver driver;
    driver.onPrintDialog = [&](TppPrintDialog &dialog) {
        Find<QLineEdit>(dialog, "edtCopies")->setText(QStringLiteral("3"));
        QCheckBox *collation = Find<QCheckBox>(dialog, "cbxCollate");
        if (collation->isChecked() != collate)
            collation->click();
        ClickOk(dialog);
    };
    const int jobs = m_queue->JobCount();
    flow.Report().Print();

    QVERIFY(driver.printDialogSeen && driver.cancelDialogSeen);
    QCOMPARE(driver.messages, QStringList());
    QCOMPARE(flow.events, (QStringList{"BeforePrint", "AfterPrint"}));
    QVERIFY(!flow.Report().Producing());
    QCOMPARE(flow.Report().PrinterDevice(), nullptr);
    // The copies and collation were for this job only.
    QVERIFY(flow.Report().PrinterSetup().SameAs(before));
    QCOMPARE(m_queue->JobCount(), jobs + 1);
    QVERIFY(m_queue->WaitForOutput());
    QCOMPARE(PrintedPages(m_queue->OutputFile()), expected.split(QLatin1Char(',')));
}

void PrintFlowTest::statusTextsAndClosingByItself()
{
    FlowReport flow(*m_queue, 1);
    WindowDriver driver;
    driver.onPrintDialog = [](TppPrintDialog &dialog) { ClickOk(dialog); };
    // Printed once already, the report knows its page count.
    flow.Report().Print();
    QVERIFY(m_queue->WaitForOutput());
    driver.statusTexts.clear();
    driver.printDialogSeen = false;
    QElapsedTimer timer;
    timer.start();
    flow.Report().Print();
    QVERIFY(timer.elapsed() < 10000);

    const QString on = QStringLiteral(" for report Report on the ValdoraFlowTest");
    QCOMPARE(driver.statusTexts, (QStringList{"Accessing data...", "Printing page 1 of 1" + on}));
    for (QWidget *window : QApplication::topLevelWidgets())
        QVERIFY(!qobject_cast<TppCancelDialog *>(window) || !window->isVisible());
    QCOMPARE(flow.Report().CancelDialog(), nullptr);
}

void PrintFlowTest::pagesTypedInTheDialog()
{
    FlowReport flow(*m_queue, 5);
    WindowDriver driver;
    driver.onPrintDialog = [&](TppPrintDialog &dialog) {
        Find<QRadioButton>(dialog, "rdbPages")->click();
        // Pages 6 and beyond are not in the report: nothing is printed for
        // them, and the huge range answers at once.
        Find<QLineEdit>(dialog, "edtPageRange")->setText(QStringLiteral("4-2000000000,2"));
        Find<QLineEdit>(dialog, "edtCopies")->setText(QStringLiteral("2"));
        ClickOk(dialog);
    };
    flow.Report().Print();
    QCOMPARE(driver.messages, QStringList());
    QVERIFY(m_queue->WaitForOutput());
    QCOMPARE(PrintedPages(m_queue->OutputFile()), (QStringList{"2", "4", "5", "2", "4", "5"}));
}

void PrintFlowTest::dialogCancelledPrintsNothing()
{
    FlowReport flow(*m_queue, 2);
    TppPrinterSetup before;
    before.Assign(flow.Report().PrinterSetup());
    WindowDriver driver;
    driver.onPrintDialog = [](TppPrintDialog &dialog) {
        Find<QLineEdit>(dialog, "edtCopies")->setText(QStringLiteral("4"));
        Find<QCheckBox>(dialog, "cbxCollate")->click();
        QTest::mouseClick(Find<QPushButton>(dialog, "btnCancel"), Qt::LeftButton);
    };
    const int jobs = m_queue->JobCount();
    flow.Report().Print();
    QVERIFY(driver.printDialogSeen);
    QVERIFY(!driver.cancelDialogSeen);
    QCOMPARE(flow.events, QStringList());
    QVERIFY(flow.Report().PrinterSetup().SameAs(before));
    QVERIFY(!flow.Report().Producing());
    QCOMPARE(m_queue->JobCount(), jobs);
}

void PrintFlowTest::queueRefusesAfterTheDialogOpened_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("message");
    QTest::newRow("stopped") << "stop" << "The printer \"ValdoraFlowTest\" is stopped";
    QTest::newRow("rejecting") << "reject" << "The printer \"ValdoraFlowTest\" is not accepting jobs";
}

void PrintFlowTest::queueRefusesAfterTheDialogOpened()
{
    QFETCH(QString, how);
    QFETCH(QString, message);

    FlowReport flow(*m_queue, 2);
    WindowDriver driver;
    driver.onPrintDialog = [&](TppPrintDialog &dialog) {
        how == QStringLiteral("stop") ? m_queue->Stop() : m_queue->Reject();
        ClickOk(dialog);
    };
    const int jobs = m_queue->JobCount();
    flow.Report().Print();
    QCOMPARE(driver.messages.size(), 1);
    QVERIFY2(driver.messages.first().startsWith(message), qPrintable(driver.messages.first()));
    QCOMPARE(m_queue->JobCount(), jobs);
    QVERIFY(!flow.Report().Producing());
    QCOMPARE(flow.Report().PrinterDevice(), nullptr);

    // The program goes on: the same report prints once the queue takes jobs.
    m_queue->Enable();
    driver.printDialogSeen = false;
    driver.messages.clear();
    driver.onPrintDialog = [](TppPrintDialog &dialog) { ClickOk(dialog); };
    flow.Report().Print();
    QCOMPARE(driver.messages, QStringList());
    QVERIFY(m_queue->WaitForOutput());
    QCOMPARE(PrintedPages(m_queue->OutputFile()), (QStringList{"1", "2"}));
}

void PrintFlowTest::queueDeletedBeforeOk()
{
    TestQueue vanishing(QStringLiteral("ValdoraFlowVanishing"));
    QVERIFY(vanishing.Created());
    TppPrinterList::Instance().Refresh();
    FlowReport flow(vanishing, 1);
    WindowDriver driver;
    driver.onPrintDialog = [&](TppPrintDialog &dialog) {
        QVERIFY(printed::Run(QStringLiteral("lpadmin"), {"-x", vanishing.Name()}));
        ClickOk(dialog);
        QVERIFY(dialog.isVisible());
        QTest::mouseClick(Find<QPushButton>(dialog, "btnCancel"), Qt::LeftButton);
    };
    flow.Report().Print();
    QCOMPARE(driver.messages, QStringList{QStringLiteral("The printer \"ValdoraFlowVanishing\" is not available: it is "
                                                         "no longer on the print server. The list of printers has "
                                                         "been read again.")});
    QVERIFY(!driver.cancelDialogSeen);
    QCOMPARE(flow.events, QStringList());
    QVERIFY(!flow.Report().Producing());
    TppPrinterList::Instance().Refresh();
}

void PrintFlowTest::printServerGone()
{
    // The print server is reached through its socket: pointing the program
    // at a socket where none listens is the server stopped.
    const QByteArray server = cupsServer();
    const QByteArray nowhere = QDir::temp().filePath(QStringLiteral("valdora-no-cupsd.sock")).toUtf8();

    // Gone before OK: the dialog says so and stays open.
    {
        FlowReport flow(*m_queue, 1);
        WindowDriver driver;
        driver.onPrintDialog = [&](TppPrintDialog &dialog) {
            cupsSetServer(nowhere.constData());
            ClickOk(dialog);
            QVERIFY(dialog.isVisible());
            cupsSetServer(server.constData());
            QTest::mouseClick(Find<QPushButton>(dialog, "btnCancel"), Qt::LeftButton);
        };
        flow.Report().Print();
        QCOMPARE(driver.messages, QStringList{QStringLiteral("The printer \"ValdoraFlowTest\" is not available: the "
                                                             "print server cannot be reached.")});
    }
    // Gone during the job: the document is not reported printed.
    {
        FlowReport flow(*m_queue, 2);
        WindowDriver driver;
        driver.onPrintDialog = [](TppPrintDialog &dialog) { ClickOk(dialog); };
        flow.Report().OnEndPage = [&](TppCustomReport &) { cupsSetServer(nowhere.constData()); };
        const int jobs = m_queue->JobCount();
        flow.Report().Print();
        cupsSetServer(server.constData());
        QCOMPARE(driver.messages.size(), 1);
        QVERIFY2(driver.messages.first().contains(QStringLiteral("ValdoraFlowTest")), qPrintable(driver.messages.first()));
        QCOMPARE(m_queue->JobCount(), jobs);
        QVERIFY(!flow.Report().Producing());
    }
}

void PrintFlowTest::cancelDuringTheFirstPage()
{
    FlowReport flow(*m_queue, 40);
    WindowDriver driver;
    driver.onPrintDialog = [](TppPrintDialog &dialog) { ClickOk(dialog); };
    driver.onStatus = [](TppCancelDialog &dialog, const QString &text) {
        if (text.startsWith(QStringLiteral("Printing page 1 ")))
            QTest::mouseClick(Find<QPushButton>(dialog, "btnCancel"), Qt::LeftButton);
    };
    int cancels = 0;
    flow.Report().OnCancel = [&](TppCustomReport &) { ++cancels; };
    const int jobs = m_queue->JobCount();
    flow.Report().Print();
    QCOMPARE(cancels, 1);
    QCOMPARE(driver.messages, QStringList());
    QCOMPARE(flow.events, (QStringList{"BeforePrint", "AfterPrint"}));
    // The document was still being made: none of it reaches the printer.
    QCOMPARE(m_queue->JobCount(), jobs);
    QVERIFY(!QFile::exists(m_queue->OutputFile()));
}

QTEST_MAIN(PrintFlowTest)
#include "print_flow_test.moc"
