#include "output/device_status_window.h"
#include "output/draw_image.h"
#include "output/draw_line.h"
#include "output/draw_shape.h"
#include "output/draw_text.h"
#include "output/page.h"
#include "output/printer.h"
#include "output/printer_device.h"
#include "output/printer_list.h"
#include "output/publisher.h"

#include "../support/message_reader.h"
#include "../support/printed_output.h"

#include <QBuffer>
#include <QPrinterInfo>
#include <QThread>
#include <QtTest>

#include <functional>
#include <memory>

// The printer device on the private print server: documents are printed on
// queues of this test's own and read back from the PDF the queue writes.
// Pages come from a small producer standing in for the page generation
// engine, so that each case builds exactly the commands it checks.

namespace {

using printed::TestQueue;

// Publishes pages 1..pageCount for every request, as the engine would, and
// stops early when asked to (a cancelled run).
class PageSource
{
public:
    explicit PageSource(int pageCount)
        : m_pageCount(pageCount)
    {
        setup.SetDocumentName("Report");
        publisher.OnPagesNeeded = [this](TppPublisher &, const TppPageRequest &) { Produce(); };
    }

    void Produce()
    {
        for (int no = 1; no <= m_pageCount; ++no) {
            if (stopBeforePage == no) {
                stopBeforePage = 0;
                return;
            }
            auto kept = std::make_unique<TppPage>();
            TppPage &page = *kept;
            page.SetAbsolutePageNo(no);
            // One pass: the count grows until the last page is known.
            page.SetAbsolutePageCount(publisher.LastPageKnown() ? m_pageCount : no);
            page.SetPageNo(no);
            page.SetFirstPage(no == 1);
            page.SetLastPage(no == m_pageCount);
            page.SetFinal(true);
            page.SetPrinterSetup(&setup);
            page.SetDocumentName(setup.DocumentName());
            if (fill)
                fill(page, no);
            else
                AddText(page, "Page " + std::to_string(no), 25400, 25400);
            publisher.PublishPage(page);
            pages.push_back(std::move(kept));
            ++produced;
            if (publisher.RequestSatisfied())
                return;
        }
    }

    // One job for the connected devices, as a report runs it.
    void RunJob(bool abandon = false)
    {
        publisher.OpenJob();
        try {
            publisher.RequestPages();
        } catch (...) {
            publisher.CloseJob();
            throw;
        }
        if (abandon)
            publisher.AbandonJob();
        else
            publisher.CloseJob();
    }

    static TppDrawText *AddText(TppPage &page, const std::string &text, int left, int top)
    {
        auto command = std::make_unique<TppDrawText>();
        command->SetText(text);
        command->SetLeft(left);
        command->SetTop(top);
        command->SetWidth(76200);
        command->SetHeight(8000);
        command->SetTransparent(true);
        TppFont font;
        font.SetName("DejaVu Sans");
        font.SetSize(12);
        font.SetColor(clBlack);
        command->SetFont(font);
        return static_cast<TppDrawText *>(page.AddDrawCommand(std::move(command)));
    }

    TppPublisher publisher;
    TppPrinterSetup setup;
    std::function<void(TppPage &, int)> fill;
    int stopBeforePage = 0;
    int produced = 0;
    // Every page published, so that a case can read its commands afterwards.
    std::vector<std::unique_ptr<TppPage>> pages;

private:
    int m_pageCount;
};

// Records every status line the device writes.
class RecordingStatusWindow : public TppStatusWindow
{
public:
    const std::string &StatusText() const override { return m_text; }
    void SetStatusText(const std::string &text) override { m_text = text; }
    void StatusChanged() override
    {
        shown << QString::fromStdString(m_text);
        times << clock.elapsed();
        if (showing)
            showing();
    }

    QStringList shown;
    // When each line was shown, in milliseconds.
    QList<qint64> times;
    // Runs as each line is shown, as a window repainting does.
    std::function<void()> showing;
    QElapsedTimer clock = [] {
        QElapsedTimer timer;
        timer.start();
        return timer;
    }();

private:
    std::string m_text;
};

QStringList PageTexts(const QString &file)
{
    QStringList texts = printed::PdfPageTexts(file);
    for (QString &text : texts)
        text.remove(QStringLiteral("Page "));
    return texts;
}

TppPicture RedJpeg(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(255, 0, 0));
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 95);
    return TppPicture::FromEncoded(gkJpeg, std::vector<std::uint8_t>(data.begin(), data.end()));
}

} // namespace

class PrinterDeviceTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void deviceKind();
    void copiesAndCollation_data();
    void copiesAndCollation();
    void statusTexts();
    void copyStatusTexts_data();
    void copyStatusTexts();
    void copyStatusAtMostTenASecond();
    void cancelStopsAfterTheCopyInHand_data();
    void cancelStopsAfterTheCopyInHand();
    void geometryAtPrinterResolution();
    void picturesFitTheirRectangle_data();
    void picturesFitTheirRectangle();
    void abandonedJobSendsNothing_data();
    void abandonedJobSendsNothing();
    void cutShortPassMakesNoMoreCopies();
    void refusedJobs_data();
    void refusedJobs();
    void screenCannotPrint();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TestQueue> m_queue;
    std::unique_ptr<TestQueue> m_quarterInch;
};

void PrinterDeviceTest::initTestCase()
{
    if (!printed::PrintServerRunning() || !QPrinterInfo::availablePrinterNames().contains(QStringLiteral("ValdoraPDF")))
        QSKIP("needs the private print server of scripts/test-services.sh");
    m_dir = std::make_unique<QTemporaryDir>();
    m_queue = std::make_unique<TestQueue>(QStringLiteral("ValdoraDeviceTest"));
    QVERIFY(m_queue->Created());
    const QString driver = printed::QuarterInchDriver(m_dir->path());
    QVERIFY(!driver.isEmpty());
    m_quarterInch = std::make_unique<TestQueue>(QStringLiteral("ValdoraQuarterInch"), driver);
    QVERIFY(m_quarterInch->Created());
    TppPrinterList::Instance().Refresh();
}

void PrinterDeviceTest::init()
{
    m_queue->Enable();
    m_queue->ForgetOutput();
    m_quarterInch->Enable();
    m_quarterInch->ForgetOutput();
}

void PrinterDeviceTest::deviceKind()
{
    TppPrinterDevice device;
    QCOMPARE(QString(device.ClassName()), QStringLiteral("TppPrinterDevice"));
    QCOMPARE(QString(device.DeviceTypeName()), QStringLiteral("Printer"));
    QVERIFY(device.Class().InheritsFrom(TppRasterDevice::StaticClass()));
    QCOMPARE(device.CopiesRemaining(), 1);
    QVERIFY(device.FirstPageOfJob());
    QVERIFY(!device.Canvas());
    const std::unique_ptr<TppDevice> made = TppPrinterDevice::StaticClass().Create();
    QVERIFY(dynamic_cast<TppPrinterDevice *>(made.get()));
}

void PrinterDeviceTest::copiesAndCollation_data()
{
    QTest::addColumn<int>("copies");
    QTest::addColumn<bool>("collation");
    QTest::addColumn<QStringList>("pageList");
    QTest::addColumn<QStringList>("expected");

    const auto pages = [](const char *sequence) { return QString::fromLatin1(sequence).split(QLatin1Char(',')); };
    QTest::newRow("3 collated") << 3 << true << QStringList() << pages("1,2,3,1,2,3,1,2,3");
    QTest::newRow("3 not collated") << 3 << false << QStringList() << pages("1,1,1,2,2,2,3,3,3");
    QTest::newRow("1 copy") << 1 << true << QStringList() << pages("1,2,3");
    // Every pass prints the same list, though a list loses its pages as
    // they arrive.
    QTest::newRow("2 collated of pages 1 and 3") << 2 << true << pages("1,3") << pages("1,3,1,3");
    QTest::newRow("2 not collated of page 2") << 2 << false << pages("2") << pages("2,2");
}

void PrinterDeviceTest::copiesAndCollation()
{
    QFETCH(int, copies);
    QFETCH(bool, collation);
    QFETCH(QStringList, pageList);
    QFETCH(QStringList, expected);

    PageSource source(3);
    source.setup.SetPrinterName(m_queue->StdName());
    source.setup.SetCopies(copies);
    source.setup.SetCollation(collation);
    TppPrinterDevice device;
    device.Printer().SetPrinterSetup(source.setup);
    if (!pageList.isEmpty()) {
        TppPageRequest request;
        request.SetPageSetting(psPageList);
        std::vector<std::string> list;
        for (const QString &page : pageList)
            list.push_back(page.toStdString());
        request.SetPageList(list);
        device.SetPageRequest(request);
    }
    device.SetPublisher(&source.publisher);
    const int before = m_queue->JobCount();
    source.RunJob();
    QVERIFY(!device.JobOpen());
    QVERIFY(!device.Printer().DocumentOpen());
    QCOMPARE(device.CopiesRemaining(), 1);

    // One document, asked of the driver as one copy.
    QCOMPARE(m_queue->JobCount(), before + 1);
    QVERIFY(m_queue->WaitForOutput());
    QCOMPARE(PageTexts(m_queue->OutputFile()), expected);
    // The request is the one the job began with.
    QCOMPARE(int(device.PageRequest().PageList().size()), int(pageList.size()));
}

void PrinterDeviceTest::statusTexts()
{
    PageSource source(2);
    source.setup.SetPrinterName(m_queue->StdName());
    TppPrinterDevice device;
    device.Printer().SetPrinterSetup(source.setup);
    RecordingStatusWindow window;
    device.SetStatusWindow(&window);
    device.SetPublisher(&source.publisher);
    source.RunJob();
    // The count is known from the last page on, so the next job shows it.
    source.RunJob();

    const QString on = QStringLiteral(" for report Report on the ") + m_queue->Name();
    QCOMPARE(window.shown, (QStringList{QStringLiteral("Accessing data..."),
                                        QStringLiteral("Printing page 1") + on,
                                        QStringLiteral("Printing page 2") + on,
                                        QStringLiteral("Accessing data..."),
                                        QStringLiteral("Printing page 1 of 2") + on,
                                        QStringLiteral("Printing page 2 of 2") + on}));
    QCOMPARE(QString::fromStdString(device.StatusText()), QStringLiteral("Printing page 2 of 2") + on);
}

void PrinterDeviceTest::copyStatusTexts_data()
{
    QTest::addColumn<bool>("collation");
    QTest::addColumn<QStringList>("expected");

    // Page and copy, with the count once the last page is known.
    const auto lines = [](std::initializer_list<const char *> parts) {
        QStringList list{QStringLiteral("Accessing data...")};
        for (const char *part : parts)
            list << QStringLiteral("Printing page %1, for report Report on the ValdoraDeviceTest").arg(QLatin1String(part));
        return list;
    };
    QTest::newRow("collated") << true
                              << lines({"1, copy 1 of 3", "2, copy 1 of 3", "1 of 2, copy 2 of 3", "2 of 2, copy 2 of 3",
                                        "1 of 2, copy 3 of 3", "2 of 2, copy 3 of 3"});
    QTest::newRow("not collated") << false
                                  << lines({"1, copy 1 of 3", "1, copy 2 of 3", "1, copy 3 of 3", "2, copy 1 of 3",
                                            "2, copy 2 of 3", "2, copy 3 of 3"});
}

// On a window slow enough to show every line, the status follows every copy.
void PrinterDeviceTest::copyStatusTexts()
{
    QFETCH(bool, collation);
    QFETCH(QStringList, expected);

    PageSource source(2);
    source.setup.SetPrinterName(m_queue->StdName());
    source.setup.SetCopies(3);
    source.setup.SetCollation(collation);
    TppPrinterDevice device;
    device.Printer().SetPrinterSetup(source.setup);
    RecordingStatusWindow window;
    window.showing = [] { QThread::msleep(110); };
    device.SetStatusWindow(&window);
    device.SetPublisher(&source.publisher);
    source.RunJob();
    QCOMPARE(window.shown, expected);
}

// A job of many quick copies: the first copy's line at once, then at most
// ten lines a second, and the last copy's line at the end.
void PrinterDeviceTest::copyStatusAtMostTenASecond()
{
    PageSource source(1);
    source.setup.SetPrinterName(m_queue->StdName());
    source.setup.SetCopies(999);
    source.setup.SetCollation(false);
    TppPrinterDevice device;
    device.Printer().SetPrinterSetup(source.setup);
    RecordingStatusWindow window;
    device.SetStatusWindow(&window);
    device.SetPublisher(&source.publisher);
    source.RunJob();

    QVERIFY(window.shown.size() >= 3);
    QCOMPARE(window.shown.at(1), QStringLiteral("Printing page 1, copy 1 of 999, for report Report on the ") + m_queue->Name());
    const QRegularExpression copyLine(QStringLiteral("^Printing page 1(?: of 1)?, copy (\\d+) of 999, for report"));
    int lastCopy = 0;
    for (int i = 1; i < window.shown.size(); ++i) {
        const QRegularExpressionMatch match = copyLine.match(window.shown.at(i));
        QVERIFY2(match.hasMatch(), qPrintable(window.shown.at(i)));
        QVERIFY(match.captured(1).toInt() > lastCopy);
        lastCopy = match.captured(1).toInt();
        // The last copy's line is shown as the document is handed over,
        // however soon after the one before.
        if (i > 1 && lastCopy < 999)
            QVERIFY2(window.times.at(i) - window.times.at(i - 1) >= 100, qPrintable(window.shown.at(i)));
    }
    QCOMPARE(lastCopy, 999);
    QVERIFY(m_queue->WaitForOutput());
    QCOMPARE(printed::PdfPageCount(m_queue->OutputFile()), 999);
}

void PrinterDeviceTest::cancelStopsAfterTheCopyInHand_data()
{
    QTest::addColumn<bool>("collation");
    QTest::addColumn<QString>("cancelAt");

    QTest::newRow("collated, second copy of page 1") << true << "1 of 2, copy 2";
    QTest::newRow("not collated, third copy of page 1") << false << "1, copy 3";
    QTest::newRow("not collated, first copy of page 2") << false << "2, copy 1";
}

// Cancelled while a copy's line shows: no page or copy is started after it,
// and the document, never handed over, sends nothing to the print server.
void PrinterDeviceTest::cancelStopsAfterTheCopyInHand()
{
    QFETCH(bool, collation);
    QFETCH(QString, cancelAt);

    PageSource source(2);
    source.setup.SetPrinterName(m_queue->StdName());
    source.setup.SetCopies(3);
    source.setup.SetCollation(collation);
    TppPrinterDevice device;
    device.Printer().SetPrinterSetup(source.setup);
    RecordingStatusWindow window;
    const QString cancelLine = QStringLiteral("Printing page ") + cancelAt + QLatin1Char(' ');
    window.showing = [&] {
        QThread::msleep(110);
        if (window.shown.last().startsWith(cancelLine))
            device.DiscardJob();
    };
    device.SetStatusWindow(&window);
    device.SetPublisher(&source.publisher);
    MessageReader messages;
    const int before = m_queue->JobCount();
    source.RunJob();
    QVERIFY(!device.JobOpen());
    QVERIFY(device.JobAbandoned());
    QVERIFY(!device.Printer().DocumentOpen());
    QVERIFY2(window.shown.last().startsWith(cancelLine), qPrintable(window.shown.join(QLatin1Char('|'))));
    QCOMPARE(m_queue->JobCount(), before);
    // Nothing had gone to the printer yet: nothing to tell.
    QCOMPARE(messages.texts, QStringList());
}

// One page of the quarter-inch queue at 600 dots per inch, where printer
// pixels and the raster's pixels coincide.
void PrinterDeviceTest::geometryAtPrinterResolution()
{
    PageSource source(1);
    source.setup.SetPrinterName(m_quarterInch->StdName());
    source.setup.SetPaperName("Letter");
    TppDrawShape *corner = nullptr;
    TppDrawText *cornerText = nullptr;
    source.fill = [&](TppPage &page, int) {
        // A black inch-wide bar at the corner of the quarter-inch margins.
        auto bar = std::make_unique<TppDrawShape>();
        bar->SetLeft(6350);
        bar->SetTop(6350);
        bar->SetWidth(25400);
        bar->SetHeight(12700);
        bar->SetBrush(TppBrush{clBlack, bsSolid});
        bar->SetPen(TppPen{clBlack, psSolid, 1, pmCopy});
        corner = static_cast<TppDrawShape *>(page.AddDrawCommand(std::move(bar)));
        cornerText = PageSource::AddText(page, "Corner", 6350, 25400);

        // Lines of 0.75 points at 2 and 3 inches down, single and double.
        for (const auto &[top, style] : {std::pair{50800, lsSingle}, std::pair{76200, lsDouble}}) {
            auto line = std::make_unique<TppDrawLine>();
            line->SetLeft(25400);
            line->SetTop(top);
            line->SetWidth(50800);
            line->SetHeight(12700);
            line->SetWeight(0.75f);
            line->SetLineStyle(style);
            line->SetLinePosition(lpTop);
            page.AddDrawCommand(std::move(line));
        }

        // Two inch squares at 4 inches down: outline only, then filled grey.
        for (const auto &[left, brush] : {std::pair{25400, TppBrush{clWhite, bsClear}},
                                          std::pair{101600, TppBrush{TppColor::FromRgb(0x808080), bsSolid}}}) {
            auto square = std::make_unique<TppDrawShape>();
            square->SetLeft(left);
            square->SetTop(101600);
            square->SetWidth(50800);
            square->SetHeight(50800);
            square->SetBrush(brush);
            square->SetPen(TppPen{clBlack, psSolid, 1, pmCopy});
            page.AddDrawCommand(std::move(square));
        }
    };
    TppPrinterDevice device;
    device.Printer().SetPrinterSetup(source.setup);
    device.SetPublisher(&source.publisher);
    source.RunJob();

    QCOMPARE(device.Printer().ResolutionX(), 600);
    QCOMPARE(device.PrinterOffsetX(), -150);
    QCOMPARE(device.PrinterOffsetY(), -150);
    // Printer position (0, 0) is the printable area's corner.
    QCOMPARE(corner->DeviceLeft(), 0);
    QCOMPARE(corner->DeviceTop(), 0);
    QCOMPARE(corner->DeviceRight(), 600);
    QCOMPARE(corner->DeviceBottom(), 300);
    QCOMPARE(cornerText->DeviceLeft(), 0);

    QVERIFY(m_quarterInch->WaitForOutput());
    QCOMPARE(printed::PdfPageCount(m_quarterInch->OutputFile()), 1);
    QVERIFY(printed::PdfInfo(m_quarterInch->OutputFile()).contains(QStringLiteral("612 x 792 pts")));
    const QImage sheet = printed::RasterisePage(m_quarterInch->OutputFile(), 1, 600, QRect(0, 0, 3600, 3800));
    QVERIFY(!sheet.isNull());
    const QRect bar = printed::BoundingBox(sheet.copy(0, 0, 1000, 500), printed::IsDark);
    QVERIFY2(qAbs(bar.left() - 150) <= 1 && qAbs(bar.top() - 150) <= 1, qPrintable(QString::number(bar.left())));
    QVERIFY2(qAbs(bar.width() - 600) <= 2 && qAbs(bar.height() - 300) <= 2, qPrintable(QString::number(bar.width())));
    const QRect text = printed::BoundingBox(sheet.copy(0, 590, 1500, 200), printed::IsDark);
    QVERIFY(!text.isNull());
    QVERIFY2(text.left() >= 150 && text.left() <= 165, qPrintable(QString::number(text.left())));

    // Rows darkened in the middle of each line, from its top edge.
    const auto darkRows = [&](int top) {
        QList<int> rows;
        for (int y = top - 4; y < top + 24; ++y) {
            if (printed::IsDark(sheet.pixel(1200, y)))
                rows << y - top;
        }
        return rows;
    };
    QCOMPARE(darkRows(1200), (QList<int>{0, 1, 2, 3, 4, 5}));
    // The second band starts 2t = 12 pixels from the edge.
    QCOMPARE(darkRows(1800), (QList<int>{0, 1, 2, 3, 4, 5, 12, 13, 14, 15, 16, 17}));

    // The clear-brush square is an outline; the other one is filled.
    // A one-pixel screen pen is 6 printer pixels wide, centred on the edges.
    const QRect outline = printed::BoundingBox(sheet.copy(500, 2300, 1400, 1400), printed::IsDark)
                              .translated(500, 2300);
    QVERIFY2(qAbs(outline.left() - 597) <= 1 && qAbs(outline.top() - 2397) <= 1,
             qPrintable(QStringLiteral("%1,%2").arg(outline.left()).arg(outline.top())));
    QVERIFY2(qAbs(outline.width() - 1206) <= 2, qPrintable(QString::number(outline.width())));
    QVERIFY(printed::IsDark(sheet.pixel(1200, 2400)) && printed::IsDark(sheet.pixel(600, 3000)));
    QCOMPARE(sheet.pixel(1200, 3000), qRgb(255, 255, 255));
    QCOMPARE(qGray(sheet.pixel(3000, 3000)), 128);
}

void PrinterDeviceTest::picturesFitTheirRectangle_data()
{
    QTest::addColumn<bool>("stretch");
    QTest::addColumn<bool>("maintainAspectRatio");
    QTest::addColumn<bool>("center");
    QTest::addColumn<QSize>("pictureSize");
    QTest::addColumn<QRect>("expected"); // printer pixels of the paper, 600 per inch

    // The rectangle: 1 inch from the left, 1 inch down, 2 inches by 1 inch.
    QTest::newRow("stretched fills the rectangle") << true << false << false << QSize(48, 48) << QRect(600, 600, 1200, 600);
    QTest::newRow("aspect kept, centred") << true << true << true << QSize(48, 48) << QRect(900, 600, 600, 600);
    QTest::newRow("aspect kept, at the corner") << true << true << false << QSize(48, 48) << QRect(600, 600, 600, 600);
    // 48 screen pixels are half an inch.
    QTest::newRow("own size, centred") << false << false << true << QSize(48, 48) << QRect(1050, 750, 300, 300);
    QTest::newRow("own size, at the corner") << false << false << false << QSize(48, 48) << QRect(600, 600, 300, 300);
    // 288 x 192 screen pixels are 3 x 2 inches: clipped to the rectangle.
    QTest::newRow("own size, clipped") << false << false << false << QSize(288, 192) << QRect(600, 600, 1200, 600);
}

void PrinterDeviceTest::picturesFitTheirRectangle()
{
    QFETCH(bool, stretch);
    QFETCH(bool, maintainAspectRatio);
    QFETCH(bool, center);
    QFETCH(QSize, pictureSize);
    QFETCH(QRect, expected);

    PageSource source(1);
    source.setup.SetPrinterName(m_quarterInch->StdName());
    source.setup.SetPaperName("Letter");
    const TppPicture picture = RedJpeg(pictureSize.width(), pictureSize.height());
    source.fill = [&](TppPage &page, int) {
        auto image = std::make_unique<TppDrawImage>();
        image->SetLeft(25400);
        image->SetTop(25400);
        image->SetWidth(50800);
        image->SetHeight(25400);
        image->SetStretch(stretch);
        image->SetMaintainAspectRatio(maintainAspectRatio);
        image->SetCenter(center);
        image->SetPicture(picture);
        page.AddDrawCommand(std::move(image));
    };
    TppPrinterDevice device;
    device.Printer().SetPrinterSetup(source.setup);
    device.SetPublisher(&source.publisher);
    source.RunJob();

    QVERIFY(m_quarterInch->WaitForOutput());
    const QImage sheet = printed::RasterisePage(m_quarterInch->OutputFile(), 1, 600, QRect(0, 0, 2500, 1500));
    const QRect red = printed::BoundingBox(sheet, printed::IsReddish);
    const auto near = [](int a, int b) { return qAbs(a - b) <= 2; };
    QVERIFY2(near(red.left(), expected.left()) && near(red.top(), expected.top())
                 && near(red.width(), expected.width()) && near(red.height(), expected.height()),
             qPrintable(QStringLiteral("red at %1,%2 %3x%4").arg(red.left()).arg(red.top()).arg(red.width()).arg(red.height())));
}

void PrinterDeviceTest::abandonedJobSendsNothing_data()
{
    QTest::addColumn<bool>("destroyed");
    QTest::newRow("abandoned") << false;
    QTest::newRow("device destroyed with the job open") << true;
}

void PrinterDeviceTest::abandonedJobSendsNothing()
{
    QFETCH(bool, destroyed);
    PageSource source(3);
    source.setup.SetPrinterName(m_queue->StdName());
    source.setup.SetCopies(3);
    source.stopBeforePage = 2;
    auto device = std::make_unique<TppPrinterDevice>();
    device->Printer().SetPrinterSetup(source.setup);
    device->SetPublisher(&source.publisher);
    const int before = m_queue->JobCount();
    if (destroyed) {
        source.publisher.OpenJob();
        source.publisher.RequestPages();
        QVERIFY(device->JobOpen() && device->Printer().DocumentOpen());
        device.reset();
    } else {
        source.RunJob(true);
        QVERIFY(device->JobAbandoned());
        QVERIFY(!device->Printer().DocumentOpen());
        QVERIFY(!device->Canvas());
    }
    // The page drawn had not reached the print server: nothing of it does,
    // and a destructor hands nothing over.
    QCOMPARE(m_queue->JobCount(), before);
}

void PrinterDeviceTest::cutShortPassMakesNoMoreCopies()
{
    PageSource source(3);
    source.setup.SetPrinterName(m_queue->StdName());
    source.setup.SetCopies(3);
    TppPrinterDevice device;
    device.Printer().SetPrinterSetup(source.setup);
    device.SetPublisher(&source.publisher);
    // The second pass stops after page 1, as a cancelled run does.
    source.publisher.OnPagesNeeded = [&](TppPublisher &, const TppPageRequest &) {
        if (source.produced == 3)
            source.stopBeforePage = 2;
        source.Produce();
    };
    source.RunJob();
    QVERIFY(!device.JobOpen());
    QVERIFY(m_queue->WaitForOutput());
    QCOMPARE(PageTexts(m_queue->OutputFile()), QString("1,2,3,1").split(QLatin1Char(',')));
}

void PrinterDeviceTest::refusedJobs_data()
{
    QTest::addColumn<QString>("when");
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("message");

    const QString name = QStringLiteral("\"ValdoraDeviceTest\"");
    QTest::newRow("stopped before the job") << "open" << "stop" << "The printer " + name + " is stopped";
    QTest::newRow("rejecting before the job") << "open" << "reject" << "The printer " + name + " is not accepting jobs";
    QTest::newRow("stopped during the job") << "page" << "stop" << "The printer " + name + " is stopped";
    QTest::newRow("rejecting during the job") << "page" << "reject" << "The printer " + name + " is not accepting jobs";
}

void PrinterDeviceTest::refusedJobs()
{
    QFETCH(QString, when);
    QFETCH(QString, how);
    QFETCH(QString, message);

    PageSource source(2);
    source.setup.SetPrinterName(m_queue->StdName());
    TppPrinterDevice device;
    device.Printer().SetPrinterSetup(source.setup);
    device.SetPublisher(&source.publisher);
    const auto refuse = [&] { how == QStringLiteral("stop") ? m_queue->Stop() : m_queue->Reject(); };
    if (when == QStringLiteral("open"))
        refuse();
    else
        source.fill = [&](TppPage &page, int no) {
            PageSource::AddText(page, "Page " + std::to_string(no), 25400, 25400);
            if (no == 1)
                refuse();
        };
    const int before = m_queue->NewestJob();
    try {
        source.RunJob();
        QFAIL("a refused job must be reported");
    } catch (const EPrinterError &error) {
        QVERIFY2(QString::fromUtf8(error.what()).startsWith(message), error.what());
    }
    QVERIFY(!device.JobOpen());
    QVERIFY(!device.Canvas());
    QVERIFY(!device.Printer().DocumentOpen());
    QCOMPARE(m_queue->NewestJob(), before);

    // The device prints again once the queue takes jobs.
    m_queue->Enable();
    source.fill = nullptr;
    source.RunJob();
    QVERIFY(m_queue->NewestJob() > before);
}

void PrinterDeviceTest::screenCannotPrint()
{
    PageSource source(1);
    source.setup.SetPrinterName("Screen");
    TppPrinterDevice device;
    device.Printer().SetPrinterSetup(source.setup);
    device.SetPublisher(&source.publisher);
    try {
        source.RunJob();
        QFAIL("printing on Screen must fail");
    } catch (const EPrinterError &error) {
        QCOMPARE(QString::fromUtf8(error.what()), QStringLiteral("Screen printer does not support printing."));
    }
    QVERIFY(!device.JobOpen());
    QCOMPARE(source.produced, 0);
}

QTEST_MAIN(PrinterDeviceTest)
#include "printer_device_test.moc"
