// The printer's properties (the queue's page setup dialog) from the print
// dialog: it opens on the paper, orientation and unprintable margins the job
// would print with, and what the user confirms is what reaches the paper.

#include "output/printer.h"
#include "output/printer_list.h"
#include "preview/print_dialog.h"
#include "preview/print_registration.h"
#include "tests/report/engine_fixture.h"

#include "../support/kept_settings.h"
#include "../support/message_reader.h"
#include "../support/printed_output.h"
#include "tests/preview/print_flow_fixture.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <functional>

namespace {

using print_flow::Find;

// Runs `inDialog` in the page setup dialog once it is open.
void WhenPageSetupOpens(const std::function<void(QPageSetupDialog &)> &inDialog)
{
    QTimer::singleShot(50, [inDialog] {
        auto *dialog = qobject_cast<QPageSetupDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        inDialog(*dialog);
    });
}

// The margins the dialog shows, in points.
QList<double> MarginsInPoints(QPageSetupDialog &dialog)
{
    const QString suffix = Find<QDoubleSpinBox>(dialog, "leftMargin")->suffix().trimmed();
    const double points = suffix == QLatin1String("mm") ? 72 / 25.4 : suffix == QLatin1String("in") ? 72 : 1;
    QList<double> margins;
    for (const char *name : {"leftMargin", "topMargin", "rightMargin", "bottomMargin"})
        margins << Find<QDoubleSpinBox>(dialog, name)->value() * points;
    return margins;
}

void Choose(QPageSetupDialog &dialog, const QString &paper, bool landscape)
{
    auto *sizes = Find<QComboBox>(dialog, "pageSizeCombo");
    const int index = sizes->findText(paper);
    QVERIFY(index >= 0);
    sizes->setCurrentIndex(index);
    Find<QRadioButton>(dialog, landscape ? "landscape" : "portrait")->click();
}

// Prints `report` through the print dialog, acting in the properties dialog
// with `inProperties` (once each OK of the print dialog is refused, again);
// the texts of the message boxes that opened.
QStringList PrintWithProperties(TppReport &report, const QList<std::function<void(QPageSetupDialog &)>> &inProperties)
{
    // The boxes open inside the poll's handler (OK is clicked there): they
    // are read by timers of their own.
    MessageReader messages;
    int step = 0;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *dialog = qobject_cast<TppPrintDialog *>(modal); dialog && dialog->isActiveWindow()) {
            if (step >= inProperties.size()) {
                dialog->reject();
                return;
            }
            const auto act = inProperties[step++];
            WhenPageSetupOpens([act](QPageSetupDialog &setup) {
                act(setup);
                setup.accept();
            });
            Find<QPushButton>(*dialog, "btnPrinterProperties")->click();
            Find<QPushButton>(*dialog, "btnOK")->click();
        }
    });
    poll.start();
    report.Print();
    poll.stop();
    return messages.texts;
}

} // namespace

class PrinterPropertiesTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void opensOnThePaperOfTheJob();
    void confirmedPaperIsPrinted_data();
    void confirmedPaperIsPrinted();
    void sourceAndSidesReachTheJob_data();
    void sourceAndSidesReachTheJob();
    void sheetThatDoesNotFitIsRefused_data();
    void sheetThatDoesNotFitIsRefused();

private:
    TppPrintRegistration m_registration;
};

void PrinterPropertiesTest::initTestCase()
{
    if (!printed::PrintServerRunning() || !QPrinterInfo::availablePrinterNames().contains(QStringLiteral("ValdoraSecond")))
        QSKIP("needs the private print server of scripts/test-services.sh");
    TppPrinterList::Instance().Refresh();
}

void PrinterPropertiesTest::opensOnThePaperOfTheJob()
{
    // A Letter sheet on the second queue prints on its Office Letter, which
    // leaves a quarter inch unprinted; its default paper is A4.
    EngineReport sheet;
    TppPrinter printer;
    printer.SetPrinterSetup(sheet.report->PrinterSetup());
    printer.PrinterSetup().SetPrinterName("ValdoraSecond");
    QString paper;
    QList<double> margins;
    bool landscape = true;
    WhenPageSetupOpens([&](QPageSetupDialog &dialog) {
        paper = Find<QComboBox>(dialog, "pageSizeCombo")->currentText();
        margins = MarginsInPoints(dialog);
        landscape = Find<QRadioButton>(dialog, "landscape")->isChecked();
        // The margins are the printer's, not a choice.
        QVERIFY(Find<QDoubleSpinBox>(dialog, "leftMargin")->isReadOnly());
        // Another paper shows its own margins.
        Choose(dialog, QStringLiteral("Legal"), false);
        QCOMPARE(qRound(MarginsInPoints(dialog).value(0)), 18);
        dialog.reject();
    });
    QVERIFY(!printer.ShowPropertiesDialog());
    QCOMPARE(paper, QStringLiteral("Office Letter"));
    QVERIFY(!landscape);
    QCOMPARE(margins.size(), 4);
    for (const double margin : margins)
        QVERIFY2(qAbs(margin - 18) < 0.5, qPrintable(QString::number(margin)));
}

void PrinterPropertiesTest::confirmedPaperIsPrinted_data()
{
    QTest::addColumn<bool>("landscape");
    QTest::addColumn<QString>("pageSize");

    QTest::newRow("legal") << false << "612 x 1008 pts";
    // As a printer prints a page on its side: on the sheet of paper, turned.
    QTest::newRow("legal landscape") << true << "612 x 1008 pts";
}

void PrinterPropertiesTest::confirmedPaperIsPrinted()
{
    QFETCH(bool, landscape);
    QFETCH(QString, pageSize);

    printed::TestQueue queue(QStringLiteral("ValdoraPropertiesTest"));
    QVERIFY(queue.Created());
    TppPrinterList::Instance().Refresh();
    EngineReport sheet;
    sheet.device.SetPublisher(nullptr);
    // Short enough for a page on its side.
    sheet.header->SetmmHeight(50000);
    TppReport &report = *sheet.report;
    report.PrinterSetup().SetPrinterName(queue.StdName());
    report.SetDeviceType("Printer");

    const QStringList messages = PrintWithProperties(
        report, {[&](QPageSetupDialog &setup) { Choose(setup, QStringLiteral("Legal"), landscape); }});
    QCOMPARE(messages, QStringList());
    QVERIFY(queue.WaitForOutput());
    const QString info = printed::PdfInfo(queue.OutputFile());
    QVERIFY2(info.contains(QStringLiteral("Page size:       ") + pageSize), qPrintable(info));
    QCOMPARE(printed::PdfPageCount(queue.OutputFile()), 1);
    // The labels of the header, detail and footer bands: down the page
    // from its top when upright, along its bottom edge when turned.
    const QImage page = printed::RasterisePage(queue.OutputFile(), 1, 100);
    const QRect ink = printed::BoundingBox(page, [](QRgb pixel) { return qGray(pixel) < 200; });
    QVERIFY(!ink.isNull());
    const QString where = QStringLiteral("%1,%2 %3x%4").arg(ink.x()).arg(ink.y()).arg(ink.width()).arg(ink.height());
    if (landscape)
        QVERIFY2(ink.top() > page.height() * 8 / 10 && ink.width() > page.width() / 2, qPrintable(where));
    else
        QVERIFY2(ink.top() < page.height() / 10 && ink.height() > page.height() / 2, qPrintable(where));
}

// The second queue's driver has paper sources and two-sided printing, the
// PDF queue's two-sided printing only: each is offered where the driver has
// it, and the choice is in the job the server holds.
void PrinterPropertiesTest::sourceAndSidesReachTheJob_data()
{
    QTest::addColumn<QString>("queue");
    QTest::addColumn<QStringList>("sources"); // offered; empty: no source box
    QTest::addColumn<QString>("source");
    QTest::addColumn<int>("sides");           // index in the two-sided box
    QTest::addColumn<QString>("mediaSource");
    QTest::addColumn<QString>("sidesAttribute");

    const QStringList second{"Upper", "Manual Feed", "Envelope Feeder"};
    QTest::newRow("manual feed, long edge") << "ValdoraSecond" << second << "Manual Feed" << 1 << "manual"
                                            << "two-sided-long-edge";
    QTest::newRow("envelope feeder, short edge") << "ValdoraSecond" << second << "Envelope Feeder" << 2
                                                 << "envelope-feeder" << "two-sided-short-edge";
    QTest::newRow("upper, one side") << "ValdoraSecond" << second << "Upper" << 0 << "top" << "one-sided";
    QTest::newRow("no sources, long edge") << "ValdoraPDF" << QStringList() << "" << 1 << "" << "two-sided-long-edge";
}

void PrinterPropertiesTest::sourceAndSidesReachTheJob()
{
    QFETCH(QString, queue);
    QFETCH(QStringList, sources);
    QFETCH(QString, source);
    QFETCH(int, sides);
    QFETCH(QString, mediaSource);
    QFETCH(QString, sidesAttribute);

    ForgetKeptSettings();
    EngineReport sheet;
    sheet.device.SetPublisher(nullptr);
    TppReport &report = *sheet.report;
    report.PrinterSetup().SetPrinterName(queue.toStdString());
    report.SetDeviceType("Printer");
    const int before = printed::NewestJob(queue);
    QStringList offered;
    bool sidesOffered = false;
    const QStringList messages = PrintWithProperties(report, {[&](QPageSetupDialog &setup) {
        Choose(setup, QStringLiteral("Legal"), false);
        if (auto *box = setup.findChild<QComboBox *>(QStringLiteral("paperSourceCombo"))) {
            for (int i = 0; i < box->count(); ++i)
                offered << box->itemText(i);
            box->setCurrentIndex(box->findText(source));
        }
        if (auto *box = setup.findChild<QComboBox *>(QStringLiteral("twoSidedCombo"))) {
            sidesOffered = box->count() == 3;
            box->setCurrentIndex(sides);
        }
    }});
    QCOMPARE(messages, QStringList());
    QCOMPARE(offered, sources);
    QVERIFY(sidesOffered);
    const int job = printed::NewestJob(queue);
    QVERIFY(job > before);
    const QHash<QString, QString> attributes = printed::JobAttributes(job);
    QCOMPARE(attributes.value(QStringLiteral("media-source")), mediaSource);
    QCOMPARE(attributes.value(QStringLiteral("sides")), sidesAttribute);
    QCOMPARE(attributes.value(QStringLiteral("media")), QStringLiteral("Legal"));
}

// A page the sheet's bands do not fit on is refused while the dialog is
// open, saying which choice to change; changed, the sheet prints.
void PrinterPropertiesTest::sheetThatDoesNotFitIsRefused_data()
{
    QTest::addColumn<QString>("paper");
    QTest::addColumn<bool>("landscape");
    QTest::addColumn<QString>("message");

    QTest::newRow("on its side") << "Legal" << true
                                 << "The sheet does not fit on the page in landscape orientation. In Properties, "
                                    "choose Portrait orientation or a larger paper.";
    QTest::newRow("a card") << "Photo Card" << false
                            << "The sheet does not fit on Photo Card paper. In Properties, choose a larger paper.";
}

void PrinterPropertiesTest::sheetThatDoesNotFitIsRefused()
{
    QFETCH(QString, paper);
    QFETCH(bool, landscape);
    QFETCH(QString, message);

    ForgetKeptSettings();
    EngineReport sheet;
    sheet.device.SetPublisher(nullptr);
    // The results sheet's header, 235 mm high: upright on Legal it fits.
    TppReport &report = *sheet.report;
    report.PrinterSetup().SetPrinterName("ValdoraSecond");
    report.SetDeviceType("Printer");
    const int before = printed::NewestJob(QStringLiteral("ValdoraSecond"));
    const QStringList messages = PrintWithProperties(
        report, {[&](QPageSetupDialog &setup) { Choose(setup, paper, landscape); },
                 [&](QPageSetupDialog &setup) { Choose(setup, QStringLiteral("Legal"), false); }});
    QCOMPARE(messages, QStringList{message});
    QVERIFY(printed::NewestJob(QStringLiteral("ValdoraSecond")) > before);
}

QTEST_MAIN(PrinterPropertiesTest)
#include "printer_properties_test.moc"
