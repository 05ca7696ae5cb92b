#include "platform/canvas.h"
#include "platform/qt/image_canvas.h"
#include "platform/qt/painter_canvas.h"
#include "platform/qt/queue_driver.h"
#include "platform/screen_metrics.h"

#include <QPrinter>
#include <QtTest>

#include <optional>

using namespace platform;

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFFFFu;
constexpr std::uint32_t kBlack = 0xFF000000u;
constexpr std::uint32_t kRed = 0xFFFF0000u;

TppFont Arial(int points)
{
    TppFont font;
    font.SetName("Arial");
    font.SetSize(points);
    font.SetColor(clBlack);
    return font;
}

QRgb Pixel(const ImageCanvas &canvas, int x, int y)
{
    return canvas.Image().pixel(x, y);
}

// Columns [first, last] holding a pixel other than white, or nothing.
std::optional<std::pair<int, int>> InkColumns(const ImageCanvas &canvas)
{
    const QImage &image = canvas.Image();
    int first = image.width();
    int last = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != kWhite) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
        }
    }
    if (last < 0)
        return std::nullopt;
    return std::make_pair(first, last);
}

int CountInk(const ImageCanvas &canvas, const QRect &area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += canvas.Image().pixel(x, y) != kWhite;
    return count;
}

} // namespace

class CanvasTest : public QObject
{
    Q_OBJECT

private slots:
    void screenBitmapHasScreenResolution();
    void fontKeepsPointSizeOnAnyResolution_data();
    void fontKeepsPointSizeOnAnyResolution();
    void positiveHeightIsTheCell();
    void printerCanvasMeasuresAtQueueResolution();
    void tabbedWidth_data();
    void tabbedWidth();
    void tabbedTextOutStartsAtStopFromOrigin_data();
    void tabbedTextOutStartsAtStopFromOrigin();
    void justificationWidensSpaces();
    void clipRectLimitsDrawing();
    void textRectClipsToItsRectangle();
    void rectangleStaysInsideItsBounds_data();
    void rectangleStaysInsideItsBounds();
    void lineLeavesOutItsEndPoint();
    void dashedPenIsSolidWhenWide_data();
    void dashedPenIsSolidWhenWide();
    void stretchBitmapFillsTarget();
    void andCopyLetsWhiteShowThrough();
    void calcTextRectCountsLines();
    void measuringOnlyCanvasDrawsNothing();
    void canvasPixelsOfImage();
};

void CanvasTest::screenBitmapHasScreenResolution()
{
    const auto canvas = CreateScreenBitmapCanvas(10, 5);
    QCOMPARE(canvas->PixelsPerInchX(), ScreenPixelsPerInch());
    QCOMPARE(canvas->PixelsPerInchY(), ScreenPixelsPerInch());
    const TppBitmap pixels = CanvasPixels(*canvas);
    QCOMPARE(pixels.Width, 10);
    QCOMPARE(pixels.Height, 5);
    QCOMPARE(pixels.PixelAt(9, 4), kWhite);
}

void CanvasTest::fontKeepsPointSizeOnAnyResolution_data()
{
    QTest::addColumn<int>("ppi");
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("emPixels");
    QTest::newRow("96 dpi, 10 pt") << 96 << 10 << 13;
    QTest::newRow("300 dpi, 10 pt") << 300 << 10 << 42;
    QTest::newRow("600 dpi, 10 pt") << 600 << 10 << 83;
    QTest::newRow("600 dpi, 24 pt") << 600 << 24 << 200;
}

void CanvasTest::fontKeepsPointSizeOnAnyResolution()
{
    QFETCH(int, ppi);
    QFETCH(int, points);
    QFETCH(int, emPixels);
    ImageCanvas canvas(1, 1, ppi);
    canvas.SetFont(Arial(points)); // defined at 96 dpi
    QCOMPARE(canvas.Font().Size(), points);
    QCOMPARE(canvas.Font().Height(), -emPixels);
    // Arial's cell is 1.117 em; internal leading is the cell above the em.
    const CanvasFontMetrics metrics = canvas.FontMetrics();
    QVERIFY2(qAbs(metrics.height - emPixels * 1.117) <= 1.5, qPrintable(QString::number(metrics.height)));
    QCOMPARE(metrics.height, metrics.ascent + metrics.descent);
    QCOMPARE(metrics.internalLeading, metrics.height - emPixels);
    QCOMPARE(canvas.TextHeight("W"), metrics.height);
}

void CanvasTest::positiveHeightIsTheCell()
{
    ImageCanvas canvas(1, 1, 600);
    TppFont font = Arial(10);
    font.SetPixelsPerInch(600);
    font.SetHeight(115);
    canvas.SetFont(font);
    QVERIFY(qAbs(canvas.FontMetrics().height - 115) <= 1);
}

void CanvasTest::printerCanvasMeasuresAtQueueResolution()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName("ValdoraPDF");
    QVERIFY2(printer.isValid(), "the test queue ValdoraPDF is missing: start the test services");
    const QueueResolution resolution = ReadQueueResolution("ValdoraPDF");
    QVERIFY(resolution.y > 0);
    printer.setResolution(resolution.y);

    PainterCanvas canvas(&printer);
    QCOMPARE(canvas.PixelsPerInchX(), resolution.x);
    QCOMPARE(canvas.PixelsPerInchY(), resolution.y);
    canvas.SetFont(Arial(10));
    auto screen = CreateScreenBitmapCanvas();
    screen->SetFont(Arial(10));
    // The same text is as long on paper at either resolution, give or take
    // the rounding of the screen's small font.
    const double ratio = double(resolution.x) / screen->PixelsPerInchX();
    const int onPrinter = canvas.TextWidth("Tamaño de la muestra");
    const int onScreen = screen->TextWidth("Tamaño de la muestra");
    QVERIFY2(qAbs(onPrinter - onScreen * ratio) <= onPrinter * 0.08,
             qPrintable(QStringLiteral("%1 vs %2").arg(onPrinter).arg(onScreen)));
    // No painter: measuring only, drawing is ignored rather than failing.
    canvas.TextOut(0, 0, "x");
}

void CanvasTest::tabbedWidth_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("stops");
    // expected = the stop reached + the width of the text after the last tab
    QTest::addColumn<int>("stopReached");
    QTest::addColumn<QString>("tail");

    QTest::newRow("no tab") << "abc" << QList<int>{100} << 0 << "abc";
    QTest::newRow("first stop") << "a\tb" << QList<int>{100, 200} << 100 << "b";
    QTest::newRow("second stop") << "a\t\tb" << QList<int>{100, 200} << 200 << "b";
    QTest::newRow("stop already passed")
        << "mmmmmmmmmmmm\tb" << QList<int>{10, 1000} << 1000 << "b";
    QTest::newRow("single entry repeats") << "\t\t\tb" << QList<int>{30} << 90 << "b";
    QTest::newRow("non-positive stops ignored") << "\tb" << QList<int>{0, -5, 70} << 70 << "b";
}

void CanvasTest::tabbedWidth()
{
    QFETCH(QString, text);
    QFETCH(QList<int>, stops);
    QFETCH(int, stopReached);
    QFETCH(QString, tail);
    ImageCanvas canvas(1, 1, 96);
    canvas.SetFont(Arial(10));
    const TabStops table(stops.begin(), stops.end());
    QCOMPARE(canvas.TabbedTextWidth(text.toStdString(), table),
             stopReached + canvas.TextWidth(tail.toStdString()));
}

void CanvasTest::tabbedTextOutStartsAtStopFromOrigin_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("origin");
    QTest::addColumn<QList<int>>("stops");
    QTest::addColumn<int>("expectedStart");
    QTest::newRow("origin 0") << 0 << 0 << QList<int>{40} << 40;
    QTest::newRow("origin moves stops") << 10 << 10 << QList<int>{40} << 50;
    QTest::newRow("beyond last stop: default spacing") << 20 << 0 << QList<int>{5, 10} << -1;
}

void CanvasTest::tabbedTextOutStartsAtStopFromOrigin()
{
    QFETCH(int, x);
    QFETCH(int, origin);
    QFETCH(QList<int>, stops);
    QFETCH(int, expectedStart);
    ImageCanvas canvas(200, 30, 96);
    canvas.SetFont(Arial(10));
    if (expectedStart < 0)
        expectedStart = 8 * canvas.FontMetrics().averageCharWidth;
    canvas.TabbedTextOut(x, 0, "\tI", TabStops(stops.begin(), stops.end()), origin);
    const auto ink = InkColumns(canvas);
    QVERIFY(ink);
    QVERIFY2(ink->first >= expectedStart && ink->first <= expectedStart + 3,
             qPrintable(QString::number(ink->first)));
}

void CanvasTest::justificationWidensSpaces()
{
    ImageCanvas plain(300, 30, 96);
    plain.SetFont(Arial(10));
    plain.TextOut(0, 0, "I I I");
    ImageCanvas spread(300, 30, 96);
    spread.SetFont(Arial(10));
    spread.SetTextJustification(21, 2);
    spread.TextOut(0, 0, "I I I");
    const auto before = InkColumns(plain);
    const auto after = InkColumns(spread);
    QVERIFY(before && after);
    QCOMPARE(after->first, before->first);
    QCOMPARE(after->second - before->second, 21);
    // Reset: drawn as before.
    ImageCanvas reset(300, 30, 96);
    reset.SetFont(Arial(10));
    reset.SetTextJustification(21, 2);
    reset.SetTextJustification(0, 0);
    reset.TextOut(0, 0, "I I I");
    QCOMPARE(InkColumns(reset)->second, before->second);
}

void CanvasTest::clipRectLimitsDrawing()
{
    ImageCanvas canvas(40, 40, 96);
    canvas.SetBrush({clBlack, bsSolid});
    canvas.SetClipRect({10, 10, 20, 20});
    canvas.FillRect({0, 0, 40, 40});
    QCOMPARE(CountInk(canvas, QRect(0, 0, 40, 40)), 100);
    QCOMPARE(Pixel(canvas, 10, 10), kBlack);
    QCOMPARE(Pixel(canvas, 19, 19), kBlack);
    QCOMPARE(Pixel(canvas, 20, 20), kWhite);
    // The clipping applies to every kind of drawing until removed.
    canvas.SetPen({clBlack, psSolid, 1, pmCopy});
    canvas.Line({0, 30}, {40, 30});
    QCOMPARE(Pixel(canvas, 5, 30), kWhite);
    canvas.RemoveClipping();
    canvas.Line({0, 30}, {40, 30});
    QCOMPARE(Pixel(canvas, 5, 30), kBlack);
}

void CanvasTest::textRectClipsToItsRectangle()
{
    ImageCanvas canvas(200, 40, 96);
    canvas.SetFont(Arial(20));
    canvas.TextRect({0, 0, 15, 40}, 0, 0, "WWWW");
    const auto ink = InkColumns(canvas);
    QVERIFY(ink);
    QVERIFY(ink->second < 15);
    // Clipping of the text is its own: later drawing is not clipped.
    canvas.SetBrush({clBlack, bsSolid});
    canvas.FillRect({100, 0, 110, 10});
    QCOMPARE(Pixel(canvas, 105, 5), kBlack);
    // Opaque: the rectangle is filled with the brush colour first.
    canvas.SetBrush({clRed, bsSolid});
    canvas.TextRect({150, 0, 160, 40}, 150, 0, "", true);
    QCOMPARE(Pixel(canvas, 155, 35), kRed);
}

void CanvasTest::rectangleStaysInsideItsBounds_data()
{
    QTest::addColumn<int>("penWidth");
    QTest::newRow("pen 1") << 1;
    QTest::newRow("pen 3") << 3;
}

void CanvasTest::rectangleStaysInsideItsBounds()
{
    QFETCH(int, penWidth);
    ImageCanvas canvas(30, 30, 96);
    canvas.SetPen({clBlack, psSolid, penWidth, pmCopy});
    canvas.SetBrush({clRed, bsSolid});
    canvas.Rectangle({2, 2, 22, 12});
    for (int i = 0; i < penWidth; ++i) {
        QCOMPARE(Pixel(canvas, 2 + i, 6), kBlack);
        QCOMPARE(Pixel(canvas, 21 - i, 6), kBlack);
        QCOMPARE(Pixel(canvas, 10, 2 + i), kBlack);
        QCOMPARE(Pixel(canvas, 10, 11 - i), kBlack);
    }
    QCOMPARE(Pixel(canvas, 2 + penWidth, 6), kRed);
    QCOMPARE(Pixel(canvas, 1, 6), kWhite);
    QCOMPARE(Pixel(canvas, 22, 6), kWhite);
    QCOMPARE(Pixel(canvas, 10, 12), kWhite);
    QCOMPARE(Pixel(canvas, 10, 1), kWhite);
}

void CanvasTest::lineLeavesOutItsEndPoint()
{
    ImageCanvas canvas(20, 20, 96);
    canvas.SetPen({clBlack, psSolid, 1, pmCopy});
    canvas.Line({0, 5}, {10, 5});
    QCOMPARE(Pixel(canvas, 0, 5), kBlack);
    QCOMPARE(Pixel(canvas, 9, 5), kBlack);
    QCOMPARE(Pixel(canvas, 10, 5), kWhite);
    canvas.Polyline({{2, 10}, {2, 15}, {7, 15}});
    QCOMPARE(Pixel(canvas, 2, 14), kBlack);
    QCOMPARE(Pixel(canvas, 2, 15), kBlack); // start of the second segment
    QCOMPARE(Pixel(canvas, 6, 15), kBlack);
    QCOMPARE(Pixel(canvas, 7, 15), kWhite);
}

void CanvasTest::dashedPenIsSolidWhenWide_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("gaps");
    QTest::newRow("one pixel: dashed") << 1 << true;
    QTest::newRow("two pixels: solid") << 2 << false;
}

void CanvasTest::dashedPenIsSolidWhenWide()
{
    QFETCH(int, width);
    QFETCH(bool, gaps);
    ImageCanvas canvas(100, 10, 96);
    canvas.SetPen({clBlack, psDash, width, pmCopy});
    canvas.Line({0, 5}, {100, 5});
    int white = 0;
    for (int x = 0; x < 99; ++x)
        white += Pixel(canvas, x, 5) == kWhite;
    QCOMPARE(white > 0, gaps);
}

void CanvasTest::stretchBitmapFillsTarget()
{
    TppBitmap bitmap;
    bitmap.Width = 2;
    bitmap.Height = 2;
    bitmap.Pixels = {kRed, kBlack, kBlack, kRed};
    ImageCanvas canvas(30, 30, 96);
    canvas.StretchBitmap({10, 10, 20, 20}, bitmap);
    QCOMPARE(Pixel(canvas, 10, 10), kRed);
    QCOMPARE(Pixel(canvas, 14, 14), kRed);
    QCOMPARE(Pixel(canvas, 15, 14), kBlack);
    QCOMPARE(Pixel(canvas, 19, 19), kRed);
    QCOMPARE(Pixel(canvas, 20, 20), kWhite);
    QCOMPARE(Pixel(canvas, 9, 9), kWhite);
    // A bitmap whose pixels do not match its size is not read past its end.
    bitmap.Pixels.pop_back();
    canvas.StretchBitmap({0, 0, 5, 5}, bitmap);
    QCOMPARE(Pixel(canvas, 0, 0), kWhite);
}

void CanvasTest::andCopyLetsWhiteShowThrough()
{
    TppBitmap bitmap;
    bitmap.Width = 2;
    bitmap.Height = 1;
    bitmap.Pixels = {kWhite, kBlack};
    ImageCanvas canvas(20, 10, 96);
    canvas.SetBrush({clRed, bsSolid});
    canvas.FillRect({0, 0, 20, 10});
    canvas.StretchBitmap({0, 0, 20, 10}, bitmap, CopyMode::And);
    QCOMPARE(Pixel(canvas, 5, 5), kRed);
    QCOMPARE(Pixel(canvas, 15, 5), kBlack);
}

void CanvasTest::calcTextRectCountsLines()
{
    ImageCanvas canvas(1, 1, 96);
    canvas.SetFont(Arial(10));
    const CanvasFontMetrics metrics = canvas.FontMetrics();
    const int wordWidth = canvas.TextWidth("palabra");

    CanvasRect single = canvas.CalcTextRect({5, 7, 6, 8}, "palabra palabra", ctfLeft);
    QCOMPARE(single.left, 5);
    QCOMPARE(single.top, 7);
    QCOMPARE(single.Width(), canvas.TextWidth("palabra palabra"));
    QCOMPARE(single.Height(), metrics.height);

    CanvasRect broken = canvas.CalcTextRect({0, 0, wordWidth + 2, 0}, "palabra palabra\r\nx",
                                            ctfWordBreak | ctfExternalLeading);
    QCOMPARE(broken.Height(), 3 * (metrics.height + metrics.externalLeading));
    QCOMPARE(broken.Width(), wordWidth);

    CanvasRect right = canvas.CalcTextRect({0, 0, 100, 0}, "palabra", ctfRight);
    QCOMPARE(right.right, right.left + wordWidth);
    QCOMPARE(right.left, 100 - wordWidth);
}

void CanvasTest::measuringOnlyCanvasDrawsNothing()
{
    QImage image(10, 10, QImage::Format_RGB32);
    image.fill(Qt::white);
    PainterCanvas canvas(&image);
    canvas.SetBrush({clBlack, bsSolid});
    canvas.FillRect({0, 0, 10, 10});
    canvas.Rectangle({0, 0, 10, 10});
    QCOMPARE(image.pixel(5, 5), kWhite);
    QVERIFY(canvas.TextWidth("abc") > 0);
    QVERIFY(CanvasPixels(canvas).IsEmpty());
}

void CanvasTest::canvasPixelsOfImage()
{
    ImageCanvas canvas(4, 3, 96);
    canvas.SetBrush({clRed, bsSolid});
    canvas.FillRect({1, 1, 2, 2});
    const TppBitmap pixels = CanvasPixels(canvas);
    QCOMPARE(pixels.PixelAt(1, 1), kRed);
    QCOMPARE(pixels.PixelAt(0, 0), kWhite);
}

QTEST_MAIN(CanvasTest)
#include "canvas_test.moc"
