#include "output/device_registry.h"
#include "output/draw_line.h"
#include "output/draw_shape.h"
#include "output/screen_font_names.h"
#include "platform/qt/qt_color.h"
#include "platform/screen_metrics.h"
#include "tests/output/screen_fixtures.h"
#include "tests/report/engine_fixture.h"

#include <QtTest>

namespace {

// A Letter page numbered `no` holding the given commands.
std::unique_ptr<TppPage> LetterPage(int no = 1, bool last = true)
{
    auto page = std::make_unique<TppPage>();
    SetPaper(*page, kLetterWidth, kLetterHeight);
    page->SetAbsolutePageNo(no);
    page->SetAbsolutePageCount(no);
    page->SetFirstPage(no == 1);
    page->SetLastPage(last);
    page->SetFinal(true);
    page->SetDocumentName("Report");
    return page;
}

// Renders `page` as the page on display of a device of `viewer`.
void Show(TppScreenDevice &device, const TppPage &page)
{
    device.CurrentPage().Assign(page);
    device.RenderCurrentPage();
}

QRect Bounds(const TppDrawCommand &command)
{
    return QRect(QPoint(command.DeviceLeft(), command.DeviceTop()),
                 QPoint(command.DeviceRight() - 1, command.DeviceBottom() - 1));
}

} // namespace

class ScreenDeviceTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void registeredAsScreen();
    void fontNamesSubstituted_data();
    void fontNamesSubstituted();
    void pageImageGeometry_data();
    void pageImageGeometry();
    void wholePageShrinksInNarrowArea();
    void paperAndSurroundPixels();
    void zeroPaperKeepsPreviousImage();
    void msSansSerifDrawnAsArial();
    void autoSizeCentredLabelShrinksToText();
    void memoDrawnAsLaidOutWithoutFitting();
    void picturesDrawnFromTheBestSource();
    void stretchedJpegFillsItsRectangle();
    void transparentPictureLetsPageShowThrough();
    void linesDrawBandsOfOnePixelLines();
    void highDensityImageKeepsLogicalGeometry();
    void statusTextsOfAJob();
    void navigationNoOps();
    void clickableCommandFoundByDeviceBounds();
    void refreshTextBeforeAnyRenderingDoesNothing();
};

void ScreenDeviceTest::initTestCase()
{
    QCOMPARE(platform::ScreenPixelsPerInch(), 96);
}

void ScreenDeviceTest::registeredAsScreen()
{
    TppDeviceClassRegistration registration(TppScreenDevice::StaticClass());
    QCOMPARE(FindDeviceClass("screen"), &TppScreenDevice::StaticClass());
    auto device = TppScreenDevice::StaticClass().Create();
    QVERIFY(dynamic_cast<TppScreenDevice *>(device.get()));
    QCOMPARE(std::string(device->DeviceTypeName()), std::string("Screen"));
    QVERIFY(!device->IgnoresNonFinalPages());
}

void ScreenDeviceTest::fontNamesSubstituted_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("screen");
    QTest::newRow("Courier") << "Courier" << "Courier New";
    QTest::newRow("Fixedsys") << "Fixedsys" << "Arial";
    QTest::newRow("Modern") << "Modern" << "Arial";
    QTest::newRow("MS Sans Serif") << "MS Sans Serif" << "Arial";
    QTest::newRow("MS Serif") << "MS Serif" << "Courier New";
    QTest::newRow("Small Fonts") << "Small Fonts" << "Arial";
    QTest::newRow("System") << "System" << "Arial";
    QTest::newRow("Terminal") << "Terminal" << "Arial";
    QTest::newRow("other kept") << "Times New Roman" << "Times New Roman";
    QTest::newRow("case matters") << "ms sans serif" << "ms sans serif";
}

void ScreenDeviceTest::fontNamesSubstituted()
{
    QFETCH(QString, name);
    QFETCH(QString, screen);
    QCOMPARE(QString::fromStdString(ScreenFontName(name.toStdString())), screen);
}

void ScreenDeviceTest::pageImageGeometry_data()
{
    QTest::addColumn<bool>("withViewer");
    QTest::addColumn<int>("zoom");
    QTest::addColumn<int>("percentage");
    QTest::addColumn<QSize>("area");
    QTest::addColumn<QSize>("image");
    QTest::addColumn<QSize>("paper");
    QTest::addColumn<QPoint>("offset");
    QTest::addColumn<int>("calculatedZoom");

    // Letter at 96 pixels per inch is 816 x 1056 screen pixels.
    QTest::newRow("no viewer: 100 %") << false << int(zsWholePage) << 100 << QSize()
                                      << QSize(864, 1104) << QSize(816, 1056) << QPoint(24, 24)
                                      << 100;
    QTest::newRow("100 %") << true << int(zs100Percent) << 100 << QSize(500, 400)
                           << QSize(864, 1104) << QSize(816, 1056) << QPoint(24, 24) << 100;
    QTest::newRow("50 % in a small area") << true << int(zsPercentage) << 50 << QSize(300, 300)
                                          << QSize(456, 576) << QSize(408, 528) << QPoint(24, 24)
                                          << 50;
    QTest::newRow("50 % never smaller than the area")
        << true << int(zsPercentage) << 50 << QSize(1000, 900) << QSize(1000, 900)
        << QSize(408, 528) << QPoint(296, 186) << 50;
    QTest::newRow("whole page 500 x 400") << true << int(zsWholePage) << 100 << QSize(500, 400)
                                          << QSize(500, 400) << QSize(291, 376) << QPoint(104, 12)
                                          << 36;
    // 547 - 24 - 14 = 509 wide, 509 / r = 659 high.
    QTest::newRow("page width") << true << int(zsPageWidth) << 100 << QSize(547, 273)
                                << QSize(533, 683) << QSize(509, 659) << QPoint(12, 12) << 62;
}

void ScreenDeviceTest::pageImageGeometry()
{
    QFETCH(bool, withViewer);
    QFETCH(int, zoom);
    QFETCH(int, percentage);
    QFETCH(QSize, area);
    QFETCH(QSize, image);
    QFETCH(QSize, paper);
    QFETCH(QPoint, offset);
    QFETCH(int, calculatedZoom);

    RecordingViewer viewer;
    viewer.zoom = TppZoomSettingType(zoom);
    viewer.percentage = percentage;
    viewer.width = area.width();
    viewer.height = area.height();
    TppScreenDevice device(withViewer ? &viewer : nullptr);
    Show(device, *LetterPage());

    QCOMPARE(QSize(device.PageImageWidth(), device.PageImageHeight()), image);
    QCOMPARE(QSize(device.PageWidthPx(), device.PageHeightPx()), paper);
    QCOMPARE(QPoint(device.PageOffsetX(), device.PageOffsetY()), offset);
    QCOMPARE(device.CalculatedZoom(), calculatedZoom);
    const QImage pixels = PageImage(device);
    QCOMPARE(pixels.size(), image);
}

void ScreenDeviceTest::wholePageShrinksInNarrowArea()
{
    RecordingViewer viewer;
    viewer.width = 200;
    viewer.height = 600;
    TppScreenDevice device(&viewer);
    Show(device, *LetterPage());
    // 576 high would be 445 wide: a quarter inch less at a time until the
    // paper is narrower than the image.
    const double ratio = 816.0 / 1056.0;
    int height = 600 - 24;
    while (qRound(height * ratio) >= 200)
        height -= 24;
    QCOMPARE(device.PageHeightPx(), height);
    QVERIFY(device.PageWidthPx() < 200);
    QCOMPARE(device.PageImageWidth(), 200);
    QCOMPARE(device.PageImageHeight(), 600);
    QCOMPARE(device.CalculatedZoom(), qRound(height / 1056.0 * 100));
}

void ScreenDeviceTest::paperAndSurroundPixels()
{
    RecordingViewer viewer;
    viewer.zoom = zs100Percent;
    viewer.pageColor = TppColor::FromRgb(0xFFFFC0);
    TppScreenDevice device(&viewer);
    Show(device, *LetterPage());
    QVERIFY(viewer.surfaceVisible);
    const QImage image = PageImage(device);
    const QColor shadow = platform::ToQColor(clBtnShadow);
    QCOMPARE(image.pixel(0, 0), shadow.rgb());
    QCOMPARE(image.pixel(23, 500), shadow.rgb());
    QCOMPARE(image.pixel(24 + 816, 500), shadow.rgb());
    // A black one-pixel outline around paper of the viewer's colour.
    QCOMPARE(QColor(image.pixel(24, 500)), QColor(Qt::black));
    QCOMPARE(QColor(image.pixel(24 + 815, 500)), QColor(Qt::black));
    QCOMPARE(QColor(image.pixel(400, 24)), QColor(Qt::black));
    QCOMPARE(QColor(image.pixel(400, 24 + 1055)), QColor(Qt::black));
    QCOMPARE(QColor(image.pixel(25, 25)), QColor(0xFF, 0xFF, 0xC0));
    QCOMPARE(QColor(image.pixel(400, 500)), QColor(0xFF, 0xFF, 0xC0));
}

void ScreenDeviceTest::zeroPaperKeepsPreviousImage()
{
    RecordingViewer viewer;
    TppScreenDevice device(&viewer);
    Show(device, *LetterPage());
    const platform::Canvas *before = device.PageCanvas();
    const QImage pixels = PageImage(device);

    for (const QSize &paper : {QSize(0, kLetterHeight), QSize(kLetterWidth, 0)}) {
        auto page = LetterPage(2);
        SetPaper(*page, paper.width(), paper.height());
        page->AddDrawCommand(MakeText("X", 10000, 10000, 50000, 5000));
        device.SetPublisher(nullptr);
        device.OpenJob();
        device.AcceptPage(*page);
        device.CloseJob();
        QCOMPARE(device.PageCanvas(), before);
        QCOMPARE(PageImage(device), pixels);
        QCOMPARE(device.CalculatedZoom(), 36);
    }
}

void ScreenDeviceTest::msSansSerifDrawnAsArial()
{
    RecordingViewer viewer;
    viewer.zoom = zs100Percent;
    // The glyph's shape, wherever the layout's metrics of the font as named
    // (the printer's) place it.
    auto draw = [&](const std::string &font) {
        TppScreenDevice device(&viewer);
        auto page = LetterPage();
        page->AddDrawCommand(MakeText("M", 20000, 20000, 80000, 6000, font));
        Show(device, *page);
        const QImage image = PageImage(device);
        const QRect ink = InkBounds(image, QRect(60, 60, 400, 60));
        return ink.isNull() ? QImage() : image.copy(ink);
    };
    const QImage arial = draw("Arial");
    const QImage msSansSerif = draw("MS Sans Serif");
    QVERIFY(!arial.isNull());
    QCOMPARE(msSansSerif, arial);
    // The font the name would otherwise resolve to draws differently.
    QVERIFY(draw("DejaVu Sans") != arial);
}

void ScreenDeviceTest::autoSizeCentredLabelShrinksToText()
{
    RecordingViewer viewer;
    viewer.zoom = zs100Percent;
    TppScreenDevice device(&viewer);
    auto page = LetterPage();
    auto *label = static_cast<TppDrawText *>(
        page->AddDrawCommand(MakeText("18", 50000, 50000, 60000, 2000)));
    label->SetAutoSize(true);
    label->SetTextAlignment(taCentered);
    Show(device, *page);

    const TppDrawText &drawn = *static_cast<const TppDrawText *>(device.CurrentPage().DrawCommands(0));
    // 50000 and 60000 thousandths are 189 and 227 pixels at 100 %.
    const int left = 189 + 24;
    const int right = 189 + 227 + 24;
    const int width = drawn.DeviceRight() - drawn.DeviceLeft();
    QVERIFY2(width > 5 && width < 40, qPrintable(QString::number(width)));
    QCOMPARE(drawn.DeviceLeft(), left + qRound((right - left - width) / 2.0));
    // At least one line high, though the rectangle was lower.
    QVERIFY(drawn.DeviceBottom() - drawn.DeviceTop() >= 14);

    const QImage image = PageImage(device);
    const QRect ink = InkBounds(image, QRect(left, drawn.DeviceTop(), right - left, 30));
    QVERIFY(!ink.isNull());
    QVERIFY2(ink.left() >= drawn.DeviceLeft() && ink.right() < drawn.DeviceRight(),
             qPrintable(QStringLiteral("ink %1..%2").arg(ink.left()).arg(ink.right())));
    QVERIFY(std::abs((ink.left() - left) - (right - 1 - ink.right())) <= 3);
}

namespace {

// A memo command holding the given wrapped lines.
TppDrawText *AddMemo(TppPage &page, const TppStringList &lines, std::int32_t width,
                     std::int32_t height)
{
    auto *memo = static_cast<TppDrawText *>(
        page.AddDrawCommand(MakeText(std::string(), 20000, 20000, width, height)));
    memo->SetIsMemo(true);
    memo->SetWordWrap(true);
    memo->SetWrappedText(lines);
    return memo;
}

// The top rows of the ink bands of a text drawn line under line.
QList<int> InkLineTops(const QImage &image, const QRect &area)
{
    QList<int> tops;
    bool inInk = false;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const bool ink = !InkBounds(image, QRect(area.left(), y, area.width(), 1)).isNull();
        if (ink && !inInk)
            tops << y;
        inInk = ink;
    }
    return tops;
}

} // namespace

void ScreenDeviceTest::memoDrawnAsLaidOutWithoutFitting()
{
    // Lines too wide or too many for their rectangle keep the font: they
    // stand where the layout's metrics put them, clipped to the memo's
    // rectangle as on paper, one line height apart.
    RecordingViewer viewer;
    viewer.zoom = zs100Percent;
    TppScreenDevice device(&viewer);
    auto page = LetterPage();
    AddMemo(*page, {"Una nota mucho mas ancha que su marco", "corta",
                    "Otra linea mucho mas ancha que el marco$\xC2\xB6"},
            30000, 30000);
    TppDrawText *high = AddMemo(*page, {"Hola", "Hola", "Hola", "Hola", "Hola", "Hola"}, 60000, 13230);
    high->SetTop(60000);
    Show(device, *page);
    QCOMPARE(device.PageCanvas()->Font().Height(), -13);

    const QImage image = PageImage(device);
    const QRect wide = Bounds(*device.CurrentPage().DrawCommands(0));
    QVERIFY(!InkBounds(image, wide).isNull());
    QVERIFY(InkBounds(image, QRect(wide.right() + 1, wide.top(), 300, wide.height())).isNull());
    const QRect box = Bounds(*device.CurrentPage().DrawCommands(1));
    QCOMPARE(box.height(), 50);
    QVERIFY(InkBounds(image, QRect(box.left(), box.bottom() + 1, box.width(), 60)).isNull());
    const QList<int> tops = InkLineTops(image, box);
    QVERIFY2(tops.size() >= 3, qPrintable(QString::number(tops.size())));
    for (int i = 2; i < tops.size(); ++i)
        QVERIFY(std::abs((tops[i] - tops[i - 1]) - (tops[1] - tops[0])) <= 1);
}

void ScreenDeviceTest::picturesDrawnFromTheBestSource()
{
    const TppPicture logo = platform::LoadPictureResource(":/assets/logo.jpg");
    QVERIFY(logo.Sources().size() > 1);
    // The same picture with its own pixels only, as pictures were drawn
    // before they had finer sources.
    const TppPicture ownOnly = TppPicture::FromEncoded(gkJpeg, logo.EncodedData());
    const auto render = [](const TppPicture &picture, double ratio, int percentage) {
        RecordingViewer viewer;
        viewer.zoom = zsPercentage;
        viewer.percentage = percentage;
        viewer.ratio = ratio;
        TppScreenDevice device(&viewer);
        auto page = LetterPage();
        // Where and how the results sheet draws its large logo.
        auto *image = static_cast<TppDrawImage *>(page->AddDrawCommand(std::make_unique<TppDrawImage>()));
        image->SetPicture(picture);
        image->SetStretch(true);
        image->SetCenter(true);
        image->SetLeft(98690);
        image->SetTop(57679);
        image->SetWidth(93927);
        image->SetHeight(58208);
        Show(device, *page);
        const QRect box = Bounds(*device.CurrentPage().DrawCommands(0));
        return PageImage(device).copy(QRect(box.topLeft() * ratio, box.size() * ratio));
    };
    const auto resampled = [&](int scale, QSize size) {
        const TppPictureSource *source = nullptr;
        for (const TppPictureSource &each : logo.Sources())
            if (each.Scale == scale)
                source = &each;
        const TppBitmap pixels = platform::ScaleBitmapSmoothly(
            platform::DecodePictureSource(gkJpeg, *source), size.width(), size.height());
        QImage image(pixels.Width, pixels.Height, QImage::Format_ARGB32);
        for (int y = 0; y < pixels.Height; ++y)
            for (int x = 0; x < pixels.Width; ++x)
                image.setPixel(x, y, pixels.PixelAt(x, y));
        return image;
    };
    const auto meanDifference = [](const QImage &a, const QImage &b) {
        double sum = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                sum += std::abs(qRed(a.pixel(x, y)) - qRed(b.pixel(x, y)))
                    + std::abs(qGreen(a.pixel(x, y)) - qGreen(b.pixel(x, y)))
                    + std::abs(qBlue(a.pixel(x, y)) - qBlue(b.pixel(x, y)));
        return sum / (3.0 * a.width() * a.height());
    };

    // Shrunk or enlarged, at every zoom and density the drawn picture is the
    // finest source resampled smoothly, which the own pixels cannot give.
    const int finest = logo.Sources().back().Scale;
    QVERIFY(render(logo, 1, 100) != render(ownOnly, 1, 100));
    for (const auto &[ratio, percentage] :
         {std::pair{1.0, 100}, std::pair{1.0, 50}, std::pair{2.0, 100}, std::pair{1.0, 200}, std::pair{2.0, 150}}) {
        const QImage drawn = render(logo, ratio, percentage);
        const double toFine = meanDifference(drawn, resampled(finest, drawn.size()));
        const double toOwn = meanDifference(drawn, resampled(1, drawn.size()));
        QVERIFY2(toFine < 1.0 && toOwn > 3 * toFine,
                 qPrintable(QStringLiteral("ratio %1 at %2 %: %3 from the finer source, %4 from the own")
                                .arg(ratio).arg(percentage).arg(toFine).arg(toOwn)));
    }
}

void ScreenDeviceTest::stretchedJpegFillsItsRectangle()
{
    RecordingViewer viewer;
    TppScreenDevice device(&viewer);
    for (const auto zoom : {zs100Percent, zsWholePage, zsPercentage}) {
        viewer.zoom = zoom;
        viewer.percentage = 250;
        auto page = LetterPage();
        auto *image = static_cast<TppDrawImage *>(page->AddDrawCommand(std::make_unique<TppDrawImage>()));
        image->SetPicture(SolidJpeg(40, 20, QColor(200, 0, 0)));
        image->SetStretch(true);
        image->SetLeft(98690);
        image->SetTop(57679);
        image->SetWidth(93927);
        image->SetHeight(58208);
        Show(device, *page);
        const QRect box = Bounds(*device.CurrentPage().DrawCommands(0));
        const QImage pixels = PageImage(device);
        for (const QPoint corner : {box.topLeft(), box.topRight(), box.bottomLeft(), box.bottomRight(),
                                    box.center()})
            QVERIFY2(Near(pixels.pixel(corner), QColor(200, 0, 0)),
                     qPrintable(QStringLiteral("zoom %1 at %2,%3").arg(zoom).arg(corner.x()).arg(corner.y())));
        QCOMPARE(QColor(pixels.pixel(box.left() - 1, box.center().y())), QColor(Qt::white));
        QCOMPARE(QColor(pixels.pixel(box.right() + 1, box.center().y())), QColor(Qt::white));
        QCOMPARE(QColor(pixels.pixel(box.center().x(), box.bottom() + 1)), QColor(Qt::white));
    }
}

void ScreenDeviceTest::transparentPictureLetsPageShowThrough()
{
    RecordingViewer viewer;
    viewer.zoom = zs100Percent;
    TppScreenDevice device(&viewer);
    auto page = LetterPage();
    auto shape = std::make_unique<TppDrawShape>();
    shape->SetBrush(TppBrush{TppColor::FromRgb(0x0000C0), bsSolid});
    shape->SetLeft(20000);
    shape->SetTop(20000);
    shape->SetWidth(40000);
    shape->SetHeight(20000);
    page->AddDrawCommand(std::move(shape));
    for (bool transparent : {false, true}) {
        auto image = std::make_unique<TppDrawImage>();
        image->SetPicture(SolidJpeg(40, 20, QColor(255, 255, 0), true));
        image->SetStretch(true);
        image->SetTransparent(transparent);
        image->SetLeft(20000);
        image->SetTop(transparent ? 30000 : 20000);
        image->SetWidth(40000);
        image->SetHeight(10000);
        page->AddDrawCommand(std::move(image));
    }
    Show(device, *page);
    const QImage pixels = PageImage(device);
    const QRect opaque = Bounds(*device.CurrentPage().DrawCommands(1));
    const QRect transparent = Bounds(*device.CurrentPage().DrawCommands(2));
    const int y = opaque.center().y();
    const int ty = transparent.center().y();
    // Yellow AND blue is black; white AND blue is blue.
    QVERIFY(Near(pixels.pixel(opaque.left() + 5, y), QColor(255, 255, 0)));
    QVERIFY(Near(pixels.pixel(opaque.right() - 5, y), QColor(Qt::white)));
    QVERIFY(Near(pixels.pixel(transparent.left() + 5, ty), QColor(Qt::black)));
    QVERIFY(Near(pixels.pixel(transparent.right() - 5, ty), QColor(0, 0, 0xC0)));
}

void ScreenDeviceTest::linesDrawBandsOfOnePixelLines()
{
    RecordingViewer viewer;
    viewer.zoom = zs100Percent;
    TppScreenDevice device(&viewer);
    auto page = LetterPage();
    auto line = std::make_unique<TppDrawLine>();
    line->SetLinePosition(lpBottom);
    line->SetLineStyle(lsDouble);
    line->SetWeight(1.5f); // 2 pixels at 96 pixels per inch
    line->SetLeft(20000);
    line->SetTop(20000);
    line->SetWidth(40000);
    line->SetHeight(10000);
    page->AddDrawCommand(std::move(line));
    Show(device, *page);
    const TppDrawCommand &drawn = *device.CurrentPage().DrawCommands(0);
    // 20000 and 10000 thousandths: 76 + 38 pixels, one less for the bottom edge.
    QCOMPARE(drawn.DeviceBottom(), 76 + 38 + 24 - 1);
    const QImage pixels = PageImage(device);
    const int x = (drawn.DeviceLeft() + drawn.DeviceRight()) / 2;
    const int bottom = drawn.DeviceBottom();
    QList<bool> column;
    for (int y = bottom; y > bottom - 7; --y)
        column << IsDark(pixels.pixel(x, y));
    QCOMPARE(column, (QList<bool>{true, true, false, false, true, true, false}));
}

void ScreenDeviceTest::highDensityImageKeepsLogicalGeometry()
{
    RecordingViewer single;
    RecordingViewer dense;
    single.zoom = zs100Percent;
    dense.zoom = zs100Percent;
    dense.ratio = 2.0;
    TppScreenDevice singleDevice(&single);
    TppScreenDevice denseDevice(&dense);
    auto page = LetterPage();
    page->AddDrawCommand(MakeText("Tamaño de la Muestra", 29633, 21960, 35190, 3969));
    auto frame = std::make_unique<TppDrawShape>();
    frame->SetLeft(5821);
    frame->SetTop(18785);
    frame->SetWidth(83079);
    frame->SetHeight(17198);
    frame->SetBrush(TppBrush{clWhite, bsClear});
    page->AddDrawCommand(std::move(frame));
    Show(singleDevice, *page);
    Show(denseDevice, *page);

    QCOMPARE(denseDevice.PageImageRatio(), 2.0);
    QCOMPARE(denseDevice.PageImageWidth(), singleDevice.PageImageWidth());
    QCOMPARE(denseDevice.PageWidthPx(), singleDevice.PageWidthPx());
    QCOMPARE(denseDevice.CalculatedZoom(), singleDevice.CalculatedZoom());
    QCOMPARE(Bounds(*denseDevice.CurrentPage().DrawCommands(0)),
             Bounds(*singleDevice.CurrentPage().DrawCommands(0)));

    const QImage low = PageImage(singleDevice);
    const QImage high = PageImage(denseDevice);
    QCOMPARE(high.size(), low.size() * 2);
    // The frame's one-pixel edge is two sharp device pixels.
    const QRect box = Bounds(*denseDevice.CurrentPage().DrawCommands(1));
    const int y = 2 * box.center().y();
    QCOMPARE(QColor(high.pixel(2 * box.left(), y)), QColor(Qt::black));
    QCOMPARE(QColor(high.pixel(2 * box.left() + 1, y)), QColor(Qt::black));
    QCOMPARE(QColor(high.pixel(2 * box.left() + 2, y)), QColor(Qt::white));
    QCOMPARE(QColor(high.pixel(2 * box.left() - 1, y)), QColor(Qt::white));
    // The text is drawn at device resolution, not blown up: its ink takes
    // about twice the room, with detail a doubled image could not have.
    const QRect text = Bounds(*denseDevice.CurrentPage().DrawCommands(0));
    const QRect lowInk = InkBounds(low, text);
    const QRect highInk = InkBounds(high, QRect(text.topLeft() * 2, text.size() * 2));
    QVERIFY2(std::abs(highInk.width() - 2 * lowInk.width()) <= 4,
             qPrintable(QStringLiteral("%1 %2 %3 %4").arg(lowInk.width()).arg(highInk.width()).arg(text.width()).arg(text.height())));
    bool finerThanDoubled = false;
    for (int yy = highInk.top(); yy < highInk.bottom() && !finerThanDoubled; yy += 2)
        for (int x = highInk.left() & ~1; x < highInk.right(); x += 2)
            if (high.pixel(x, yy) != high.pixel(x + 1, yy) || high.pixel(x, yy) != high.pixel(x, yy + 1)) {
                finerThanDoubled = true;
                break;
            }
    QVERIFY(finerThanDoubled);
}

void ScreenDeviceTest::statusTextsOfAJob()
{
    EngineReport fixture;
    fixture.device.SetPublisher(nullptr);
    fixture.Pages(3);
    RecordingViewer viewer;
    viewer.report = fixture.report.get();
    TppScreenDevice device(&viewer);
    viewer.device = &device;
    device.SetPublisher(&fixture.report->Publisher());

    device.RequestPages();
    QCOMPARE(device.CurrentPageNo(), 1);
    QCOMPARE(viewer.pagesReady, 1);
    const std::string document = fixture.report->PrinterSetup().DocumentName();
    QCOMPARE(viewer.statuses.first(), QStringLiteral("Accessing data..."));
    QVERIFY(viewer.statuses.contains(QStringLiteral("Calculating page 1 for report %1")
                                         .arg(QString::fromStdString(document))));
    QCOMPARE(viewer.statuses.last(), QStringLiteral("Page 1"));

    device.LastPage();
    QCOMPARE(device.CurrentPageNo(), 3);
    // The job ends knowing the last page.
    QCOMPARE(viewer.statuses.last(), QStringLiteral("Page 3 of 3"));
    // Once the last page is known, pages are drawn "of" the count.
    viewer.statuses.clear();
    device.FirstPage();
    QCOMPARE(device.CurrentPageNo(), 1);
    QVERIFY(viewer.statuses.contains(QStringLiteral("Drawing page 1 of 3 for report %1")
                                         .arg(QString::fromStdString(document))));
    QCOMPARE(viewer.statuses.last(), QStringLiteral("Page 1 of 3"));
    device.SetPublisher(nullptr);
}

void ScreenDeviceTest::navigationNoOps()
{
    EngineReport fixture;
    fixture.device.SetPublisher(nullptr);
    fixture.Pages(4);
    RecordingViewer viewer;
    TppScreenDevice device(&viewer);
    device.SetPublisher(&fixture.report->Publisher());
    int requests = 0;
    fixture.report->OnPageRequest = [&](TppPublisher &, const TppPageRequest &) { ++requests; };

    device.RequestPages();
    QCOMPARE(requests, 1);
    device.GotoPage(3);
    QCOMPARE(device.CurrentPageNo(), 3);
    QCOMPARE(requests, 2);

    // The page on display.
    device.GotoPage(3);
    QCOMPARE(requests, 2);
    // During an open job.
    device.OpenJob();
    device.GotoPage(2);
    device.FirstPage();
    device.LastPage();
    QCOMPARE(requests, 2);
    device.CloseJob();
    // After an abandoned job, until the device is reset.
    device.OpenJob();
    device.AbandonJob();
    device.GotoPage(2);
    device.LastPage();
    QCOMPARE(requests, 2);
    device.ResetDevice();
    QCOMPARE(device.PageRequest().PageSetting(), psFirstPage);
    device.GotoPage(2);
    QCOMPARE(requests, 3);
    QCOMPARE(device.CurrentPageNo(), 2);
    // Beyond the end falls back to the last page.
    device.GotoPage(9);
    QCOMPARE(device.CurrentPageNo(), 4);
    QVERIFY(device.CurrentPage().LastPage());
    const int before = requests;
    device.LastPage();
    QCOMPARE(requests, before);
    device.SetPublisher(nullptr);
}

void ScreenDeviceTest::clickableCommandFoundByDeviceBounds()
{
    RecordingViewer viewer;
    viewer.zoom = zs100Percent;
    TppScreenDevice device(&viewer);
    auto page = LetterPage();
    page->AddDrawCommand(MakeText("plain", 20000, 20000, 30000, 5000));
    auto clickable = MakeText("click", 20000, 20000, 30000, 5000);
    clickable->SetClickable(true);
    page->AddDrawCommand(std::move(clickable));
    Show(device, *page);
    const TppDrawCommand &drawn = *device.CurrentPage().DrawCommands(1);
    QCOMPARE(device.FindClickableAt(drawn.DeviceLeft(), drawn.DeviceTop()), &drawn);
    QCOMPARE(device.FindClickableAt(drawn.DeviceRight(), drawn.DeviceBottom()), &drawn);
    QCOMPARE(device.FindClickableAt(drawn.DeviceRight() + 1, drawn.DeviceBottom()), nullptr);
    QCOMPARE(device.FindClickableAt(drawn.DeviceLeft(), drawn.DeviceTop() - 1), nullptr);
}

void ScreenDeviceTest::refreshTextBeforeAnyRenderingDoesNothing()
{
    TppScreenDevice device;
    auto text = MakeText("1", 0, 0, 5000, 5000);
    QVERIFY(device.RefreshText(*text));
    QVERIFY(!device.PageCanvas());

    RecordingViewer viewer;
    viewer.zoom = zs100Percent;
    TppScreenDevice shown(&viewer);
    auto page = LetterPage();
    Show(shown, *page);
    QVERIFY(text->Transparent());
    QVERIFY(shown.RefreshText(*text));
    QVERIFY(text->Transparent());
    QCOMPARE(viewer.copies.size(), 1);
    QCOMPARE(viewer.copies.first(), text->DeviceBounds());
    // Drawn opaque: its white background covers the paper's outline there.
    const QImage pixels = PageImage(shown);
    QCOMPARE(QColor(pixels.pixel(text->DeviceLeft(), text->DeviceTop())), QColor(Qt::white));
}

QTEST_MAIN(ScreenDeviceTest)
#include "screen_device_test.moc"
