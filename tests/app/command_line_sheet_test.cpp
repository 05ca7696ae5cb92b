// The results sheet from the command line, through the program's binary
// with no display: --pdf writes the same page, pixel for pixel, as the print
// dialog's file panel writes for the same result shown on the results screen;
// --print sends it to a queue of the private print server, with copies;
// --batch --pdf writes one sheet per stratum into one file. A run that fails
// reports it and never waits on a window.

#include "command_line_runner.h"

#include "app/form3.h"
#include "app/present_result.h"
#include "app/results_sheet.h"
#include "app/survey_elements.h"
#include "calc/survey_selection.h"
#include "output/printer_list.h"
#include "preview/print_registration.h"
#include "report/custom_memo.h"
#include "report/report.h"
#include "tests/preview/print_flow_fixture.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QtTest>

static void LoadPictures()
{
    Q_INIT_RESOURCE(pictures);
}

using command_line::Outcome;
using command_line::Run;
using print_flow::Find;
using print_flow::WindowDriver;

namespace {

// The sheet as a user prints it from the windows: the result presented on
// the results screen, the screen's values and note copied into the sheet,
// then the print dialog's file panel.
bool PrintFromTheWindows(const SurveySelection &selection, const QString &note, const QString &file)
{
    SampleSizeParams params = RecordFor(selection);
    ComputeSampleSize(params);
    Form3 results;
    QLineEdit designEffectField;
    const ConsideredElements considered{selection.ProportionPercent.has_value(), selection.DesignEffectConsidered(),
                                        selection.ResponseRatePercent.has_value(),
                                        selection.PopulationSize.has_value()};
    PresentResult(params, considered, designEffectField, results);

    TppReport &sheet = results.ppReport1();
    const std::pair<const char *, const QLabel *> values[] = {
        {"ppLabel1", results.ui.Label2}, {"ppLabel2", results.ui.Label3},  {"ppLabel3", results.ui.Label4},
        {"ppLabel4", results.ui.Label5}, {"ppLabel5", results.ui.Label16}, {"ppLabel6", results.ui.Label17},
        {"ppLabel7", results.ui.Label18},
    };
    for (const auto &[name, label] : values)
        SheetComponent(sheet, name).SetCaption(label->text().toStdString());
    results.ui.Memo1->setPlainText(note);
    QString lines = results.ui.Memo1->toPlainText();
    lines.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    static_cast<TppCustomMemo &>(SheetComponent(sheet, "ppMemo1")).SetLines({lines.toStdString()});
    FitSheetValueLabels(sheet);

    sheet.SetDeviceType("Printer");
    WindowDriver driver;
    driver.onPrintDialog = [&](TppPrintDialog &dialog) {
        // The dialog may open with the file chosen last time.
        Find<QCheckBox>(dialog, "cbxPrintToFile")->setChecked(true);
        auto *name = Find<QLineEdit>(dialog, "edtPrintToFileName");
        name->clear();
        QTest::keyClicks(name, file);
        print_flow::ClickOk(dialog);
    };
    sheet.Print();
    return driver.printDialogSeen && driver.messages.isEmpty() && QFile::exists(file);
}

Outcome RunOffscreen(const QStringList &arguments)
{
    return Run(arguments, {});
}

void ComparePages(const QString &actual, int actualPage, const QString &expected, int expectedPage)
{
    const QImage a = printed::RasterisePage(actual, actualPage, 100);
    const QImage b = printed::RasterisePage(expected, expectedPage, 100);
    QVERIFY(!a.isNull() && !b.isNull());
    QCOMPARE(a.size(), b.size());
    QVERIFY2(a == b, qPrintable(QStringLiteral("%1 page %2 differs from %3 page %4")
                                    .arg(actual).arg(actualPage).arg(expected).arg(expectedPage)));
}

} // namespace

class CommandLineSheetTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void pdfIsTheWindowsSheet_data();
    void pdfIsTheWindowsSheet();
    void pdfFailuresLeaveNoFile();
    void printOnQueues();
    void strataIntoOnePdf();

private:
    TppPrintRegistration m_registration;
    QTemporaryDir m_folder;
};

void CommandLineSheetTest::initTestCase()
{
    if (!printed::PrintServerRunning() || !QPrinterInfo::availablePrinterNames().contains(QStringLiteral("ValdoraPDF")))
        QSKIP("needs the private print server of scripts/test-services.sh");
    LoadPictures();
    TppPrinterList::Instance().Refresh();
}

void CommandLineSheetTest::pdfIsTheWindowsSheet_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("note");
    QTest::addColumn<QStringList>("texts");

    QTest::newRow("error and confidence only")
        << QStringList{"--error", "5", "--confidence", "95"} << QString() << QStringList{"384", "Error Máximo 5 %"};
    QTest::newRow("every element, a note of two lines")
        << QStringList{"--error", "3", "--confidence", "99.7", "--proportion", "30", "--population", "5000",
                       "--rho", "0.05", "--cluster-size", "12", "--response-rate", "80"}
        << QStringLiteral("Región Norte\nsegunda línea del plan") << QStringList{"2825", "5000", "1.55", "Región Norte segunda línea del plan"};
    QTest::newRow("a value too wide for its box")
        << QStringList{"--error", "0.01", "--confidence", "95", "--deff", "123456789.123"} << QStringLiteral("x")
        << QStringList{"Efecto de Diseño"};
}

void CommandLineSheetTest::pdfIsTheWindowsSheet()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, note);
    QFETCH(QStringList, texts);

    const QString fromCommandLine = m_folder.filePath(QStringLiteral("command-line.pdf"));
    QStringList run = arguments;
    if (!note.isNull())
        run << "--note" << note;
    run << "--pdf" << fromCommandLine;
    const Outcome outcome = RunOffscreen(run);
    QVERIFY2(outcome.finished, "the run did not end");
    QCOMPARE(outcome.status, 0);
    QVERIFY(outcome.out.startsWith(QStringLiteral("Sample size: ")));
    QCOMPARE(printed::PdfPageCount(fromCommandLine), 1);

    // The same values, read the same way, printed from the windows.
    SurveyEntry entry('.');
    for (int i = 0; i + 1 < arguments.size(); i += 2)
        QVERIFY(entry.Read(*ElementOfOption(arguments[i].toStdString()), arguments[i + 1].toStdString()));
    const QString fromWindows = m_folder.filePath(QStringLiteral("windows.pdf"));
    QFile::remove(fromWindows);
    QVERIFY(PrintFromTheWindows(entry.Selection(), note, fromWindows));

    const QStringList pageTexts = printed::PdfPageTexts(fromCommandLine);
    QCOMPARE(pageTexts, printed::PdfPageTexts(fromWindows));
    for (const QString &text : texts)
        QVERIFY2(pageTexts.first().contains(text), qPrintable(pageTexts.first()));
    ComparePages(fromCommandLine, 1, fromWindows, 1);
}

void CommandLineSheetTest::pdfFailuresLeaveNoFile()
{
    const QString target = m_folder.filePath(QStringLiteral("missing-folder/sheet.pdf"));
    const Outcome outcome = RunOffscreen({"--error", "5", "--confidence", "95", "--pdf", target});
    QVERIFY2(outcome.finished, "a failing run must not wait on a window");
    QCOMPARE(outcome.status, 4);
    QVERIFY2(outcome.err.contains(QStringLiteral("valdora: the results sheet could not be written: ")),
             qPrintable(outcome.err));
    QVERIFY(!QFile::exists(target));

    // An existing file is replaced whole by a run that succeeds.
    const QString existing = m_folder.filePath(QStringLiteral("existing.pdf"));
    QFile old(existing);
    QVERIFY(old.open(QIODevice::WriteOnly) && old.write("not a PDF") > 0);
    old.close();
    QCOMPARE(RunOffscreen({"--error", "5", "--confidence", "95", "--pdf", existing}).status, 0);
    QCOMPARE(printed::PdfPageCount(existing), 1);
    QCOMPARE(QDir(m_folder.path()).entryList({"existing*"}, QDir::Files | QDir::Hidden),
             QStringList{"existing.pdf"});
}

void CommandLineSheetTest::printOnQueues()
{
    QTemporaryDir folder;
    printed::TestQueue queue(QStringLiteral("ValdoraCommandLine"), printed::QuarterInchDriver(folder.path()));
    QVERIFY(queue.Created());

    const QStringList values{"--error", "5", "--confidence", "95", "--population", "1000", "--note", "Plan A"};
    const Outcome printedRun = RunOffscreen(values + QStringList{"--print", "--printer", queue.Name(), "--copies", "2"});
    QVERIFY(printedRun.finished);
    QCOMPARE(printedRun.status, 0);
    QVERIFY(queue.WaitForOutput());
    QCOMPARE(printed::PdfPageCount(queue.OutputFile()), 2);
    const QStringList pages = printed::PdfPageTexts(queue.OutputFile());
    QCOMPARE(pages.at(0), pages.at(1));
    QVERIFY2(pages.at(0).contains(QStringLiteral("278")) && pages.at(0).contains(QStringLiteral("Plan A")),
             qPrintable(pages.at(0)));

    // The queue prints the page the PDF file holds.
    const QString file = m_folder.filePath(QStringLiteral("for-the-queue.pdf"));
    QCOMPARE(RunOffscreen(values + QStringList{"--pdf", file}).status, 0);
    QCOMPARE(printed::PdfPageTexts(file).first(), pages.at(0));

    // Unknown queues are refused before anything is printed.
    const Outcome unknown = RunOffscreen(values + QStringList{"--print", "--printer", "NoSuchQueue"});
    QCOMPARE(unknown.status, 2);
    QVERIFY2(unknown.err.contains(QStringLiteral("valdora: --printer: there is no print queue 'NoSuchQueue'.")),
             qPrintable(unknown.err));

    // A queue that refuses jobs: the failure is reported, not shown in a box.
    queue.Reject();
    queue.ForgetOutput();
    const Outcome refused = RunOffscreen(values + QStringList{"--print", "--printer", queue.Name()});
    QVERIFY2(refused.finished, "a failing print must not wait on a window");
    QCOMPARE(refused.status, 4);
    QVERIFY2(refused.err.contains(QStringLiteral("valdora: the results sheet could not be printed: ")),
             qPrintable(refused.err));
}

void CommandLineSheetTest::strataIntoOnePdf()
{
    const QString table = m_folder.filePath(QStringLiteral("strata.csv"));
    QFile file(table);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("stratum,error,confidence,population,note\n"
               "Norte,5,95,1000,\n"
               "Refused,30,95,,\n"
               "Sur,3,90,,urbano\n");
    file.close();
    const QString pdf = m_folder.filePath(QStringLiteral("strata.pdf"));
    const Outcome outcome = RunOffscreen({"--batch", table, "--pdf", pdf});
    QVERIFY(outcome.finished);
    QCOMPARE(outcome.status, 2);
    QCOMPARE(printed::PdfPageCount(pdf), 2);
    const QStringList pages = printed::PdfPageTexts(pdf);
    QVERIFY2(pages.at(0).contains(QStringLiteral("278")) && pages.at(0).contains(QStringLiteral("Norte")), qPrintable(pages.at(0)));
    QVERIFY2(pages.at(1).contains(QStringLiteral("747")) && pages.at(1).contains(QStringLiteral("Sur urbano")),
             qPrintable(pages.at(1)));
    QVERIFY(!pages.at(1).contains(QStringLiteral("Población")));

    // Each page is the sheet of a single run with the stratum as its note.
    const QString single = m_folder.filePath(QStringLiteral("sur.pdf"));
    QCOMPARE(RunOffscreen({"--error", "3", "--confidence", "90", "--note", "Sur\nurbano", "--pdf", single}).status, 0);
    ComparePages(pdf, 2, single, 1);
    const QString first = m_folder.filePath(QStringLiteral("norte.pdf"));
    QCOMPARE(RunOffscreen({"--error", "5", "--confidence", "95", "--population", "1000", "--note", "Norte", "--pdf", first}).status, 0);
    ComparePages(pdf, 1, first, 1);
}

QTEST_MAIN(CommandLineSheetTest)
#include "command_line_sheet_test.moc"
