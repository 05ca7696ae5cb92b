// The results sheet as printed stands where the preview draws it: the page
// printed on the PDF queue, rasterised at the preview's 100 % resolution,
// holds every frame, picture and text row of the sheet within two pixels of
// where the screen device draws it.

#include "app/results_sheet.h"
#include "output/draw_image.h"
#include "output/draw_shape.h"
#include "output/draw_text.h"
#include "output/page.h"
#include "output/printer_list.h"
#include "output/screen_device.h"
#include "platform/canvas.h"
#include "platform/units.h"
#include "preview/print_dialog.h"
#include "preview/print_registration.h"
#include "report/label.h"
#include "report/report.h"

#include "../support/printed_output.h"

#include <QPrinterInfo>
#include <QPushButton>
#include <QtTest>

static void LoadPictures()
{
    Q_INIT_RESOURCE(pictures);
}

namespace {

// What a command put on the paper: the box of its ink, in pixels of the
// paper at the screen's resolution, looked for inside its bounds (and a
// pixel around them).
QRect InkBox(const QImage &paper, QRect bounds)
{
    bounds = bounds.adjusted(-1, -1, 1, 1).intersected(paper.rect());
    const QRect box = printed::BoundingBox(paper.copy(bounds), [](QRgb pixel) {
        return qRed(pixel) < 200 || qGreen(pixel) < 200 || qBlue(pixel) < 200;
    });
    return box.isNull() ? box : box.translated(bounds.topLeft());
}

QString Describe(const QRect &r)
{
    return QStringLiteral("(%1,%2 %3x%4)").arg(r.left()).arg(r.top()).arg(r.width()).arg(r.height());
}

} // namespace

class PrintedSheetMatchesPreviewTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void printedWhereThePreviewDraws();

private:
    TppPrintRegistration m_registration;
};

void PrintedSheetMatchesPreviewTest::initTestCase()
{
    if (!printed::PrintServerRunning() || !QPrinterInfo::availablePrinterNames().contains(QStringLiteral("ValdoraPDF")))
        QSKIP("needs the private print server of scripts/test-services.sh");
    LoadPictures();
    TppPrinterList::Instance().Refresh();
}

void PrintedSheetMatchesPreviewTest::printedWhereThePreviewDraws()
{
    printed::TestQueue queue(QStringLiteral("ValdoraSheetCompare"));
    QVERIFY(queue.Created());
    TppPrinterList::Instance().Refresh();

    auto sheet = CreateResultsSheet();
    for (const auto &[name, value] : {std::pair{"ppLabel1", "384"}, std::pair{"ppLabel2", "5"},
                                      std::pair{"ppLabel3", "95"}, std::pair{"ppLabel6", "100"}})
        static_cast<TppLabel &>(SheetComponent(*sheet, name)).SetCaption(value);
    sheet->PrinterSetup().SetPrinterName(queue.StdName());

    // The preview's page at 100 %.
    TppScreenDevice screen;
    screen.SetPublisher(&sheet->Publisher());
    screen.RequestPages();
    QVERIFY(screen.PageCanvas());
    const TppBitmap pixels = platform::CanvasPixels(*screen.PageCanvas());
    QCOMPARE(screen.CalculatedZoom(), 100);
    const QImage image(reinterpret_cast<const uchar *>(pixels.Pixels.data()), pixels.Width, pixels.Height,
                       QImage::Format_ARGB32);
    const QImage previewPaper = image.copy(screen.PageOffsetX(), screen.PageOffsetY(), screen.PageWidthPx(),
                                           screen.PageHeightPx())
                                    .convertToFormat(QImage::Format_RGB32);
    screen.SetPublisher(nullptr);

    // The same page printed.
    sheet->SetDeviceType("Printer");
    QTimer ok;
    QObject::connect(&ok, &QTimer::timeout, [] {
        if (auto *dialog = qobject_cast<TppPrintDialog *>(QApplication::activeModalWidget()))
            dialog->findChild<QPushButton *>(QStringLiteral("btnOK"))->click();
    });
    ok.start(5);
    sheet->Print();
    ok.stop();
    QVERIFY(queue.WaitForOutput());
    const QImage printedPaper = printed::RasterisePage(queue.OutputFile(), 1, ScreenPixelsPerInch());
    QVERIFY(!printedPaper.isNull());
    QVERIFY(qAbs(printedPaper.width() - previewPaper.width()) <= 1);
    QVERIFY(qAbs(printedPaper.height() - previewPaper.height()) <= 1);

    // Every frame, picture and text with ink stands where the preview has it.
    int compared = 0;
    const TppPage &page = screen.CurrentPage();
    for (int i = 0; i < page.DrawCommandCount(); ++i) {
        const TppDrawCommand *command = page.DrawCommands(i);
        const QRect bounds(QPoint(command->DeviceLeft() - screen.PageOffsetX(), command->DeviceTop() - screen.PageOffsetY()),
                           QPoint(command->DeviceRight() - screen.PageOffsetX() - 1,
                                  command->DeviceBottom() - screen.PageOffsetY() - 1));
        const QRect previewInk = InkBox(previewPaper, bounds);
        if (previewInk.isNull())
            continue;
        const QRect printedInk = InkBox(printedPaper, bounds);
        const QString what = QStringLiteral("%1 %2: preview %3, printed %4")
                                 .arg(QString::fromLatin1(command->ClassName()))
                                 .arg(i)
                                 .arg(Describe(previewInk), Describe(printedInk));
        QVERIFY2(!printedInk.isNull(), qPrintable(what));
        if (dynamic_cast<const TppDrawText *>(command)) {
            // Printer fonts are laid out at 600 dots per inch: a text row
            // starts where the preview's does; its width may differ a little.
            QVERIFY2(qAbs(printedInk.left() - previewInk.left()) <= 2, qPrintable(what));
            QVERIFY2(qAbs(printedInk.top() - previewInk.top()) <= 2, qPrintable(what));
            QVERIFY2(qAbs(printedInk.bottom() - previewInk.bottom()) <= 2, qPrintable(what));
        } else {
            QVERIFY2(qAbs(printedInk.left() - previewInk.left()) <= 2 && qAbs(printedInk.top() - previewInk.top()) <= 2
                         && qAbs(printedInk.right() - previewInk.right()) <= 2
                         && qAbs(printedInk.bottom() - previewInk.bottom()) <= 2,
                     qPrintable(what));
        }
        ++compared;
    }
    QVERIFY(compared >= 20);
}

QTEST_MAIN(PrintedSheetMatchesPreviewTest)
#include "printed_sheet_matches_preview_test.moc"
