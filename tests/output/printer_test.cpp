#include "output/printer.h"
#include "output/printer_list.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QTimer>
#include <QtTest>

#include "../support/printed_output.h"

#include <cups/cups.h>
#include <cups/ppd.h>

#include <cmath>
#include <memory>
#include <thread>
#include <vector>
#include <unistd.h>

#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

// Printers on the private spooler: metrics are compared with what the queues'
// PPDs state, read here through libcups; documents are printed on a queue of
// this test's own (a file: queue with the Generic PDF Printer driver, so that
// parallel tests never share its output file), created and deleted here.

namespace {

const QString kOwnQueue = QStringLiteral("ValdoraPrinterTest");
const QString kPdfDriver = QStringLiteral("/usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd");

// A paper as the queue's PPD describes it, in printer pixels.
struct PpdPaper {
    int resolution = 0;
    int width = 0;
    int length = 0;
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

PpdPaper ReadPpdPaper(const char *queue, const char *key)
{
    PpdPaper paper;
    const char *path = cupsGetPPD(queue);
    ppd_file_t *ppd = path ? ppdOpenFile(path) : nullptr;
    if (path)
        unlink(path);
    if (!ppd)
        return paper;
    const ppd_attr_t *resolution = ppdFindAttr(ppd, "DefaultResolution", nullptr);
    paper.resolution = resolution ? std::atoi(resolution->value) : 0;
    if (const ppd_size_t *size = ppdPageSize(ppd, key)) {
        const auto pixels = [&](float points) { return int(std::lround(points / 72.0 * paper.resolution)); };
        paper.width = pixels(size->width);
        paper.length = pixels(size->length);
        paper.left = pixels(size->left);
        paper.bottom = pixels(size->bottom);
        paper.right = pixels(size->width - size->right);
        paper.top = pixels(size->length - size->top);
    }
    ppdClose(ppd);
    return paper;
}

bool Run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

QString OutputFile()
{
    return QDir(qEnvironmentVariable("VALDORA_TEST_PRINT_OUT")).filePath(kOwnQueue + QStringLiteral(".pdf"));
}

// Waits for the spooler to finish writing the document, then asks pdfinfo.
QString WaitForPdfInfo(const QString &file)
{
    for (int attempt = 0; attempt < 200; ++attempt) {
        if (QFile::exists(file) && QFile(file).size() > 0) {
            QProcess process;
            process.start(QStringLiteral("pdfinfo"), {file});
            if (process.waitForFinished(10000) && process.exitCode() == 0)
                return QString::fromUtf8(process.readAllStandardOutput());
        }
        QTest::qWait(50);
    }
    return QString();
}

int PageCount(const QString &pdfInfo)
{
    for (const QString &line : pdfInfo.split(QLatin1Char('\n'))) {
        if (line.startsWith(QStringLiteral("Pages:")))
            return line.mid(6).trimmed().toInt();
    }
    return -1;
}

// Points libcups at a socket where no print server listens, as when the
// server has stopped, for the life of the object.
class PrintServerAway
{
public:
    PrintServerAway()
        : m_server(cupsServer())
    {
        cupsSetServer(QFile::encodeName(QDir::temp().filePath(QStringLiteral("valdora-no-print-server.sock"))).constData());
    }
    ~PrintServerAway() { cupsSetServer(m_server.constData()); }
    PrintServerAway(const PrintServerAway &) = delete;
    PrintServerAway &operator=(const PrintServerAway &) = delete;

private:
    QByteArray m_server;
};

// The message of the printer error `work` raises; empty when it raises none.
template <typename Work>
QString PrinterErrorOf(Work work)
{
    try {
        work();
    } catch (const EPrinterError &error) {
        return QString::fromUtf8(error.what());
    }
    return QString();
}

void ExpectNear(int actual, int expected, const char *what)
{
    // Qt and the PPD may round a point-to-pixel conversion differently.
    QVERIFY2(std::abs(actual - expected) <= 1,
             qPrintable(QStringLiteral("%1: %2, queue states %3").arg(what).arg(actual).arg(expected)));
}

} // namespace

class PrinterTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void nameResolution_data();
    void nameResolution();
    void metricsFromTheQueue_data();
    void metricsFromTheQueue();
    void landscapeAndCustomSizes();
    void noContextUntilAsked();
    void screenCannotPrint();
    void vanishedQueueFallsBackToScreen();
    void unavailablePrinterIsNamed_data();
    void unavailablePrinterIsNamed();
    void serverStoppedDuringTheJob();
    void failingBackendIsReported();
    void reasonKeepsOneFullStop();
    void nonsenseQueueValuesAreIgnored();
    void metricsReadOncePerSetup();

    void setupRoundTrip_data();
    void setupRoundTrip();
    void nameFixedWhileDocumentOpen();

    void printsOneDocument_data();
    void printsOneDocument();
    void abandonedDocumentIsNotPrinted();
    void jobOptionsReachTheSpooler_data();
    void jobOptionsReachTheSpooler();
    void monochromeFontColours_data();
    void monochromeFontColours();
    void refusedDocuments_data();
    void refusedDocuments();

    void propertiesDialog_data();
    void propertiesDialog();
    void sharedMeasuringPrinter();
};

void PrinterTest::initTestCase()
{
    if (!QPrinterInfo::availablePrinterNames().contains(QStringLiteral("ValdoraSecond")))
        QSKIP("needs the private print server of scripts/test-services.sh");
    QVERIFY(!qEnvironmentVariableIsEmpty("VALDORA_TEST_PRINT_OUT"));
    QVERIFY(Run(QStringLiteral("lpadmin"), {"-p", kOwnQueue, "-E", "-v", "file:" + OutputFile(), "-P", kPdfDriver}));
    TppPrinterList::Instance().Refresh();
}

void PrinterTest::cleanupTestCase()
{
    Run(QStringLiteral("lpadmin"), {"-x", kOwnQueue});
}

void PrinterTest::init()
{
    // Every case starts with the test queue taking jobs.
    Run(QStringLiteral("cupsenable"), {kOwnQueue});
    Run(QStringLiteral("cupsaccept"), {kOwnQueue});
}

void PrinterTest::nameResolution_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expectedName");
    QTest::addColumn<QString>("expectedDisplayName");

    const QString defaultQueue = QPrinterInfo::defaultPrinterName();
    QTest::newRow("Default") << "Default" << "Default" << defaultQueue;
    QTest::newRow("a queue") << "ValdoraSecond" << "ValdoraSecond" << "ValdoraSecond";
    QTest::newRow("unknown") << "Nowhere" << "Default" << defaultQueue;
    QTest::newRow("Screen") << "Screen" << "Screen" << "Screen";
}

void PrinterTest::nameResolution()
{
    QFETCH(QString, name);
    QFETCH(QString, expectedName);
    QFETCH(QString, expectedDisplayName);

    TppPrinter printer;
    printer.SetPrinterName(name.toStdString());
    // An unknown name resolves to the default printer, which a new printer
    // already is: its name stays "Default".
    QCOMPARE(QString::fromStdString(printer.PrinterName()), expectedName);
    QCOMPARE(QString::fromStdString(printer.PrinterDisplayName()), expectedDisplayName);
    QCOMPARE(QString::fromStdString(printer.PrinterInfo()->Name()), expectedDisplayName);
}

void PrinterTest::metricsFromTheQueue_data()
{
    QTest::addColumn<QString>("queue");
    QTest::addColumn<QString>("paper");
    QTest::addColumn<QString>("ppdKey");

    QTest::newRow("PDF queue, Letter") << "ValdoraPDF" << "Letter" << "Letter";
    QTest::newRow("PDF queue, A4") << "ValdoraPDF" << "A4" << "A4";
    QTest::newRow("second queue, A5") << "ValdoraSecond" << "A5" << "A5";
    QTest::newRow("second queue, Legal") << "ValdoraSecond" << "Legal" << "Legal";
}

void PrinterTest::metricsFromTheQueue()
{
    QFETCH(QString, queue);
    QFETCH(QString, paper);
    QFETCH(QString, ppdKey);

    const PpdPaper expected = ReadPpdPaper(qPrintable(queue), qPrintable(ppdKey));
    QVERIFY(expected.resolution > 0 && expected.width > 0);

    TppPrinter printer;
    printer.PrinterSetup().SetPrinterName(queue.toStdString());
    printer.PrinterSetup().SetPaperName(paper.toStdString());
    QVERIFY(printer.DeviceContext());
    QCOMPARE(printer.ResolutionX(), expected.resolution);
    QCOMPARE(printer.ResolutionY(), expected.resolution);
    ExpectNear(printer.PhysicalWidth(), expected.width, "physical width");
    ExpectNear(printer.PhysicalHeight(), expected.length, "physical height");
    const TppPrintableOffsets offsets = printer.PrintableOffsets();
    ExpectNear(offsets.Left, expected.left, "left offset");
    ExpectNear(offsets.Top, expected.top, "top offset");
    ExpectNear(offsets.Right, expected.right, "right offset");
    ExpectNear(offsets.Bottom, expected.bottom, "bottom offset");
    QCOMPARE(printer.PrintableAreaWidth(), printer.PhysicalWidth() - offsets.Left - offsets.Right);
    QCOMPARE(printer.PrintableAreaHeight(), printer.PhysicalHeight() - offsets.Top - offsets.Bottom);
    QCOMPARE(printer.IsColor(), queue == QStringLiteral("ValdoraPDF"));
}

void PrinterTest::landscapeAndCustomSizes()
{
    TppPrinter printer;
    TppPrinterSetup &setup = printer.PrinterSetup();
    setup.SetPrinterName("ValdoraSecond");
    setup.SetPaperName("A4");
    QVERIFY(printer.DeviceContext());
    const int width = printer.PhysicalWidth();
    const int height = printer.PhysicalHeight();
    QVERIFY(height > width);
    setup.SetOrientation(poLandscape);
    QCOMPARE(printer.PhysicalWidth(), height);
    QCOMPARE(printer.PhysicalHeight(), width);
    const TppPrintableOffsets offsets = printer.PrintableOffsets();
    QCOMPARE(printer.PrintableAreaWidth() + offsets.Left + offsets.Right, height);

    // A size no paper of the queue has: 100 x 150 mm.
    setup.SetOrientation(poPortrait);
    setup.SetUnits(utMillimeters);
    setup.SetPaperWidth(100);
    setup.SetPaperHeight(150);
    QCOMPARE(setup.PaperNumber(), std::int16_t(256));
    // Page sizes are kept in whole points.
    const int point = printer.ResolutionX() / 72 + 1;
    QVERIFY(std::abs(printer.PhysicalWidth() - int(std::lround(100 / 25.4 * printer.ResolutionX()))) <= point);
    QVERIFY(std::abs(printer.PhysicalHeight() - int(std::lround(150 / 25.4 * printer.ResolutionY()))) <= point);
}

void PrinterTest::noContextUntilAsked()
{
    QCOMPARE(ScreenPixelsPerInch(), qRound(QGuiApplication::primaryScreen()->logicalDotsPerInchY()));
    TppPrinter printer;
    printer.SetPrinterName("ValdoraSecond");
    QVERIFY(!printer.HasDeviceContext());
    // Without a context, conversions use the screen's resolution.
    QCOMPARE(printer.ResolutionX(), ScreenPixelsPerInch());
    QCOMPARE(PrinterPixelsPerInch(raVertical, &printer), ScreenPixelsPerInch());
    QVERIFY(printer.DeviceContext());
    QVERIFY(printer.HasDeviceContext());
    QCOMPARE(PrinterPixelsPerInch(raVertical, &printer), 300);
    QCOMPARE(MMThousandthsToUnits(25400, utPrinterPixels, raHorizontal, &printer), 300.0f);
    // A printer switch releases the context.
    printer.SetPrinterName("ValdoraPDF");
    QVERIFY(!printer.HasDeviceContext());
}

void PrinterTest::screenCannotPrint()
{
    TppPrinter printer;
    printer.SetPrinterName("Screen");
    QVERIFY(printer.DeviceContext());
    QCOMPARE(printer.ResolutionY(), ScreenPixelsPerInch());
    QCOMPARE(printer.PrintableOffsets(), TppPrintableOffsets{});
    try {
        printer.BeginDoc();
        QFAIL("printing on Screen must fail");
    } catch (const EPrinterError &error) {
        QCOMPARE(QString::fromUtf8(error.what()), QStringLiteral("Screen printer does not support printing."));
    }
    QVERIFY(!printer.DocumentOpen());
    printer.SetPrinterName("ValdoraSecond");
    QCOMPARE(printer.PrinterName(), std::string("ValdoraSecond"));
}

void PrinterTest::vanishedQueueFallsBackToScreen()
{
    const QString queue = QStringLiteral("ValdoraVanishing");
    QVERIFY(Run(QStringLiteral("lpadmin"), {"-p", queue, "-E", "-v", "file:/dev/null", "-P", kPdfDriver}));
    TppPrinterList &list = TppPrinterList::Instance();
    list.Refresh();
    QVERIFY(Run(QStringLiteral("lpadmin"), {"-x", queue}));

    // The list still names the queue; opening it fails.
    TppPrinter printer;
    printer.SetPrinterName(queue.toStdString());
    QCOMPARE(QString::fromStdString(printer.PrinterName()), queue);
    const auto entry = list.Find(queue.toStdString());
    QVERIFY(printer.DeviceContext());
    QVERIFY(!entry->Valid());
    QCOMPARE(printer.PrinterName(), std::string("Screen"));
    QCOMPARE(printer.ResolutionX(), ScreenPixelsPerInch());
    list.Refresh();
}

void PrinterTest::unavailablePrinterIsNamed_data()
{
    QTest::addColumn<bool>("deleted");
    QTest::addColumn<bool>("measuredFirst");
    QTest::newRow("queue deleted, measured first") << true << true;
    QTest::newRow("queue deleted, printed at once") << true << false;
    QTest::newRow("server stopped, measured first") << false << true;
    QTest::newRow("server stopped, printed at once") << false << false;
}

void PrinterTest::unavailablePrinterIsNamed()
{
    // Listed while the queue and the server were there; gone when printing.
    QFETCH(bool, deleted);
    QFETCH(bool, measuredFirst);
    const QString queue = QStringLiteral("ValdoraLeaving");
    QVERIFY(Run(QStringLiteral("lpadmin"), {"-p", queue, "-E", "-v", "file:/dev/null", "-P", kPdfDriver}));
    TppPrinterList::Instance().Refresh();
    QString error;
    {
        std::unique_ptr<PrintServerAway> away;
        if (deleted)
            QVERIFY(Run(QStringLiteral("lpadmin"), {"-x", queue}));
        else
            away = std::make_unique<PrintServerAway>();
        TppPrinter printer;
        printer.SetPrinterName(queue.toStdString());
        // Generation measures on the printer before the document begins.
        if (measuredFirst)
            QVERIFY(printer.DeviceContext());
        error = PrinterErrorOf([&] {
            printer.BeginDoc();
            printer.NewPage();
            printer.EndDoc();
        });
        QVERIFY(!printer.DocumentOpen());
    }
    Run(QStringLiteral("lpadmin"), {"-x", queue});
    TppPrinterList::Instance().Refresh();
    const QString expected = deleted
        ? QStringLiteral("The printer \"ValdoraLeaving\" is not available.")
        : QStringLiteral("The printer \"ValdoraLeaving\" is not available: the print server cannot be reached.");
    QCOMPARE(error, expected);
}

void PrinterTest::serverStoppedDuringTheJob()
{
    TppPrinter printer;
    printer.SetPrinterName(kOwnQueue.toStdString());
    QVERIFY(printer.DeviceContext());
    printer.BeginDoc();
    printer.NewPage();
    QString error;
    {
        const PrintServerAway away;
        error = PrinterErrorOf([&] { printer.EndDoc(); });
    }
    QCOMPARE(error, QStringLiteral("The printer \"%1\" is not available: the print server cannot be reached.")
                        .arg(kOwnQueue));
    QVERIFY(!printer.DocumentOpen());
}

void PrinterTest::failingBackendIsReported()
{
    // The spooler takes the job; writing it out then fails.
    const QString queue = QStringLiteral("ValdoraBroken");
    QVERIFY(Run(QStringLiteral("lpadmin"),
                {"-p", queue, "-E", "-v", "file:/nonexistent-valdora-dir/out.pdf", "-P", kPdfDriver}));
    TppPrinterList::Instance().Refresh();
    QString error;
    {
        TppPrinter printer;
        printer.SetPrinterName(queue.toStdString());
        QVERIFY(printer.DeviceContext());
        printer.BeginDoc();
        printer.NewPage();
        printer.EndDoc();
        // The failure shows in the follow-up, from the event loop.
        bool followed = false;
        printer.WhenJobFollowed([&](const std::string &failure) {
            error = QString::fromStdString(failure);
            followed = true;
        });
        QTRY_VERIFY_WITH_TIMEOUT(followed, 10000);
    }
    // The job that failed is not left to print later.
    QProcess jobs;
    jobs.start(QStringLiteral("lpstat"), {"-o", queue});
    QVERIFY(jobs.waitForFinished(10000));
    const QString pending = QString::fromUtf8(jobs.readAllStandardOutput()).trimmed();
    Run(QStringLiteral("lpadmin"), {"-x", queue});
    TppPrinterList::Instance().Refresh();
    QVERIFY2(error.startsWith(QStringLiteral("The printer \"ValdoraBroken\" could not print the document")),
             qPrintable(error));
    QVERIFY2(!error.endsWith(QStringLiteral("..")), qPrintable(error));
    QVERIFY2(pending.isEmpty(), qPrintable(pending));
}

void PrinterTest::reasonKeepsOneFullStop()
{
    QVERIFY(Run(QStringLiteral("cupsreject"), {"-r", "Sin papel.", kOwnQueue}));
    TppPrinter printer;
    printer.SetPrinterName(kOwnQueue.toStdString());
    const QString error = PrinterErrorOf([&] { printer.BeginDoc(); });
    QCOMPARE(error, QStringLiteral("The printer \"%1\" is not accepting jobs: Sin papel.").arg(kOwnQueue));
}

void PrinterTest::nonsenseQueueValuesAreIgnored()
{
    // Imageable areas turned inside out and two billion dots per inch.
    const QString queue = QStringLiteral("ValdoraNonsense");
    QVERIFY(Run(QStringLiteral("lpadmin"), {"-p", queue, "-E", "-v", "file:/dev/null", "-P",
                                            QFINDTESTDATA("../fixtures/nonsense-printer.ppd")}));
    TppPrinterList::Instance().Refresh();
    int resolution = 0;
    int width = 0;
    int height = 0;
    int printableWidth = 0;
    int printableHeight = 0;
    TppPrintableOffsets offsets;
    {
        TppPrinter printer;
        printer.SetPrinterName(queue.toStdString());
        QVERIFY(printer.DeviceContext());
        resolution = printer.ResolutionX();
        width = printer.PhysicalWidth();
        height = printer.PhysicalHeight();
        printableWidth = printer.PrintableAreaWidth();
        printableHeight = printer.PrintableAreaHeight();
        offsets = printer.PrintableOffsets();
    }
    Run(QStringLiteral("lpadmin"), {"-x", queue});
    TppPrinterList::Instance().Refresh();
    QVERIFY2(resolution > 0 && resolution <= 9600, qPrintable(QString::number(resolution)));
    QVERIFY(width > 0 && height > 0);
    // The paper at that resolution, printable all over.
    QCOMPARE(printableWidth, width);
    QCOMPARE(printableHeight, height);
    QCOMPARE(offsets, TppPrintableOffsets{});
}

void PrinterTest::metricsReadOncePerSetup()
{
    // A grey-only queue: metrics read again per page would, with the server
    // gone, no longer know that.
    TppPrinter printer;
    printer.SetPrinterName("ValdoraSecond");
    QVERIFY(printer.DeviceContext());
    QVERIFY(!printer.IsColor());
    const TppPrintableOffsets offsets = printer.PrintableOffsets();
    printer.BeginDoc();
    printer.NewPage();
    {
        const PrintServerAway away;
        for (int page = 0; page < 3; ++page) {
            printer.EndPage();
            printer.NewPage();
        }
        QVERIFY(!printer.IsColor());
        QCOMPARE(printer.PrintableOffsets(), offsets);
    }
    printer.AbortDoc();
}

void PrinterTest::setupRoundTrip_data()
{
    QTest::addColumn<QString>("queue");
    QTest::addColumn<QString>("paper");
    QTest::addColumn<int>("orientation");
    QTest::addColumn<int>("duplex");
    QTest::addColumn<QString>("bin");
    QTest::addColumn<QString>("expectedBin");

    QTest::newRow("Legal landscape, long edge") << "ValdoraPDF" << "Legal" << int(poLandscape) << int(dpHorizontal) << "Default" << "Default";
    QTest::newRow("A5 short edge") << "ValdoraPDF" << "A5" << int(poPortrait) << int(dpVertical) << "Default" << "Default";
    QTest::newRow("manual feed") << "ValdoraSecond" << "Legal" << int(poPortrait) << int(dpNone) << "Manual Feed" << "Manual Feed";
    QTest::newRow("envelope feeder") << "ValdoraSecond" << "Envelope DL" << int(poLandscape) << int(dpNone) << "Envelope Feeder" << "Envelope Feeder";
    // The driver's default source reads back as "Default".
    QTest::newRow("driver's own paper, default source") << "ValdoraSecond" << "Wide Postcard" << int(poPortrait) << int(dpNone) << "Upper" << "Default";
}

void PrinterTest::setupRoundTrip()
{
    QFETCH(QString, queue);
    QFETCH(QString, paper);
    QFETCH(int, orientation);
    QFETCH(int, duplex);
    QFETCH(QString, bin);
    QFETCH(QString, expectedBin);

    TppPrinterSetup wanted;
    wanted.SetPrinterName(queue.toStdString());
    wanted.SetPaperName(paper.toStdString());
    wanted.SetOrientation(static_cast<TPrinterOrientation>(orientation));
    wanted.SetDuplex(static_cast<TppDuplexType>(duplex));
    wanted.SetBinName(bin.toStdString());
    wanted.SetCopies(3);

    TppPrinter printer;
    printer.SetPrinterSetup(wanted);
    QVERIFY(printer.DeviceContext());
    const bool landscape = orientation == poLandscape;
    QCOMPARE(printer.PhysicalWidth() > printer.PhysicalHeight(), landscape);

    // Read back into a printer that starts from other settings.
    printer.PrinterSetup().SetNotify(false);
    printer.PrinterSetup().SetPaperName("A4");
    printer.PrinterSetup().SetDuplex(dpNone);
    printer.PrinterSetup().SetBinName("Default");
    printer.PrinterSetup().SetNotify(true);
    TppPrinterSetup &read = printer.ReadSetup();
    QCOMPARE(QString::fromStdString(read.PrinterDescription()), queue);
    QCOMPARE(QString::fromStdString(read.PaperName()), paper);
    QCOMPARE(int(read.Orientation()), orientation);
    QCOMPARE(int(read.Duplex()), duplex);
    QCOMPARE(QString::fromStdString(read.BinName()), expectedBin);
    QCOMPARE(read.Copies(), 3);
    QCOMPARE(read.mmPaperWidth() > read.mmPaperHeight(), landscape);
}

void PrinterTest::nameFixedWhileDocumentOpen()
{
    TppPrinter printer;
    printer.SetPrinterName(kOwnQueue.toStdString());
    printer.BeginDoc();
    printer.SetPrinterName("ValdoraSecond");
    QCOMPARE(QString::fromStdString(printer.PrinterName()), kOwnQueue);
    printer.AbortDoc();
    QVERIFY(!printer.DocumentOpen());
    printer.SetPrinterName("ValdoraSecond");
    QCOMPARE(printer.PrinterName(), std::string("ValdoraSecond"));
}

void PrinterTest::printsOneDocument_data()
{
    QTest::addColumn<QString>("paper");
    QTest::addColumn<int>("orientation");
    QTest::addColumn<QString>("pageSize");

    QTest::newRow("A4") << "A4" << int(poPortrait) << "595 x 842 pts";
    // Landscape is printed turned on the paper, as Qt's own printing does.
    QTest::newRow("Legal landscape") << "Legal" << int(poLandscape) << "612 x 1008 pts";
}

void PrinterTest::printsOneDocument()
{
    QFETCH(QString, paper);
    QFETCH(int, orientation);
    QFETCH(QString, pageSize);

    QFile::remove(OutputFile());
    TppPrinter printer;
    TppPrinterSetup &setup = printer.PrinterSetup();
    setup.SetPrinterName(kOwnQueue.toStdString());
    setup.SetPaperName(paper.toStdString());
    setup.SetOrientation(static_cast<TPrinterOrientation>(orientation));
    setup.SetDocumentName("Valdora printer test");
    setup.SetCopies(3);
    setup.SetCollation(true);

    TppFont font;
    font.SetName("Arial");
    font.SetSize(12);
    printer.BeginDoc();
    QVERIFY(printer.DocumentOpen());
    for (int page = 1; page <= 2; ++page) {
        printer.NewPage();
        QVERIFY(printer.PageStarted());
        QCOMPARE(printer.StartedPages(), page);
        TppPrinterCanvas *canvas = printer.Canvas();
        QVERIFY(canvas);
        canvas->SetFont(font);
        // The canvas counts from the corner of the printable area.
        canvas->TextOut(0, 0, "Corner" + std::to_string(page));
        printer.EndPage();
    }
    printer.EndDoc();
    QVERIFY(!printer.DocumentOpen());

    const QString info = WaitForPdfInfo(OutputFile());
    QVERIFY2(!info.isEmpty(), "the spooler wrote no readable document");
    // The spooler is asked for one copy: the engine makes copies itself.
    QCOMPARE(PageCount(info), 2);
    QVERIFY2(info.contains(pageSize), qPrintable(info));

    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), OutputFile(), QStringLiteral("-")});
    QVERIFY(text.waitForFinished(10000));
    const QString words = QString::fromUtf8(text.readAllStandardOutput());
    const QRegularExpression word(QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\"[^>]*>Corner(\\d)</word>"));
    QList<int> pages;
    for (const QRegularExpressionMatch &match : word.globalMatch(words)) {
        pages << match.captured(3).toInt();
        const TppPrintableOffsets offsets = printer.PrintableOffsets();
        const double leftPoints = offsets.Left * 72.0 / printer.ResolutionX();
        const double topPoints = offsets.Top * 72.0 / printer.ResolutionY();
        if (orientation == poLandscape)
            continue;
        QVERIFY2(qAbs(match.captured(1).toDouble() - leftPoints) < 3, qPrintable(match.captured(0)));
        QVERIFY2(qAbs(match.captured(2).toDouble() - topPoints) < 6, qPrintable(match.captured(0)));
    }
    QCOMPARE(pages, (QList<int>{1, 2}));
}

void PrinterTest::abandonedDocumentIsNotPrinted()
{
    const auto jobCount = [] {
        cups_job_t *jobs = nullptr;
        const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, qPrintable(kOwnQueue), 0, CUPS_WHICHJOBS_ALL);
        cupsFreeJobs(count, jobs);
        return count;
    };
    const int before = jobCount();
    TppPrinter printer;
    printer.SetPrinterName(kOwnQueue.toStdString());
    printer.BeginDoc();
    printer.NewPage();
    printer.Canvas()->TextOut(0, 0, "Abandoned");
    printer.AbortDoc();
    QVERIFY(!printer.DocumentOpen());
    QCOMPARE(jobCount(), before);

    // A document without pages is not sent either.
    printer.BeginDoc();
    printer.EndDoc();
    QCOMPARE(jobCount(), before);
}

void PrinterTest::jobOptionsReachTheSpooler_data()
{
    QTest::addColumn<QString>("queue");
    QTest::addColumn<QString>("paper");
    QTest::addColumn<QString>("bin");
    QTest::addColumn<int>("duplex");
    QTest::addColumn<QString>("media");
    QTest::addColumn<QString>("inputSlot");
    QTest::addColumn<QString>("mediaSource");
    QTest::addColumn<QString>("sides");

    QTest::newRow("manual feed") << "ValdoraSecond" << "Legal" << "Manual Feed" << int(dpNone) << "Legal" << "Manual" << "manual" << "one-sided";
    QTest::newRow("envelope feeder") << "ValdoraSecond" << "Envelope #10" << "Envelope Feeder" << int(dpNone) << "Env10" << "EnvelopeFeeder" << "envelope-feeder" << "one-sided";
    QTest::newRow("driver's default source") << "ValdoraSecond" << "A5" << "Default" << int(dpNone) << "A5" << "Upper" << "top" << "one-sided";
    QTest::newRow("manual feed, long edge") << "ValdoraSecond" << "A4" << "Manual Feed" << int(dpHorizontal) << "A4" << "Manual" << "manual" << "two-sided-long-edge";
    QTest::newRow("long edge") << kOwnQueue << "A4" << "Default" << int(dpHorizontal) << "A4" << "" << "" << "two-sided-long-edge";
    QTest::newRow("short edge") << kOwnQueue << "Letter" << "Default" << int(dpVertical) << "Letter" << "" << "" << "two-sided-short-edge";
}

void PrinterTest::jobOptionsReachTheSpooler()
{
    QFETCH(QString, queue);
    QFETCH(QString, paper);
    QFETCH(QString, bin);
    QFETCH(int, duplex);
    QFETCH(QString, media);
    QFETCH(QString, inputSlot);
    QFETCH(QString, mediaSource);
    QFETCH(QString, sides);

    TppPrinter printer;
    TppPrinterSetup &setup = printer.PrinterSetup();
    setup.SetPrinterName(queue.toStdString());
    setup.SetPaperName(paper.toStdString());
    setup.SetBinName(bin.toStdString());
    setup.SetDuplex(static_cast<TppDuplexType>(duplex));
    setup.SetCopies(3);
    const int before = printed::NewestJob(queue);
    printer.BeginDoc();
    printer.NewPage();
    printer.EndDoc();
    const int job = printed::NewestJob(queue);
    QVERIFY(job > before);

    const QHash<QString, QString> attributes = printed::JobAttributes(job);
    QCOMPARE(attributes.value(QStringLiteral("media")), media);
    QCOMPARE(attributes.value(QStringLiteral("InputSlot")), inputSlot);
    QCOMPARE(attributes.value(QStringLiteral("media-source")), mediaSource);
    QCOMPARE(attributes.value(QStringLiteral("sides")), sides);
    // The engine makes copies itself: the spooler is asked for one.
    QVERIFY(attributes.value(QStringLiteral("copies"), QStringLiteral("1")) == QStringLiteral("1"));
}

void PrinterTest::monochromeFontColours_data()
{
    QTest::addColumn<QString>("queue");
    QTest::addColumn<quint32>("colour");
    QTest::addColumn<quint32>("expected");

    QTest::newRow("colour printer keeps red") << "ValdoraPDF" << 0xFF0000u << 0xFF0000u;
    QTest::newRow("grey printer prints red black") << "ValdoraSecond" << 0xFF0000u << 0x000000u;
    QTest::newRow("grey printer keeps white") << "ValdoraSecond" << 0xFFFFFFu << 0xFFFFFFu;
    QTest::newRow("grey printer keeps black") << "ValdoraSecond" << 0x000000u << 0x000000u;
}

void PrinterTest::monochromeFontColours()
{
    QFETCH(QString, queue);
    QFETCH(quint32, colour);
    QFETCH(quint32, expected);

    TppPrinter printer;
    printer.SetPrinterName(queue.toStdString());
    TppPrinterCanvas *canvas = printer.Canvas();
    QVERIFY(canvas);
    QCOMPARE(canvas->PixelsPerInchY(), printer.ResolutionY());
    TppFont font;
    font.SetName("Arial");
    font.SetSize(10);
    font.SetColor(TppColor::FromRgb(colour));
    canvas->SetFont(font);
    QCOMPARE(canvas->Font().Color(), TppColor::FromRgb(expected));
    // The font moved to the printer's resolution at its point size.
    QCOMPARE(canvas->Font().Size(), 10);
    QCOMPARE(canvas->Font().PixelsPerInch(), printer.ResolutionY());
    QVERIFY(canvas->TextWidth("Valdora") > 0);
}

void PrinterTest::refusedDocuments_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("beforeBegin");
    QTest::addColumn<QString>("message");

    QTest::newRow("rejecting before") << "cupsreject" << true << "is not accepting jobs";
    QTest::newRow("rejecting after begin") << "cupsreject" << false << "is not accepting jobs";
    QTest::newRow("stopped before") << "cupsdisable" << true << "is stopped";
    QTest::newRow("stopped after begin") << "cupsdisable" << false << "is stopped";
    QTest::newRow("gone after begin") << "lpadmin -x" << false << "is not available";
}

void PrinterTest::refusedDocuments()
{
    QFETCH(QString, command);
    QFETCH(bool, beforeBegin);
    QFETCH(QString, message);

    QStringList arguments = command.split(QLatin1Char(' '));
    const QString program = arguments.takeFirst();
    arguments << kOwnQueue;

    TppPrinter printer;
    printer.SetPrinterName(kOwnQueue.toStdString());
    QVERIFY(printer.DeviceContext());
    QString error;
    try {
        if (beforeBegin)
            QVERIFY(Run(program, arguments));
        printer.BeginDoc();
        printer.NewPage();
        if (!beforeBegin)
            QVERIFY(Run(program, arguments));
        printer.EndDoc();
    } catch (const EPrinterError &e) {
        error = QString::fromUtf8(e.what());
    }
    if (program == QStringLiteral("lpadmin")) {
        QVERIFY(Run(QStringLiteral("lpadmin"), {"-p", kOwnQueue, "-E", "-v", "file:" + OutputFile(), "-P", kPdfDriver}));
        TppPrinterList::Instance().Refresh();
    }
    QVERIFY2(error.contains(kOwnQueue) && error.contains(message), qPrintable(error));
    // The spooler's reason may end with its own full stop ("does not exist.").
    QVERIFY2(error.endsWith(QLatin1Char('.')) && !error.endsWith(QStringLiteral("..")), qPrintable(error));
    QVERIFY(!printer.DocumentOpen());
}

void PrinterTest::propertiesDialog_data()
{
    QTest::addColumn<bool>("confirm");
    QTest::newRow("confirmed") << true;
    QTest::newRow("cancelled") << false;
}

void PrinterTest::propertiesDialog()
{
    QFETCH(bool, confirm);

    TppPrinter printer;
    printer.PrinterSetup().SetPrinterName("ValdoraSecond");
    int changes = 0;
    printer.SetOnDeviceModeChange([&](TppPrinter &) { ++changes; });
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        seen = dialog != nullptr;
        if (dialog)
            confirm ? dialog->accept() : dialog->reject();
    });
    QCOMPARE(printer.ShowPropertiesDialog(), confirm);
    QVERIFY(seen);
    QCOMPARE(changes, confirm ? 1 : 0);
}

void PrinterTest::sharedMeasuringPrinter()
{
    TppPrinterList &list = TppPrinterList::Instance();
    QVERIFY(list.Count() >= 3);
    TppPrinter *first = list.SharedMeasuringPrinter();
    QVERIFY(first);
    QCOMPARE(list.SharedMeasuringPrinter(), first);
    QCOMPARE(first->PrinterDisplayName(), list.DefaultPrinterName());

    // Asked for from several threads at once, one printer is made.
    list.Refresh();
    std::vector<TppPrinter *> seen(4, nullptr);
    std::vector<std::thread> threads;
    for (TppPrinter *&printer : seen)
        threads.emplace_back([&list, &printer] { printer = list.SharedMeasuringPrinter(); });
    for (std::thread &thread : threads)
        thread.join();
    QVERIFY(seen.front());
    for (TppPrinter *printer : seen)
        QCOMPARE(printer, seen.front());
}

QTEST_MAIN(PrinterTest)
#include "printer_test.moc"
