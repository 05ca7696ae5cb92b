// The preview on a screen of device pixel ratio 2: the page image holds
// twice the pixels each way while the zoom and every size stay in logical
// pixels, and the window shows those pixels one to one, so that text and
// frames are sharp.

#include "preview_driver.h"

#include "app/results_sheet.h"
#include "preview/preview_glyphs.h"
#include "preview/preview_registration.h"
#include "report/report.h"

#include <QScreen>
#include <QScrollBar>
#include <QToolButton>

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
    void toolBarGlyphsAtDevicePixels();
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

// A tool bar glyph has pixels of its own at the screen's density: its
// slopes are drawn with the finer pixels, not as the plain screen's pixels
// doubled (rows and columns in identical pairs).
void HighDensityPreviewTest::toolBarGlyphsAtDevicePixels()
{
    const auto doubled = [](const QImage &image) {
        for (int y = 0; y + 1 < image.height(); y += 2) {
            for (int x = 0; x + 1 < image.width(); x += 2) {
                const QRgb pixel = image.pixel(x, y);
                if (image.pixel(x + 1, y) != pixel || image.pixel(x, y + 1) != pixel || image.pixel(x + 1, y + 1) != pixel)
                    return false;
            }
        }
        return true;
    };
    for (const TppPreviewGlyph glyph : {TppPreviewGlyph::NextPage, TppPreviewGlyph::FirstPage, TppPreviewGlyph::Search}) {
        const QPixmap fine = PreviewGlyph(glyph);
        QCOMPARE(fine.size(), QSize(32, 32));
        QCOMPARE(fine.deviceIndependentSize(), QSizeF(16, 16));
        QVERIFY(!doubled(fine.toImage()));
        // The plain screen's glyph covers the same squares of the grid.
        const QImage plain = PreviewGlyph(glyph, 1.0).toImage();
        QCOMPARE(plain.size(), QSize(16, 16));
        const auto inked = [](const QImage &image, int grid) {
            QRect box;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    if (qAlpha(image.pixel(x, y)) > 128)
                        box |= QRect(x / grid, y / grid, 1, 1);
            return box;
        };
        const QRect plainBox = inked(plain, 1);
        const QRect fineBox = inked(fine.toImage(), 2);
        QVERIFY2(std::abs(plainBox.left() - fineBox.left()) <= 1 && std::abs(plainBox.right() - fineBox.right()) <= 1
                     && std::abs(plainBox.top() - fineBox.top()) <= 1 && std::abs(plainBox.bottom() - fineBox.bottom()) <= 1,
                 qPrintable(QStringLiteral("%1,%2 %3x%4 against %5,%6 %7x%8")
                                .arg(plainBox.x()).arg(plainBox.y()).arg(plainBox.width()).arg(plainBox.height())
                                .arg(fineBox.x()).arg(fineBox.y()).arg(fineBox.width()).arg(fineBox.height())));
    }

    TppPreviewRegistration registration;
    std::unique_ptr<TppReport> sheet = CreateResultsSheet();
    QSize buttonIcon;
    QSize drawnIcon;
    const PreviewRun run = RunPreview(*sheet, [&](TppPrintPreview &window) {
        auto *next = window.findChild<QToolButton *>(QStringLiteral("NextButton"));
        buttonIcon = next->iconSize();
        drawnIcon = next->icon().pixmap(next->iconSize(), 2.0).size();
    });
    QVERIFY(run.opened);
    QCOMPARE(buttonIcon, QSize(16, 16));
    QCOMPARE(drawnIcon, QSize(32, 32));
}
