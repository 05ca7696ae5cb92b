// The print road with the keyboard alone: from the main screen to the
// results sheet on paper (a PDF from a queue of the private print server)
// and back, with Tab, Enter, Ctrl+P and Escape on the real windows.

#include "screen_driver.h"

#include "output/printer_list.h"
#include "preview/print_preview.h"
#include "preview/viewer.h"
#include "report/report.h"

#include "../support/printed_output.h"

#include <QPrinterInfo>

#include <memory>

namespace {

// Presses Tab until `target` has the focus; false when it never comes.
bool TabTo(QWidget *target)
{
    for (int presses = 0; presses < 40; ++presses) {
        if (QApplication::focusWidget() == target)
            return true;
        QWidget *from = QApplication::focusWidget() ? QApplication::focusWidget() : target->window();
        QTest::keyClick(from, Qt::Key_Tab);
    }
    return QApplication::focusWidget() == target;
}


} // namespace

class KeyboardPrintRoadTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void mainScreenToPaperByKeys();

private:
    std::unique_ptr<printed::TestQueue> m_queue;
    std::unique_ptr<Application> m_app;
};

void KeyboardPrintRoadTest::initTestCase()
{
    if (!printed::PrintServerRunning() || !QPrinterInfo::availablePrinterNames().contains(QStringLiteral("ValdoraPDF")))
        QSKIP("needs the private print server of scripts/test-services.sh");
    m_queue = std::make_unique<printed::TestQueue>(QStringLiteral("ValdoraKeyboardRoad"));
    QVERIFY(m_queue->Created());
    TppPrinterList::Instance().Refresh();
}

void KeyboardPrintRoadTest::init()
{
    m_queue->Enable();
    m_queue->ForgetOutput();
    m_app = std::make_unique<Application>();
    m_app->showMainWindow();
    QVERIFY(QTest::qWaitForWindowActive(&m_app->form1()));
}

void KeyboardPrintRoadTest::cleanup()
{
    m_app.reset();
}

void KeyboardPrintRoadTest::mainScreenToPaperByKeys()
{
    Form1 &form1 = m_app->form1();
    Form2 &form2 = m_app->form2();
    Form3 &form3 = m_app->form3();
    TppReport &sheet = form3.ppReport1();
    sheet.PrinterSetup().SetPrinterName(m_queue->StdName());

    QStringList road;
    QStringList messages;
    bool acting = false;
    bool done = false;
    int pending = 0;
    int pendingBeforePrinting = 0;
    QElapsedTimer clock;
    clock.start();
    QTimer poll;
    poll.setInterval(10);
    connect(&poll, &QTimer::timeout, [&] {
        QWidget *active = QApplication::activeWindow();
        if (acting || done || !active || !active->isVisible())
            return;
        if (clock.elapsed() > 60000) {
            done = true;
            QFAIL(qPrintable("stopped after " + road.join(", ")));
        }
        acting = true;
        const QString last = road.isEmpty() ? QString() : road.last();
        if (auto *box = qobject_cast<QMessageBox *>(active)) {
            messages << box->text();
            PressLater(box, Qt::Key_Return, pending);
        } else if (active == &form1 && last.isEmpty()) {
            QVERIFY(TabTo(form1.ui.BitBtn1));
            road << "CONTINUAR";
            PressLater(form1.ui.BitBtn1, Qt::Key_Return, pending);
        } else if (active == &form2 && last == "CONTINUAR") {
            QVERIFY(TabTo(form2.ui.BitBtn3));
            road << "CALCULAR";
            PressLater(form2.ui.BitBtn3, Qt::Key_Return, pending);
        } else if (active == &form3 && last == "CALCULAR") {
            QVERIFY(TabTo(form3.ui.BitBtn1));
            road << "print button";
            PressLater(form3.ui.BitBtn1, Qt::Key_Return, pending);
        } else if (StepThroughPreviewPrint(active, "print button", road, pending, pendingBeforePrinting)) {
        } else if (active == &form3 && last == "Escape") {
            QVERIFY(TabTo(form3.ui.BitBtn2));
            road << "results closed";
            PressLater(form3.ui.BitBtn2, Qt::Key_Return, pending);
        } else if (active == &form2 && last == "results closed") {
            QVERIFY(TabTo(form2.ui.BitBtn9));
            road << "MENU";
            PressLater(form2.ui.BitBtn9, Qt::Key_Return, pending);
        } else if (active == &form1 && last == "MENU") {
            done = true;
        }
        acting = false;
    });
    poll.start();
    QTRY_VERIFY_WITH_TIMEOUT(done, 70000);
    poll.stop();

    QCOMPARE(road, (QStringList{"CONTINUAR", "CALCULAR", "print button", "Ctrl+P", "OK", "Escape",
                                "results closed", "MENU"}));
    QVERIFY(messages.isEmpty());
    QVERIFY(!sheet.Producing());
    QVERIFY(m_queue->WaitForOutput());
    QCOMPARE(printed::PdfPageCount(m_queue->OutputFile()), 1);
    const QStringList texts = printed::PdfPageTexts(m_queue->OutputFile());
    QCOMPARE(texts.size(), 1);
    QVERIFY2(texts.front().contains(form3.ui.Label2->text()), qPrintable(texts.front()));
}

QTEST_MAIN(KeyboardPrintRoadTest)
#include "keyboard_print_road_test.moc"
