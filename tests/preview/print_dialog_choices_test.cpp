// The print dialog's OK as a sequence of tries: what a refused OK leaves
// behind, pages the report does not have, and printers that went away.

#include "output/printer.h"
#include "output/printer_list.h"
#include "preview/print_dialog.h"
#include "tests/report/engine_fixture.h"

#include "../support/kept_settings.h"
#include "../support/message_reader.h"
#include "../support/printed_output.h"
#include "tests/preview/print_flow_fixture.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <cups/cups.h>

#include <functional>
#include <optional>

namespace {

using print_flow::RunModal;

template <typename Control>
Control *Find(QWidget &dialog, const char *name)
{
    auto *control = dialog.findChild<Control *>(QString::fromLatin1(name));
    if (!control)
        qFatal("no control %s", name);
    return control;
}

// One try at OK: the page choice ("All", "Current", "Pages" with the box's
// text), the print-what entry, the copies box, and the message expected
// (none when the dialog is to close), written "radio|pages|printWhat|copies|message".
struct Try {
    QString radio;
    QString pages;
    int printWhat = 0;
    QString copies;
    QString message;

    static Try Parse(const QString &text)
    {
        const QStringList fields = text.split(QLatin1Char('|'));
        return {fields.value(0), fields.value(1), fields.value(2).toInt(), fields.value(3), fields.value(4)};
    }
};

void Press(TppPrintDialog &dialog, const Try &attempt)
{
    const QString radio = attempt.radio == QLatin1String("All") ? QStringLiteral("rdbAll")
        : attempt.radio == QLatin1String("Current")             ? QStringLiteral("rdbCurrentPage")
                                                                : QStringLiteral("rdbPages");
    Find<QRadioButton>(dialog, qPrintable(radio))->click();
    if (radio == QLatin1String("rdbPages"))
        Find<QLineEdit>(dialog, "edtPageRange")->setText(attempt.pages);
    auto *printWhat = Find<QComboBox>(dialog, "cbxPrintWhat");
    printWhat->setCurrentIndex(attempt.printWhat);
    emit printWhat->activated(attempt.printWhat);
    // OK by Enter in the copies box, so that what it holds is read as typed.
    auto *copies = Find<QLineEdit>(dialog, "edtCopies");
    copies->setFocus();
    copies->setText(attempt.copies);
    QTest::keyClick(copies, Qt::Key_Return);
}

QStringList Texts(const std::vector<std::string> &lines)
{
    QStringList texts;
    for (const std::string &line : lines)
        texts << QString::fromStdString(line);
    return texts;
}

} // namespace

class PrintDialogChoicesTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void okTriesInSequence_data();
    void okTriesInSequence();
    void init() { ForgetKeptSettings(); }
    void queueRemovedWhileOpen_data();
    void queueRemovedWhileOpen();
    void listReadAtOpeningAndOnRefresh();
    void printServerStopped();
};

void PrintDialogChoicesTest::initTestCase()
{
    if (!printed::PrintServerRunning() || !QPrinterInfo::availablePrinterNames().contains(QStringLiteral("ValdoraPDF")))
        QSKIP("needs the private print server of scripts/test-services.sh");
    TppPrinterList::Instance().Refresh();
}

void PrintDialogChoicesTest::okTriesInSequence_data()
{
    QTest::addColumn<int>("reportPages");
    QTest::addColumn<QStringList>("tries");
    QTest::addColumn<int>("setting");
    QTest::addColumn<QStringList>("list");
    QTest::addColumn<int>("range");
    QTest::addColumn<int>("copies");

    const QString onePage = QStringLiteral("Nothing to print: the report has one page, and it is not among the pages chosen (%1).");
    const QString threePages
        = QStringLiteral("Nothing to print: the report has 3 pages, and none of them is among the pages chosen (%1).");
    const QStringList none;

    QTest::newRow("a page the sheet lacks, then all")
        << 1 << QStringList{"Pages|2|0|1|" + onePage.arg("Pages: 2"), "All||0|2|"} << int(psAll) << none << int(prAll) << 2;
    QTest::newRow("even pages of one, then odd")
        << 1 << QStringList{"All||2|1|" + onePage.arg("Even pages"), "All||1|1|"} << int(psAll) << none << int(prOddPages) << 1;
    QTest::newRow("the current page is odd")
        << 1 << QStringList{"Current||2|1|" + onePage.arg("Current Page: 1; Even pages"), "Current||0|1|"}
        << int(psSinglePage) << none << int(prAll) << 1;
    QTest::newRow("page 0 is no page") << 1 << QStringList{"Pages|0|0|1|" + onePage.arg("Pages: 0"), "Pages|1|0|1|"}
                                       << int(psPageList) << QStringList{"1"} << int(prAll) << 1;
    const QString notCopies = QStringLiteral("\"%1\" is not a number of copies: enter a whole number from 1 to 999.");
    QTest::newRow("unreadable copies leave no page list")
        << 3 << QStringList{"Pages|2|0|abc|" + notCopies.arg("abc"), "All||0|1|"} << int(psAll) << none << int(prAll) << 1;
    QTest::newRow("copies out of range, one after another")
        << 3 << QStringList{"All||0|0|" + notCopies.arg("0"), "All||0|-1|" + notCopies.arg("-1"), "All||0|999|"}
        << int(psAll) << none << int(prAll) << 999;
    QTest::newRow("a part that is no page, then the pages")
        << 3 << QStringList{"Pages|1,x|0|2|\"x\" is not a page number or a range of pages. Enter page numbers and page "
                            "ranges separated by commas, for example 1,3,5-12.", "Pages|1,3|0|2|"}
        << int(psPageList) << QStringList{"1", "3"} << int(prAll) << 2;
    QTest::newRow("pages beyond the end, then a range")
        << 3 << QStringList{"Pages|5, 7|0|1|" + threePages.arg("Pages: 5, 7"), "Pages|2-5|1|4|"} << int(psPageList)
        << QStringList{"2", "3", "4", "5"} << int(prOddPages) << 4;
    QTest::newRow("odd pages of a list of even ones")
        << 3 << QStringList{"Pages|2|1|1|" + threePages.arg("Pages: 2; Odd pages"), "Pages|2|2|1|"} << int(psPageList)
        << QStringList{"2"} << int(prEvenPages) << 1;
    QTest::newRow("a refused print-what is not kept")
        << 3 << QStringList{"Pages||2|1|No pages entered.", "All||0|1|"} << int(psAll) << none << int(prAll) << 1;
    // Before the report has run, its pages are not known: nothing to refuse.
    QTest::newRow("page count not known yet") << 0 << QStringList{"Pages|9|0|1|"} << int(psPageList)
                                              << QStringList{"9"} << int(prAll) << 1;
}

void PrintDialogChoicesTest::okTriesInSequence()
{
    QFETCH(int, reportPages);
    QFETCH(QStringList, tries);
    QFETCH(int, setting);
    QFETCH(QStringList, list);
    QFETCH(int, range);
    QFETCH(int, copies);

    EngineReport sheet;
    if (reportPages > 0) {
        sheet.Pages(reportPages);
        sheet.Request(TppPageRequest());
        QVERIFY(sheet.report->Publisher().LastPageKnown());
        QCOMPARE(sheet.report->Publisher().LastPageNo(), reportPages);
    }
    TppPrinter printer;
    printer.PrinterSetup().SetPrinterName("ValdoraPDF");
    TppPrintDialog dialog;
    dialog.SetReport(sheet.report.get());
    dialog.SetPrinter(&printer);
    dialog.SetLanguageIndex(0);
    dialog.PageRequest().SetPageRequested(1);

    MessageReader messages;
    QStringList expectedMessages;
    const TppModalResult result = RunModal(dialog, [&] {
        for (int i = 0; i < tries.size(); ++i) {
            const Try attempt = Try::Parse(tries[i]);
            Press(dialog, attempt);
            QTest::qWait(20);
            const bool last = i == tries.size() - 1;
            QVERIFY2(dialog.isVisible() == !last, qPrintable(tries[i]));
            if (!attempt.message.isEmpty())
                expectedMessages << attempt.message;
            QCOMPARE(messages.texts, expectedMessages);
            // A refused OK hands nothing back and keeps what was typed.
            if (!last) {
                QCOMPARE(dialog.PageRequest().PageSetting(), psAll);
                QCOMPARE(dialog.PageRequest().PageRange(), prAll);
                QVERIFY(dialog.PageRequest().PageList().empty());
                QCOMPARE(Find<QLineEdit>(dialog, "edtCopies")->text(), attempt.copies);
                QCOMPARE(Find<QLineEdit>(dialog, "edtPageRange")->text(), attempt.pages);
            }
        }
    });
    QCOMPARE(result, mrOK);
    const TppPageRequest &request = dialog.PageRequest();
    QCOMPARE(int(request.PageSetting()), setting);
    QCOMPARE(Texts(request.PageList()), list);
    QCOMPARE(int(request.PageRange()), range);
    QCOMPARE(request.PageRequested(), 1);
    QCOMPARE(printer.PrinterSetup().Copies(), copies);
}

// A queue deleted while the dialog is open: OK says so and chooses the
// server's default printer, or none when the server has no default, and
// nothing prints until the user has seen the choice.
void PrintDialogChoicesTest::queueRemovedWhileOpen_data()
{
    QTest::addColumn<bool>("serverHasDefault");
    QTest::addColumn<QString>("chosenAfter");
    QTest::addColumn<QStringList>("texts");

    const QString gone = QStringLiteral("The printer \"ValdoraVanishingChoice\" is not available: it is no longer on the "
                                        "print server. The list of printers has been read again");
    QTest::newRow("the default printer is chosen")
        << true << "ValdoraPDF"
        << QStringList{gone + QStringLiteral(" and the default printer, \"ValdoraPDF\", is chosen instead: press OK to "
                                             "print on it, or choose another printer.")};
    QTest::newRow("no default printer: none is chosen")
        << false << ""
        << QStringList{gone + QStringLiteral("; as there is no default printer, choose a printer before printing."),
                       QStringLiteral("Choose a printer before printing.")};
}

void PrintDialogChoicesTest::queueRemovedWhileOpen()
{
    QFETCH(bool, serverHasDefault);
    QFETCH(QString, chosenAfter);
    QFETCH(QStringList, texts);

    printed::TestQueue vanishing(QStringLiteral("ValdoraVanishingChoice"));
    QVERIFY(vanishing.Created());
    std::optional<printed::TestQueue> standIn;
    if (!serverHasDefault) {
        // The server loses its default with the queue that was the default.
        standIn.emplace(QStringLiteral("ValdoraStandInDefault"));
        QVERIFY(printed::Run(QStringLiteral("lpadmin"), {"-d", standIn->Name()}));
    }
    TppPrinterList::Instance().Refresh();
    TppPrinter printer;
    printer.PrinterSetup().SetPrinterName(vanishing.StdName());
    TppPrintDialog dialog;
    dialog.SetPrinter(&printer);
    dialog.SetLanguageIndex(0);
    MessageReader messages;
    const TppModalResult result = RunModal(dialog, [&] {
        auto *printers = Find<QComboBox>(dialog, "cbxPrinters");
        QCOMPARE(printers->currentText(), vanishing.Name());
        QVERIFY(printed::Run(QStringLiteral("lpadmin"), {"-x", vanishing.Name()}));
        if (standIn)
            QVERIFY(printed::Run(QStringLiteral("lpadmin"), {"-x", standIn->Name()}));
        QTest::mouseClick(Find<QPushButton>(dialog, "btnOK"), Qt::LeftButton);
        QTest::qWait(20);
        QVERIFY(dialog.isVisible());
        // The list is read again: the queue is no longer offered, and the
        // choice is the server's default or none, never the list's first.
        QCOMPARE(printers->findText(vanishing.Name()), -1);
        QCOMPARE(printers->currentText(), chosenAfter);
        // With none chosen, OK waits for the user's choice.
        QTest::mouseClick(Find<QPushButton>(dialog, "btnOK"), Qt::LeftButton);
        QTest::qWait(20);
        QCOMPARE(dialog.isVisible(), chosenAfter.isEmpty());
        if (dialog.isVisible()) {
            const int pdf = printers->findText(QStringLiteral("ValdoraPDF"));
            printers->setCurrentIndex(pdf);
            emit printers->activated(pdf);
            QTest::mouseClick(Find<QPushButton>(dialog, "btnOK"), Qt::LeftButton);
        }
    });
    if (!serverHasDefault)
        printed::Run(QStringLiteral("lpadmin"), {"-d", "ValdoraPDF"});
    QCOMPARE(messages.texts, texts);
    QCOMPARE(result, mrOK);
    QCOMPARE(printer.PrinterName(), std::string("ValdoraPDF"));
}

// The list is the server's as the dialog opens, and again on F5: a queue
// added since is offered, one deleted is not; the choice stays while its
// queue does.
void PrintDialogChoicesTest::listReadAtOpeningAndOnRefresh()
{
    TppPrinter printer;
    printer.PrinterSetup().SetPrinterName("ValdoraSecond");
    TppPrintDialog dialog;
    dialog.SetPrinter(&printer);
    dialog.SetLanguageIndex(0);
    auto *printers = Find<QComboBox>(dialog, "cbxPrinters");
    std::optional<printed::TestQueue> added;
    added.emplace(QStringLiteral("ValdoraAddedLater"));
    QVERIFY(added->Created());
    MessageReader messages;
    RunModal(dialog, [&] {
        QVERIFY(printers->findText(added->Name()) >= 0);
        QCOMPARE(printers->currentText(), QStringLiteral("ValdoraSecond"));
    });
    added.reset();
    printed::TestQueue another(QStringLiteral("ValdoraAddedWhileOpen"));
    QVERIFY(another.Created());
    RunModal(dialog, [&] {
        QCOMPARE(printers->findText(QStringLiteral("ValdoraAddedLater")), -1);
        const int index = printers->findText(another.Name());
        QVERIFY(index >= 0);
        printers->setCurrentIndex(index);
        emit printers->activated(index);
        printed::TestQueue third(QStringLiteral("ValdoraAddedBeforeRefresh"));
        QCOMPARE(printers->findText(third.Name()), -1);
        QTest::keyClick(&dialog, Qt::Key_F5);
        QVERIFY(printers->findText(third.Name()) >= 0);
        QCOMPARE(printers->currentText(), another.Name());
        QVERIFY(messages.texts.isEmpty());
    });
    // The chosen queue deleted: F5 says so and takes the default printer.
    RunModal(dialog, [&] {
        QCOMPARE(printers->currentText(), another.Name());
        QVERIFY(printed::Run(QStringLiteral("lpadmin"), {"-x", another.Name()}));
        QTest::keyClick(&dialog, Qt::Key_F5);
        QTest::qWait(20);
        QCOMPARE(printers->currentText(), QStringLiteral("ValdoraPDF"));
        QCOMPARE(printer.PrinterSetup().PrinterName(), std::string("ValdoraPDF"));
    });
    QCOMPARE(messages.texts.size(), 1);
    QVERIFY2(messages.texts.front().startsWith(QStringLiteral("The printer \"ValdoraAddedWhileOpen\" is not available")),
             qPrintable(messages.texts.front()));
}

void PrintDialogChoicesTest::printServerStopped()
{
    // The server is reached through its socket: a socket where none listens
    // is the server stopped.
    const QByteArray server = cupsServer();
    const QByteArray nowhere = QDir::temp().filePath(QStringLiteral("valdora-no-cupsd.sock")).toUtf8();

    for (const std::string &name : {std::string("ValdoraPDF"), std::string("Default")}) {
        TppPrinter printer;
        printer.PrinterSetup().SetPrinterName(name);
        TppPrintDialog dialog;
        dialog.SetPrinter(&printer);
        dialog.SetLanguageIndex(0);
        MessageReader messages;
        cupsSetServer(nowhere.constData());
        const TppModalResult result = RunModal(dialog, [&] {
            // The chosen printer is still described as itself.
            QVERIFY(Find<QLabel>(dialog, "lblPrinterTypeDesc")->text() != QStringLiteral("Screen"));
            QTest::mouseClick(Find<QPushButton>(dialog, "btnOK"), Qt::LeftButton);
            QTest::qWait(20);
            QVERIFY(dialog.isVisible());
        });
        cupsSetServer(server.constData());
        QCOMPARE(result, mrCancel);
        const QString expected = name == "Default"
            ? QStringLiteral("The default printer is not available: the print server cannot be reached.")
            : QStringLiteral("The printer \"ValdoraPDF\" is not available: the print server cannot be reached.");
        QCOMPARE(messages.texts, QStringList{expected});
    }

    // Started while the server is down: the list holds no queue, and the
    // screen that stands in for the printer is not described as one.
    cupsSetServer(nowhere.constData());
    TppPrinterList::Instance().Refresh();
    {
        TppPrinter printer;
        printer.PrinterSetup().SetPrinterName("ValdoraPDF");
        TppPrintDialog dialog;
        dialog.SetPrinter(&printer);
        dialog.SetLanguageIndex(0);
        MessageReader messages;
        RunModal(dialog, [&] {
            QCOMPARE(Find<QComboBox>(dialog, "cbxPrinters")->currentText(), QStringLiteral("Default"));
            QCOMPARE(Find<QLabel>(dialog, "lblPrinterTypeDesc")->text(), QString());
            QTest::mouseClick(Find<QPushButton>(dialog, "btnOK"), Qt::LeftButton);
            QTest::qWait(20);
            QVERIFY(dialog.isVisible());
        });
        QCOMPARE(messages.texts,
                 QStringList{QStringLiteral("The default printer is not available: the print server cannot be reached.")});
    }
    cupsSetServer(server.constData());
    TppPrinterList::Instance().Refresh();
}

QTEST_MAIN(PrintDialogChoicesTest)
#include "print_dialog_choices_test.moc"
