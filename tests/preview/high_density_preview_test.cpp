// The preview on a screen of device pixel ratio 2: the page image holds
// twice the pixels each way while the zoom and every size stay in logical
// pixels, and the window shows those pixels one to one, so that text and
// frames are sharp.

#include "preview_driver.h"

#include "app/results_sheet.h"
#include "preview/preview_registration.h"
#include "report/report.h"

#include <QScreen>
#include <QScrollBar>

#include <memory>

static void LoadResources()
{
    Q_INIT_RESOURCE(pictures);
    Q_INIT_RESOURCE(definitions);
}

class HighDensityPreviewTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void pageImageAtDevicePixels();
};

void HighDensityPreviewTest::initTestCase()
{
    LoadResources();
    QCOMPARE(qApp->devicePixelRatio(), 2.0);
}

void HighDensityPreviewTest::pageImageAtDevicePixels()
{
    TppPreviewRegistration registration;
    std::unique_ptr<TppReport> sheet = CreateResultsSheet();
    const PreviewRun run = RunPreview(*sheet, [](TppPrintPreview &window) {
        TppViewer &viewer = window.Viewer();
        QCOMPARE(viewer.DevicePixelRatio(), 2.0);
        const TppScreenDevice &device = viewer.ScreenDevice();
        // Logical geometry as on any screen.
        QCOMPARE(window.size(), QSize(547, 323));
        QCOMPARE(device.PageImageWidth(), viewer.ScrollArea()->width());
        QCOMPARE(device.PageImageHeight(), viewer.ScrollArea()->height());
        const int wholePageZoom = device.CalculatedZoom();
        QCOMPARE(wholePageZoom, qRound(double(viewer.ScrollArea()->height() - 24) / 1056 * 100));

        QTest::mouseClick(PreviewOf(window).HundredPercentButton(), Qt::LeftButton);
        QCOMPARE(device.CalculatedZoom(), 100);
        QCOMPARE(device.PageWidthPx(), 816);
        const QImage image = ViewerImage(window);
        QCOMPARE(image.devicePixelRatio(), 2.0);
        QCOMPARE(image.size(), QSize(2 * 864, 2 * 1104));
        // The paper's one-pixel outline covers two device pixels, no more.
        const int y = 2 * 500;
        QCOMPARE(image.pixel(2 * 24, y), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(2 * 24 + 1, y), qRgb(0, 0, 0));
        QVERIFY(image.pixel(2 * 24 + 2, y) != qRgb(0, 0, 0));
        QVERIFY(image.pixel(2 * 24 - 1, y) != qRgb(0, 0, 0));

        // What the window shows is the image, device pixel for pixel.
        viewer.ScrollArea()->horizontalScrollBar()->setValue(0);
        viewer.ScrollArea()->verticalScrollBar()->setValue(0);
        const QPixmap shown = viewer.PageSurface()->grab(QRect(0, 0, 200, 150));
        QCOMPARE(shown.devicePixelRatio(), 2.0);
        const QImage shownImage = shown.toImage().convertToFormat(QImage::Format_RGB32);
        const QImage expected = image.copy(0, 0, 400, 300).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shownImage.size(), expected.size());
        int differing = 0;
        for (int yy = 0; yy < expected.height(); ++yy)
            for (int x = 0; x < expected.width(); ++x)
                differing += shownImage.pixel(x, yy) != expected.pixel(x, yy) ? 1 : 0;
        QCOMPARE(differing, 0);
    });
    QVERIFY(run.opened);
    QVERIFY(run.messages.isEmpty());
}

int main(int argc, char **argv)
{
    // A high-density screen, whatever the display says.
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    HighDensityPreviewTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "high_density_preview_test.moc"
