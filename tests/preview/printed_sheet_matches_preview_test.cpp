// The results sheet as printed stands where the preview draws it: the page
// printed on the PDF queue, rasterised at the preview's 100 % resolution,
// holds every frame and picture of the sheet within two pixels of where the
// screen device draws it, and every line of text starts and ends within a
// pixel of the preview's. Printed pictures have the detail paper can show.

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
#include <QtMath>
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

// The rows of `area` holding ink, in runs: one run a text line.
QList<QPair<int, int>> InkRows(const QImage &paper, const QRect &area)
{
    QList<QPair<int, int>> runs;
    const QRect clipped = area & paper.rect();
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        if (InkBox(paper, QRect(clipped.left(), y, clipped.width(), 1).adjusted(1, 1, -1, -1)).isNull())
            continue;
        if (!runs.isEmpty() && runs.last().second == y - 1)
            runs.last().second = y;
        else
            runs.append({y, y});
    }
    return runs;
}

QImage FromBitmap(const TppBitmap &bitmap)
{
    QImage image(bitmap.Width, bitmap.Height, QImage::Format_RGB32);
    for (int y = 0; y < bitmap.Height; ++y)
        for (int x = 0; x < bitmap.Width; ++x)
            image.setPixel(x, y, bitmap.PixelAt(x, y));
    return image;
}

double MeanDifference(const QImage &a, const QImage &b)
{
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            sum += std::abs(qRed(a.pixel(x, y)) - qRed(b.pixel(x, y)))
                + std::abs(qGreen(a.pixel(x, y)) - qGreen(b.pixel(x, y)))
                + std::abs(qBlue(a.pixel(x, y)) - qBlue(b.pixel(x, y)));
    return sum / (3.0 * a.width() * a.height());
}

// The picture resampled to `size` from its source of `scale`.
QImage Resampled(const TppPicture &picture, int scale, QSize size)
{
    for (const TppPictureSource &source : picture.Sources()) {
        if (source.Scale == scale)
            return FromBitmap(platform::ScaleBitmapSmoothly(platform::DecodePictureSource(picture.Kind(), source),
                                                            size.width(), size.height()));
    }
    return {};
}

} // namespace

class PrintedSheetMatchesPreviewTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void printedWhereThePreviewDraws();
    void printedPicturesHaveDetail();
    void previewPicturesLookLikeThePaper();

private:
    QImage m_previewPaper;
    QImage m_printedPaper;
    QPoint m_pageOffset;
    TppPrintRegistration m_registration;
    std::unique_ptr<printed::TestQueue> m_queue;
    QString m_printedFile;
    std::unique_ptr<TppPage> m_printedPage;
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
    m_queue = std::make_unique<printed::TestQueue>(QStringLiteral("ValdoraSheetCompare"));
    const printed::TestQueue &queue = *m_queue;
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
    int lines = 0;
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
            // Line for line: each starts and ends where the printed one does.
            QVERIFY2(qAbs(printedInk.top() - previewInk.top()) <= 2, qPrintable(what));
            QVERIFY2(qAbs(printedInk.bottom() - previewInk.bottom()) <= 2, qPrintable(what));
            for (const auto &[top, bottom] : InkRows(previewPaper, bounds)) {
                const QRect band(bounds.left(), top, bounds.width(), bottom - top + 1);
                const QRect previewLine = InkBox(previewPaper, band);
                const QRect printedLine = InkBox(printedPaper, band);
                const QString line = what + QStringLiteral(", line at %1: preview %2, printed %3")
                                                .arg(top)
                                                .arg(Describe(previewLine), Describe(printedLine));
                QVERIFY2(!printedLine.isNull(), qPrintable(line));
                QVERIFY2(qAbs(printedLine.left() - previewLine.left()) <= 1, qPrintable(line));
                QVERIFY2(qAbs(printedLine.right() - previewLine.right()) <= 1, qPrintable(line));
                ++lines;
            }
        } else {
            QVERIFY2(qAbs(printedInk.left() - previewInk.left()) <= 2 && qAbs(printedInk.top() - previewInk.top()) <= 2
                         && qAbs(printedInk.right() - previewInk.right()) <= 2
                         && qAbs(printedInk.bottom() - previewInk.bottom()) <= 2,
                     qPrintable(what));
        }
        ++compared;
    }
    QVERIFY(compared >= 20);
    QVERIFY(lines >= 15);
    m_printedFile = queue.OutputFile();
    m_previewPaper = previewPaper;
    m_printedPaper = printedPaper;
    m_pageOffset = QPoint(screen.PageOffsetX(), screen.PageOffsetY());
    m_printedPage = std::make_unique<TppPage>();
    m_printedPage->Assign(page);
}

void PrintedSheetMatchesPreviewTest::printedPicturesHaveDetail()
{
    QVERIFY(m_printedPage);
    // Rasterised at 300 dots per inch, a picture whose own pixels are fewer
    // than that shows the finer source's detail, not its own pixels blown up.
    constexpr int kDpi = 300;
    const QImage paper = printed::RasterisePage(m_printedFile, 1, kDpi);
    QVERIFY(!paper.isNull());
    const auto toPaper = [&](std::int32_t thousandths) { return thousandths / 25400.0 * kDpi; };
    int checked = 0;
    for (int i = 0; i < m_printedPage->DrawCommandCount(); ++i) {
        const auto *image = dynamic_cast<const TppDrawImage *>(m_printedPage->DrawCommands(i));
        if (!image || toPaper(image->Width()) <= image->Picture().Width() * 1.2)
            continue;
        const QRect bounds(QPoint(qCeil(toPaper(image->Left())), qCeil(toPaper(image->Top()))),
                           QPoint(int(toPaper(image->Left() + image->Width())) - 1,
                                  int(toPaper(image->Top() + image->Height())) - 1));
        // A stretched picture fills its bounds; another one is centred in
        // them at its own size, and clipped to them.
        const TppPicture &picture = image->Picture();
        QVERIFY(picture.Sources().size() > 1);
        const QSizeF own(picture.Width() / 96.0 * kDpi, picture.Height() / 96.0 * kDpi);
        const QRectF whole = image->Stretch()
            ? QRectF(bounds)
            : QRectF(QPointF(bounds.center()) - QPointF(own.width() / 2, own.height() / 2), own);
        const QRect drawnArea = bounds.adjusted(2, 2, -2, -2) & whole.toAlignedRect().adjusted(2, 2, -2, -2);
        const QImage drawn = paper.copy(drawnArea);
        const QPoint cut = drawnArea.topLeft() - whole.topLeft().toPoint();
        // Placed to the nearest pixel: the best of the nearby placements.
        const auto difference = [&](int scale) {
            const QImage resampled = Resampled(picture, scale, whole.size().toSize());
            double best = 255;
            for (int dy = -2; dy <= 2; ++dy)
                for (int dx = -2; dx <= 2; ++dx)
                    best = std::min(best, MeanDifference(drawn, resampled.copy(QRect(cut + QPoint(dx, dy), drawn.size()))));
            return best;
        };
        const double toFine = difference(picture.Sources().back().Scale);
        const double toOwn = difference(1);
        QVERIFY2(toOwn > 1.5 * toFine,
                 qPrintable(QStringLiteral("command %1, %2x%3: %4 from the finer source, %5 from the own")
                                .arg(i).arg(drawn.width()).arg(drawn.height()).arg(toFine).arg(toOwn)));
        ++checked;
    }
    // The large logo and the seven check marks.
    QCOMPARE(checked, 8);
}

// Each picture of the preview at 100 % against the same crop of the paper
// rasterised at that size (mean difference per channel): resampled
// smoothly from its finest source, the preview keeps the strokes the paper
// shows, where its own pixels scaled without smoothing left dots.
void PrintedSheetMatchesPreviewTest::previewPicturesLookLikeThePaper()
{
    QVERIFY(m_printedPage && !m_previewPaper.isNull() && !m_printedPaper.isNull());
    const QSize paper = m_previewPaper.size().boundedTo(m_printedPaper.size());
    QStringList differences;
    int compared = 0;
    for (int i = 0; i < m_printedPage->DrawCommandCount(); ++i) {
        const auto *image = dynamic_cast<const TppDrawImage *>(m_printedPage->DrawCommands(i));
        if (!image || image->Picture().Width() < 10)
            continue;
        const QRect bounds = QRect(QPoint(image->DeviceLeft(), image->DeviceTop()),
                                   QPoint(image->DeviceRight() - 1, image->DeviceBottom() - 1))
                                 .translated(-m_pageOffset)
                                 .intersected(QRect(QPoint(0, 0), paper));
        if (bounds.isEmpty())
            continue;
        // Paper and screen may place a picture a pixel apart: the best of the
        // shifts within two pixels is compared, the picture's edge left out.
        const QRect inner = bounds.adjusted(2, 2, -2, -2);
        double difference = 1e9;
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx)
                difference = std::min(difference, MeanDifference(m_previewPaper.copy(inner),
                                                                 m_printedPaper.copy(inner.translated(dx, dy))));
        differences << QStringLiteral("%1x%2 at %3,%4: %5")
                           .arg(bounds.width())
                           .arg(bounds.height())
                           .arg(bounds.x())
                           .arg(bounds.y())
                           .arg(difference, 0, 'f', 2);
        // Before smoothing: 9.73 (small logo), 6.01 (large logo), 7.10 (check
        // marks); smoothed from the finest source: 6.28, 4.10, 5.15.
        const double bound = bounds.width() < 50 ? 6.0 : bounds.width() < 150 ? 7.5 : 5.0;
        QVERIFY2(difference < bound, qPrintable(differences.join(QStringLiteral("; "))));
        ++compared;
    }
    QVERIFY(compared >= 9); // two logos and seven check marks
    qInfo("%s", qPrintable(differences.join(QStringLiteral("; "))));
}

QTEST_MAIN(PrintedSheetMatchesPreviewTest)
#include "printed_sheet_matches_preview_test.moc"
