// Printing into a PDF file from the print dialog's file panel: the results
// sheet written into a file is the page the PDF queue prints, copies and
// collation included; the file's name is completed and checked before the
// dialog closes, and a file is written whole or not at all.

#include "app/results_sheet.h"
#include "output/pdf_file_device.h"
#include "output/printer_list.h"
#include "preview/print_registration.h"
#include "report/label.h"
#include "report/report.h"
#include "tests/preview/print_flow_fixture.h"

#include "../support/kept_settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QThread>
#include <QToolButton>
#include <QtTest>

#include <functional>

static void LoadPictures()
{
    Q_INIT_RESOURCE(pictures);
}

namespace {

using print_flow::Find;
using print_flow::WindowDriver;

// Chooses the file target with `name` typed into the name box.
void ChooseFile(TppPrintDialog &dialog, const QString &name)
{
    // Checked already when the last OK printed to a file.
    if (auto *toFile = Find<QCheckBox>(dialog, "cbxPrintToFile"); !toFile->isChecked())
        toFile->click();
    auto *box = Find<QLineEdit>(dialog, "edtPrintToFileName");
    box->clear();
    QTest::keyClicks(box, name);
}

void ClickOk(TppPrintDialog &dialog)
{
    QTest::mouseClick(Find<QPushButton>(dialog, "btnOK"), Qt::LeftButton);
}

// The results sheet with values, printing on `queue`.
std::unique_ptr<TppReport> FilledSheet(const std::string &queue)
{
    auto sheet = CreateResultsSheet();
    for (const auto &[name, value] : {std::pair{"ppLabel1", "384"}, std::pair{"ppLabel2", "5"},
                                      std::pair{"ppLabel3", "95"}, std::pair{"ppLabel6", "100"}})
        static_cast<TppLabel &>(SheetComponent(*sheet, name)).SetCaption(value);
    sheet->PrinterSetup().SetPrinterName(queue);
    sheet->SetDeviceType("Printer");
    return sheet;
}

// Each page's header number ("Page 3"), in document order.
QStringList PrintedPages(const QString &file)
{
    QStringList numbers;
    const QRegularExpression page(QStringLiteral("Page (\\d+)"));
    for (const QString &text : printed::PdfPageTexts(file))
        numbers << page.match(text).captured(1);
    return numbers;
}

// The fonts a PDF embeds, by name without the subset tag.
QStringList EmbeddedFonts(const QString &file)
{
    QByteArray out;
    printed::Run(QStringLiteral("pdffonts"), {file}, &out);
    QStringList fonts;
    for (const QString &line : QString::fromUtf8(out).split(QLatin1Char('\n')).mid(2)) {
        const QString name = line.section(QLatin1Char(' '), 0, 0);
        if (!name.isEmpty())
            fonts << name.section(QLatin1Char('+'), -1);
    }
    fonts.sort();
    return fonts;
}

QStringList FolderEntries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace

class PrintToFileTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init() { ForgetKeptSettings(); }

    void panelOffersPdfFiles();
    void sheetInTheFileIsTheQueuesPage();
    void copiesCollationAndPages_data();
    void copiesCollationAndPages();
    void saveDialogGivesTheExtension();
    void namesRefusedBeforeTheDialogCloses_data();
    void namesRefusedBeforeTheDialogCloses();
    void existingFileReplacedOnlyWhenConfirmed();
    void cancelledOrFailedLeavesNoFile();
    void cancelKeepsTheOlderFile_data();
    void cancelKeepsTheOlderFile();
    void withoutTheDialog();

private:
    TppPrintRegistration m_registration;
};

void PrintToFileTest::initTestCase()
{
    if (!printed::PrintServerRunning() || !QPrinterInfo::availablePrinterNames().contains(QStringLiteral("ValdoraPDF")))
        QSKIP("needs the private print server of scripts/test-services.sh");
    LoadPictures();
    TppPrinterList::Instance().Refresh();
}

void PrintToFileTest::panelOffersPdfFiles()
{
    auto sheet = FilledSheet("ValdoraPDF");
    QVERIFY(sheet->AllowPrintToFile());
    WindowDriver driver;
    driver.onPrintDialog = [&](TppPrintDialog &dialog) {
        // The stored layout with the panel: the window at its stored height
        // (plus what the description added), the buttons below the panel.
        auto *panel = Find<QWidget>(dialog, "pnlPrintToFile");
        QVERIFY(panel->isVisible());
        const int growth = Find<QFrame>(dialog, "bvlPageRange")->height() - 110;
        QCOMPARE(dialog.size(), QSize(482, 388 + growth));
        QCOMPARE(panel->geometry(), QRect(0, 253 + growth, 482, 95));
        QCOMPARE(Find<QWidget>(dialog, "pnlBottom")->y(), 348 + growth);
        QCOMPARE(Find<QLabel>(dialog, "lblPrintToFile")->text(), QStringLiteral("Print to File"));
        auto *types = Find<QComboBox>(dialog, "cbxPrintToFileTypes");
        QCOMPARE(types->count(), 1);
        QCOMPARE(types->itemText(0), QStringLiteral("PDF File"));
        // Until "Print to File" is checked the printer prints.
        QVERIFY(!Find<QCheckBox>(dialog, "cbxPrintToFile")->isChecked());
        QVERIFY(!types->isEnabled() && !Find<QLineEdit>(dialog, "edtPrintToFileName")->isEnabled()
                && !Find<QToolButton>(dialog, "spbPrintToFile")->isEnabled());
        Find<QCheckBox>(dialog, "cbxPrintToFile")->click();
        QCOMPARE(types->currentText(), QStringLiteral("PDF File"));
        QVERIFY(types->isEnabled() && Find<QLineEdit>(dialog, "edtPrintToFileName")->isEnabled());
        QTest::mouseClick(Find<QPushButton>(dialog, "btnCancel"), Qt::LeftButton);
    };
    sheet->Print();
    QVERIFY(driver.printDialogSeen);
    QCOMPARE(driver.messages, QStringList());
}

void PrintToFileTest::sheetInTheFileIsTheQueuesPage()
{
    // A queue that leaves only a quarter inch unprinted, as the sheet's
    // margins: the stock driver's half inch would cut the sheet's top.
    QTemporaryDir folder;
    printed::TestQueue queue(QStringLiteral("ValdoraFileCompare"), printed::QuarterInchDriver(folder.path()));
    QVERIFY(queue.Created());
    TppPrinterList::Instance().Refresh();

    auto onPaper = FilledSheet(queue.StdName());
    {
        WindowDriver driver;
        driver.onPrintDialog = [](TppPrintDialog &dialog) { ClickOk(dialog); };
        onPaper->Print();
        QCOMPARE(driver.messages, QStringList());
    }
    QVERIFY(queue.WaitForOutput());

    auto inFile = FilledSheet(queue.StdName());
    const QString typed = folder.filePath(QStringLiteral("results"));
    const QString written = typed + QStringLiteral(".pdf");
    WindowDriver driver;
    driver.onPrintDialog = [&](TppPrintDialog &dialog) {
        ChooseFile(dialog, typed);
        ClickOk(dialog);
    };
    const int jobs = queue.JobCount();
    inFile->Print();
    QCOMPARE(driver.messages, QStringList());
    QCOMPARE(queue.JobCount(), jobs);
    QVERIFY(QFile::exists(written));
    // The status lines name the file.
    QVERIFY2(!driver.statusTexts.isEmpty() && driver.statusTexts.last().endsWith(QStringLiteral("on the results.pdf")),
             qPrintable(driver.statusTexts.join(QLatin1Char('/'))));

    QVERIFY2(printed::PdfInfo(written).contains(QStringLiteral("612 x 792 pts (letter)")), qPrintable(printed::PdfInfo(written)));
    QCOMPARE(printed::PdfPageCount(written), 1);
    const QStringList text = printed::PdfPageTexts(written);
    QCOMPARE(text, printed::PdfPageTexts(queue.OutputFile()));
    QVERIFY(text.first().contains(QStringLiteral("384")));
    QVERIFY(!EmbeddedFonts(written).isEmpty());
    QCOMPARE(EmbeddedFonts(written), EmbeddedFonts(queue.OutputFile()));
    const QImage filePage = printed::RasterisePage(written, 1, 150);
    const QImage queuePage = printed::RasterisePage(queue.OutputFile(), 1, 150);
    QVERIFY(!filePage.isNull());
    QCOMPARE(filePage.size(), queuePage.size());
    // The queue's filter puts the page in a group of its own, which the
    // rasteriser smooths a little differently: nothing may move, though.
    QCOMPARE(printed::PixelsAwayMoreThanOnePixel(filePage, queuePage), 0);
    // Nothing but the file is left in its folder.
    QStringList entries = FolderEntries(folder.path());
    entries.removeAll(QStringLiteral("quarter-inch.ppd"));
    QCOMPARE(entries, QStringList{QStringLiteral("results.pdf")});
}

void PrintToFileTest::copiesCollationAndPages_data()
{
    QTest::addColumn<QString>("pages");
    QTest::addColumn<bool>("collate");
    QTest::addColumn<QString>("expected");

    QTest::newRow("collated") << "" << true << "1,2,3,1,2,3";
    QTest::newRow("not collated") << "" << false << "1,1,2,2,3,3";
    QTest::newRow("pages 2 and 3") << "2-3" << true << "2,3,2,3";
}

void PrintToFileTest::copiesCollationAndPages()
{
    QFETCH(QString, pages);
    QFETCH(bool, collate);
    QFETCH(QString, expected);

    QTemporaryDir folder;
    EngineReport sheet;
    sheet.device.SetPublisher(nullptr);
    sheet.Pages(3);
    TppReport &report = *sheet.report;
    report.PrinterSetup().SetPrinterName("ValdoraPDF");
    report.SetDeviceType("Printer");
    report.SetAllowPrintToFile(true);
    report.OnStartPage = [&](TppCustomReport &self) {
        sheet.headerLabel->SetCaption("Page " + std::to_string(self.Engine().PageNo()));
    };
    const QString file = folder.filePath(QStringLiteral("copies.pdf"));
    WindowDriver driver;
    driver.onPrintDialog = [&](TppPrintDialog &dialog) {
        if (!pages.isEmpty()) {
            Find<QRadioButton>(dialog, "rdbPages")->click();
            Find<QLineEdit>(dialog, "edtPageRange")->setText(pages);
        }
        Find<QLineEdit>(dialog, "edtCopies")->setText(QStringLiteral("2"));
        QCheckBox *collation = Find<QCheckBox>(dialog, "cbxCollate");
        if (collation->isChecked() != collate)
            collation->click();
        ChooseFile(dialog, file);
        ClickOk(dialog);
    };
    report.Print();
    QCOMPARE(driver.messages, QStringList());
    QCOMPARE(PrintedPages(file), expected.split(QLatin1Char(',')));
}

void PrintToFileTest::saveDialogGivesTheExtension()
{
    QTemporaryDir folder;
    auto sheet = FilledSheet("ValdoraPDF");
    sheet->SetTextFileName(folder.filePath(QStringLiteral("earlier.pdf")).toStdString());
    QStringList filters;
    QString directory;
    WindowDriver driver;
    driver.onPrintDialog = [&](TppPrintDialog &dialog) {
        Find<QCheckBox>(dialog, "cbxPrintToFile")->click();
        QCOMPARE(Find<QLineEdit>(dialog, "edtPrintToFileName")->text(), folder.filePath(QStringLiteral("earlier.pdf")));
        QTimer::singleShot(0, &dialog, [&] {
            auto *files = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            QVERIFY(files);
            filters = files->nameFilters();
            directory = files->directory().absolutePath();
            QVERIFY(files->acceptMode() == QFileDialog::AcceptSave);
            auto *name = files->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            QVERIFY(name);
            name->setText(QStringLiteral("chosen"));
            QTest::keyClick(name, Qt::Key_Return);
        });
        Find<QToolButton>(dialog, "spbPrintToFile")->click();
        QCOMPARE(Find<QLineEdit>(dialog, "edtPrintToFileName")->text(), folder.filePath(QStringLiteral("chosen.pdf")));
        ClickOk(dialog);
    };
    sheet->Print();
    QCOMPARE(driver.messages, QStringList());
    QCOMPARE(filters.value(0), QStringLiteral("PDF files (*.pdf)"));
    QCOMPARE(directory, QDir(folder.path()).absolutePath());
    QCOMPARE(printed::PdfPageCount(folder.filePath(QStringLiteral("chosen.pdf"))), 1);
}

void PrintToFileTest::namesRefusedBeforeTheDialogCloses_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");

    QTest::newRow("no name") << "" << "Please specify file name before continuing.";
    QTest::newRow("folder missing") << "<dir>/missing/sheet.pdf" << "The folder \"<dir>/missing\" does not exist.";
    QTest::newRow("folder is a file") << "<dir>/plain.txt/sheet.pdf" << "The folder \"<dir>/plain.txt\" does not exist.";
    QTest::newRow("a folder as the file") << "<dir>/sub.pdf" << "\"<dir>/sub.pdf\" is a folder, not a file.";
    // Refuses files whatever its permission bits say, even to root.
    QTest::newRow("folder that takes no files") << "/proc/sheet.pdf" << "The folder \"/proc\" cannot be written to.";
}

void PrintToFileTest::namesRefusedBeforeTheDialogCloses()
{
    QFETCH(QString, name);
    QFETCH(QString, message);

    QTemporaryDir folder;
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("sub.pdf")));
    QFile plain(folder.filePath(QStringLiteral("plain.txt")));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    name.replace(QStringLiteral("<dir>"), folder.path());
    message.replace(QStringLiteral("<dir>"), folder.path());

    auto sheet = FilledSheet("ValdoraPDF");
    WindowDriver driver;
    bool stayedOpen = false;
    driver.onPrintDialog = [&](TppPrintDialog &dialog) {
        ChooseFile(dialog, name);
        ClickOk(dialog);
        QTest::qWait(50);
        stayedOpen = dialog.isVisible();
        // What was typed is still there to be put right.
        QCOMPARE(Find<QLineEdit>(dialog, "edtPrintToFileName")->text(), name);
        QTest::mouseClick(Find<QPushButton>(dialog, "btnCancel"), Qt::LeftButton);
    };
    sheet->Print();
    QVERIFY(stayedOpen);
    QCOMPARE(driver.messages, QStringList{message});
    QStringList entries = FolderEntries(folder.path());
    entries.sort();
    QCOMPARE(entries, (QStringList{"plain.txt", "sub.pdf"}));
}

void PrintToFileTest::existingFileReplacedOnlyWhenConfirmed()
{
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("kept.pdf"));
    QFile earlier(file);
    QVERIFY(earlier.open(QIODevice::WriteOnly));
    earlier.write("earlier");
    earlier.close();
    const QString question = QStringLiteral("The file \"%1\" already exists. Do you want to replace it?").arg(file);

    for (const bool replace : {false, true}) {
        auto sheet = FilledSheet("ValdoraPDF");
        WindowDriver driver;
        driver.answerYes = replace;
        bool stayedOpen = false;
        driver.onPrintDialog = [&](TppPrintDialog &dialog) {
            ChooseFile(dialog, file);
            ClickOk(dialog);
            QTest::qWait(50);
            stayedOpen = dialog.isVisible();
            if (stayedOpen)
                QTest::mouseClick(Find<QPushButton>(dialog, "btnCancel"), Qt::LeftButton);
        };
        sheet->Print();
        QCOMPARE(driver.messages, QStringList{question});
        QCOMPARE(stayedOpen, !replace);
        QFile result(file);
        QVERIFY(result.open(QIODevice::ReadOnly));
        QCOMPARE(result.readAll().startsWith("%PDF"), replace);
    }
    QCOMPARE(FolderEntries(folder.path()), QStringList{QStringLiteral("kept.pdf")});
}

void PrintToFileTest::cancelledOrFailedLeavesNoFile()
{
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("long.pdf"));

    // Cancelled while the pages are written.
    {
        EngineReport sheet;
        sheet.device.SetPublisher(nullptr);
        sheet.Pages(40);
        sheet.report->PrinterSetup().SetPrinterName("ValdoraPDF");
        sheet.report->SetDeviceType("Printer");
        sheet.report->SetAllowPrintToFile(true);
        WindowDriver driver;
        driver.onPrintDialog = [&](TppPrintDialog &dialog) {
            ChooseFile(dialog, file);
            ClickOk(dialog);
        };
        driver.onStatus = [](TppCancelDialog &dialog, const QString &text) {
            if (text.startsWith(QStringLiteral("Printing page 1 ")))
                QTest::mouseClick(Find<QPushButton>(dialog, "btnCancel"), Qt::LeftButton);
        };
        int cancels = 0;
        sheet.report->OnCancel = [&](TppCustomReport &) { ++cancels; };
        sheet.report->Print();
        QCOMPARE(cancels, 1);
        QCOMPARE(driver.messages, QStringList());
        QCOMPARE(FolderEntries(folder.path()).join(QLatin1Char(',')), QString());
    }
    // The folder gone between OK and the first page: the user is told, and
    // nothing is written.
    {
        const QString gone = folder.filePath(QStringLiteral("gone"));
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("gone")));
        auto sheet = FilledSheet("ValdoraPDF");
        sheet->BeforePrint = [&](TppCustomReport &) { QDir(gone).removeRecursively(); };
        WindowDriver driver;
        driver.onPrintDialog = [&](TppPrintDialog &dialog) {
            ChooseFile(dialog, gone + QStringLiteral("/sheet.pdf"));
            ClickOk(dialog);
        };
        sheet->Print();
        QCOMPARE(driver.messages.size(), 1);
        QVERIFY2(driver.messages.first().startsWith(
                     QStringLiteral("The file \"%1/sheet.pdf\" could not be written: ").arg(gone)),
                 qPrintable(driver.messages.first()));
        QVERIFY(!sheet->Producing());
        QCOMPARE(FolderEntries(folder.path()), QStringList());
    }
}

void PrintToFileTest::cancelKeepsTheOlderFile_data()
{
    QTest::addColumn<bool>("collate");
    QTest::addColumn<QString>("moment");

    for (const bool collate : {false, true}) {
        const char *order = collate ? "collated" : "separate";
        for (const char *moment : {"first copy", "middle copy", "last page"})
            QTest::addRow("%s, %s", order, moment) << collate << QString::fromLatin1(moment);
    }
}

// A file of the name exists, and Cancel is pressed while the copies are
// written: the older file stays byte for byte, and nothing of the job is
// left beside it.
void PrintToFileTest::cancelKeepsTheOlderFile()
{
    QFETCH(bool, collate);
    QFETCH(QString, moment);
    constexpr int kPages = 3;
    constexpr int kCopies = 200;

    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("results.pdf"));
    const QByteArray older = QByteArrayLiteral("%PDF-1.4\n% the user's own file, not to be lost\n%%EOF\n");
    {
        QFile earlier(file);
        QVERIFY(earlier.open(QIODevice::WriteOnly));
        earlier.write(older);
    }

    EngineReport sheet;
    sheet.device.SetPublisher(nullptr);
    sheet.Pages(kPages);
    TppReport &report = *sheet.report;
    report.PrinterSetup().SetPrinterName("ValdoraPDF");
    report.SetDeviceType("Printer");
    report.SetAllowPrintToFile(true);
    int cancels = 0;
    report.OnCancel = [&](TppCustomReport &) { ++cancels; };

    // "Printing page 2 of 3, copy 7 of 200, ...": the page and the copy.
    const QRegularExpression line(QStringLiteral("^Printing page (\\d+)(?: of \\d+)?, copy (\\d+) of "));
    const auto cancelNow = [&](const QString &status) {
        const QRegularExpressionMatch match = line.match(status);
        if (!match.hasMatch())
            return false;
        const int page = match.captured(1).toInt();
        const int copy = match.captured(2).toInt();
        if (moment == QStringLiteral("first copy"))
            return copy == 1;
        if (moment == QStringLiteral("middle copy"))
            return copy > 1 && copy < kCopies;
        return page == kPages && (!collate || copy == kCopies);
    };
    WindowDriver driver;
    driver.onPrintDialog = [&](TppPrintDialog &dialog) {
        ChooseFile(dialog, file);
        Find<QLineEdit>(dialog, "edtCopies")->setText(QString::number(kCopies));
        auto *collation = Find<QCheckBox>(dialog, "cbxCollate");
        if (collation->isChecked() != collate)
            collation->click();
        ClickOk(dialog);
    };
    // Reads the line as the device writes it, each time it lets events in:
    // the dialog shows it a little later, and the last lines of a fast job
    // only once the job is over.
    QString statusAtCancel;
    QString slowedAt;
    QObject guard;
    std::function<void()> watch = [&] {
        QTimer::singleShot(0, &guard, watch);
        for (QWidget *window : QApplication::topLevelWidgets()) {
            auto *dialog = qobject_cast<TppCancelDialog *>(window);
            if (!dialog || !dialog->isVisible() || !statusAtCancel.isEmpty())
                continue;
            const QString text = QString::fromStdString(dialog->StatusText());
            // A slow moment at the first copy, as a busy machine has: the
            // next copy's line then comes at once, not a hundred copies on.
            if (text.contains(QStringLiteral(", copy 1 of ")) && text != slowedAt) {
                slowedAt = text;
                QThread::msleep(110);
            }
            if (cancelNow(text)) {
                statusAtCancel = text;
                QTest::mouseClick(Find<QPushButton>(*dialog, "btnCancel"), Qt::LeftButton);
            }
        }
    };
    watch();
    report.Print();

    QVERIFY2(!statusAtCancel.isEmpty(), qPrintable(driver.statusTexts.join(QLatin1Char('|'))));
    QCOMPARE(cancels, 1);
    // The only question is the one about replacing the file.
    QCOMPARE(driver.messages.size(), 1);
    QVERIFY(!report.Producing());
    QCOMPARE(FolderEntries(folder.path()), QStringList{QStringLiteral("results.pdf")});
    QFile after(file);
    QVERIFY(after.open(QIODevice::ReadOnly));
    QCOMPARE(after.readAll(), older);
}

void PrintToFileTest::withoutTheDialog()
{
    // A report whose device type is the PDF file writes its file name.
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("direct.pdf"));
    auto sheet = FilledSheet("ValdoraPDF");
    sheet->SetDeviceType("PDFFile");
    QCOMPARE(sheet->DeviceType(), std::string("PDFFile"));
    sheet->SetShowPrintDialog(false);
    sheet->SetTextFileName(file.toStdString());
    WindowDriver driver;
    sheet->Print();
    QVERIFY(!driver.printDialogSeen);
    QCOMPARE(driver.messages, QStringList());
    QCOMPARE(printed::PdfPageCount(file), 1);
    QVERIFY(printed::PdfPageTexts(file).first().contains(QStringLiteral("384")));
}

QTEST_MAIN(PrintToFileTest)
#include "print_to_file_test.moc"
