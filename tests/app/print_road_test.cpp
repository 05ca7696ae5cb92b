// The whole print road as a user takes it: main screen, selection screen,
// CALCULAR, the results screen with a note, its print button, and the print
// preview showing the results sheet. The page image is read where the
// values, check marks and the note must be, and where the hidden population
// row must leave the paper blank.

#include "screen_driver.h"

#include "app/results_sheet.h"
#include "platform/units.h"
#include "preview/preview.h"
#include "preview/print_preview.h"
#include "preview/viewer.h"
#include "report/component.h"
#include "report/custom_memo.h"
#include "report/report.h"

#include <QPlainTextEdit>

#include <memory>

namespace {

// The rectangle of a sheet component on the page image at 100 %: the header
// band starts at the top margin, and its components are placed from the
// left margin.
QRect SheetRect(const TppReport &sheet, const char *name, int offset)
{
    const TppComponent &component = SheetComponent(sheet, name);
    const TppPageDef &page = sheet.PrinterSetup().PageDef();
    const auto px = [](std::int32_t v, TppResolutionAxis axis) {
        return int(MMThousandthsToUnits(v, utScreenPixels, axis));
    };
    const int left = px(page.mmMarginLeft + component.mmLeft(), raHorizontal) + offset;
    const int top = px(page.mmMarginTop + component.mmTop(), raVertical) + offset;
    return QRect(left, top, px(component.mmWidth(), raHorizontal), px(component.mmHeight(), raVertical));
}

QImage PageImage(const TppScreenDevice &device)
{
    const TppBitmap bitmap = platform::CanvasPixels(*device.PageCanvas());
    QImage image(bitmap.Width, bitmap.Height, QImage::Format_ARGB32);
    for (int y = 0; y < bitmap.Height; ++y)
        for (int x = 0; x < bitmap.Width; ++x)
            image.setPixel(x, y, bitmap.PixelAt(x, y));
    return image;
}

int CountPixels(const QImage &image, const QRect &area, const std::function<bool(QRgb)> &test)
{
    int count = 0;
    const QRect inside = area & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            count += test(image.pixel(x, y)) ? 1 : 0;
    return count;
}

bool Dark(QRgb pixel)
{
    return qGray(pixel) < 110;
}

bool Red(QRgb pixel)
{
    return qRed(pixel) > 150 && qGreen(pixel) < 110 && qBlue(pixel) < 110;
}


// The page image at 100 % against the sheet's layout.
void CheckSheetImage(const TppScreenDevice &device, const TppReport &sheet, Form3 &form3,
                     const QString &note, QList<int> &memoInk)
{
    const QImage image = PageImage(device);
    const int offset = device.PageOffsetX();
    QCOMPARE(device.CalculatedZoom(), 100);
    QCOMPARE(offset, 24);
    // Visible rows: the sample size, the error's value and check mark.
    QVERIFY(CountPixels(image, SheetRect(sheet, "ppLabel1", offset), Dark) > 10);
    QVERIFY(CountPixels(image, SheetRect(sheet, "ppLabel2", offset), Dark) > 5);
    QVERIFY(CountPixels(image, SheetRect(sheet, "ppLabel9", offset), Dark) > 20);
    QVERIFY(CountPixels(image, SheetRect(sheet, "ppImage3", offset), Red) > 20);
    QVERIFY(CountPixels(image, SheetRect(sheet, "ppImage4", offset), Red) > 20);
    // Not given by the user: the proportion row has no check mark.
    QVERIFY(CountPixels(image, SheetRect(sheet, "ppLabel4", offset), Dark) > 5);
    QCOMPARE(CountPixels(image, SheetRect(sheet, "ppImage5", offset), Red), 0);
    // The population was not considered: no caption, value or mark.
    QCOMPARE(CountPixels(image, SheetRect(sheet, "ppLabel14", offset), Dark), 0);
    QCOMPARE(CountPixels(image, SheetRect(sheet, "ppLabel7", offset), Dark), 0);
    QCOMPARE(CountPixels(image, SheetRect(sheet, "ppImage8", offset), Red), 0);
    // The note, as one entry however often the sheet is printed.
    memoInk << CountPixels(image, SheetRect(sheet, "ppMemo1", offset), Dark);
    const auto &memo = dynamic_cast<const TppCustomMemo &>(SheetComponent(sheet, "ppMemo1"));
    QCOMPARE(memo.Lines().size(), std::size_t(1));
    QCOMPARE(QString::fromStdString(memo.Lines().front()),
             QString(note).replace(QLatin1Char('\n'), QStringLiteral("\r\n")));
    QCOMPARE(QString::fromStdString(SheetComponent(sheet, "ppLabel1").Caption()),
             form3.ui.Label2->text());

}

} // namespace

class PrintRoadTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void printButtonOpensPreviewWithTheSheet();

private:
    std::unique_ptr<Application> m_app;
};

void PrintRoadTest::init()
{
    m_app = std::make_unique<Application>();
    m_app->showMainWindow();
    QVERIFY(QTest::qWaitForWindowActive(&m_app->form1()));
}

void PrintRoadTest::cleanup()
{
    m_app.reset();
}

void PrintRoadTest::printButtonOpensPreviewWithTheSheet()
{
    QVERIFY(ShowSelectionScreen(*m_app));
    Form3 &form3 = m_app->form3();
    TppReport &sheet = form3.ppReport1();
    const QString note = QStringLiteral("Encuesta de hogares\nSegunda línea de la nota");

    int step = 0;
    int previews = 0;
    QStringList messages;
    QList<int> memoInk;
    QTimer boxes;
    boxes.setInterval(5);
    connect(&boxes, &QTimer::timeout, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            messages << box->text();
            box->accept();
        }
    });
    boxes.start();

    QTimer poll;
    poll.setInterval(5);
    bool acting = false;
    connect(&poll, &QTimer::timeout, [&] {
        if (acting)
            return;
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || QApplication::activeWindow() != modal)
            return;
        acting = true;
        if (modal == &form3 && (step == 0 || step == 2)) {
            if (step == 0)
                form3.ui.Memo1->setPlainText(note);
            ++step;
            QTimer::singleShot(0, &form3, [&] { QTest::mouseClick(form3.ui.BitBtn1, Qt::LeftButton); });
        } else if (modal == &form3 && step == 4) {
            ++step;
            form3.close();
        } else if (auto *preview = dynamic_cast<TppPrintPreview *>(modal);
                   preview && (step == 1 || step == 3) && !preview->Viewer().Busy()
                   && preview->Viewer().CurrentPageNo() == 1) {
            ++previews;
            TppViewer &viewer = preview->Viewer();
            QTest::mouseClick(static_cast<TppPreview &>(preview->Preview()).HundredPercentButton(),
                              Qt::LeftButton);
            CheckSheetImage(viewer.ScreenDevice(), sheet, form3, note, memoInk);

            // Printing again while the preview is open does nothing.
            TppCustomPreviewer *open = sheet.PreviewForm();
            form3.ui.BitBtn1->click();
            QCOMPARE(sheet.PreviewForm(), open);
            QCOMPARE(QApplication::activeModalWidget(), modal);

            ++step;
            preview->close();
        }
        acting = false;
    });
    poll.start();
    QTest::mouseClick(m_app->form2().ui.BitBtn3, Qt::LeftButton);
    poll.stop();
    boxes.stop();

    QCOMPARE(step, 5);
    QCOMPARE(previews, 2);
    QVERIFY(messages.isEmpty());
    QCOMPARE(memoInk.size(), 2);
    QVERIFY(memoInk[0] > 50);
    QCOMPARE(memoInk[1], memoInk[0]);
    QCOMPARE(form3.ui.Memo1->toPlainText(), note);
    QVERIFY(!sheet.Producing());
}

QTEST_MAIN(PrintRoadTest)
#include "print_road_test.moc"
