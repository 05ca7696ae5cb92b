// The print dialog's OK as a sequence of tries: what a refused OK leaves
// behind, pages the report does not have, and printers that went away.

#include "output/printer.h"
#include "output/printer_list.h"
#include "preview/print_dialog.h"
#include "tests/report/engine_fixture.h"

#include "../support/message_reader.h"
#include "../support/printed_output.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <cups/cups.h>

#include <functional>

namespace {

template <typename Control>
Control *Find(QWidget &dialog, const char *name)
{
    auto *control = dialog.findChild<Control *>(QString::fromLatin1(name));
    if (!control)
        qFatal("no control %s", name);
    return control;
}

TppModalResult RunModal(TppPrintDialog &dialog, const std::function<void()> &whileOpen)
{
    QTimer::singleShot(0, &dialog, [&] {
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        whileOpen();
        if (dialog.isVisible())
            dialog.reject();
    });
    return dialog.ShowModal();
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
    void queueRemovedWhileOpen();
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
    QTest::newRow("unreadable copies leave no page list")
        << 3 << QStringList{"Pages|2|0|abc|'abc' is not a valid integer value.", "All||0|1|"} << int(psAll) << none
        << int(prAll) << 1;
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

void PrintDialogChoicesTest::queueRemovedWhileOpen()
{
    printed::TestQueue vanishing(QStringLiteral("ValdoraVanishingChoice"));
    QVERIFY(vanishing.Created());
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
        QTest::mouseClick(Find<QPushButton>(dialog, "btnOK"), Qt::LeftButton);
        QTest::qWait(20);
        QVERIFY(dialog.isVisible());
        // The list is read again: the queue is no longer offered.
        QCOMPARE(printers->findText(vanishing.Name()), -1);
        QVERIFY(printers->findText(QStringLiteral("ValdoraPDF")) >= 0);
        const int pdf = printers->findText(QStringLiteral("ValdoraPDF"));
        printers->setCurrentIndex(pdf);
        emit printers->activated(pdf);
        QTest::mouseClick(Find<QPushButton>(dialog, "btnOK"), Qt::LeftButton);
    });
    QCOMPARE(messages.texts, QStringList{QStringLiteral("The printer \"ValdoraVanishingChoice\" is not available: it "
                                                        "is no longer on the print server. The list of printers has "
                                                        "been read again.")});
    QCOMPARE(messages.icons, QList<QMessageBox::Icon>{QMessageBox::Warning});
    QCOMPARE(result, mrOK);
    QCOMPARE(printer.PrinterName(), std::string("ValdoraPDF"));
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
