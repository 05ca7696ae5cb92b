// The scenarios sheet on paper: printed from the scenarios window through
// the preview and the print dialog onto the private PDF queue, then read
// back. Its text holds the user's values, every row of the table with the
// user's cell marked, the cost column and, for refused cells, the
// calculation's messages; the curve is a picture made at the printer's
// resolution, and its lines and the user's point are on the paper.

#include "app/results_sheet.h"
#include "app/scenarios_model.h"
#include "app/scenarios_sheet.h"
#include "app/scenarios_table.h"
#include "app/scenarios_window.h"
#include "app/locale_number.h"
#include "app/screen_font.h"
#include "calc/sample_size.h"
#include "output/printer_list.h"
#include "platform/canvas.h"
#include "preview/print_preview.h"
#include "preview/print_registration.h"
#include "preview/preview_registration.h"
#include "preview/viewer.h"
#include "report/component.h"
#include "report/image.h"
#include "report/report.h"

#include "../support/printed_output.h"
#include "scenario_calculation.h"
#include "screen_driver.h"

#include <QApplication>
#include <QPrinterInfo>
#include <QTimer>
#include <QtTest>

namespace {

// The widths of the pictures of page 1, from pdfimages.
QList<int> PictureWidths(const QString &file)
{
    QByteArray out;
    printed::Run(QStringLiteral("pdfimages"), {"-list", "-f", "1", "-l", "1", file}, &out);
    QList<int> widths;
    const QStringList lines = QString::fromUtf8(out).split(QLatin1Char('\n'));
    for (int i = 2; i < lines.size(); ++i) {
        const QStringList fields = lines[i].simplified().split(QLatin1Char(' '));
        if (fields.size() > 4)
            widths << fields[3].toInt();
    }
    return widths;
}

bool Coloured(QRgb pixel)
{
    return std::max({qRed(pixel), qGreen(pixel), qBlue(pixel)}) - std::min({qRed(pixel), qGreen(pixel), qBlue(pixel)}) > 80;
}

} // namespace

class ScenariosSheetTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void printedFromTheWindow_data();
    void printedFromTheWindow();

private:
    TppPreviewRegistration m_previewClasses;
    TppPrintRegistration m_printClasses;
    std::unique_ptr<printed::TestQueue> m_queue;
};

void ScenariosSheetTest::initTestCase()
{
    if (!printed::PrintServerRunning() || !QPrinterInfo::availablePrinterNames().contains(QStringLiteral("ValdoraPDF")))
        QSKIP("needs the private print server of scripts/test-services.sh");
    Q_INIT_RESOURCE(pictures);
    UseScreenFontSubstitutes();
    // The test runs in two locales at once: a queue each.
    m_queue = std::make_unique<printed::TestQueue>(QStringLiteral("ValdoraScenarios")
                                                   + (QLocale().decimalPoint() == QLatin1String(",") ? "Comma" : "Point"));
    QVERIFY(m_queue->Created());
    TppPrinterList::Instance().Refresh();
}

void ScenariosSheetTest::init()
{
    m_queue->Enable();
    m_queue->ForgetOutput();
}

void ScenariosSheetTest::printedFromTheWindow_data()
{
    QTest::addColumn<double>("population");
    QTest::addColumn<QString>("cost");   // with a point for the decimal separator
    QTest::addColumn<bool>("refused");

    QTest::newRow("with a cost") << 5000.0 << "12.5" << false;
    // A population of one: every cell is refused, and the sheet says why.
    QTest::newRow("refused cells") << 1.0 << "" << true;
}

void ScenariosSheetTest::printedFromTheWindow()
{
    QFETCH(double, population);
    QFETCH(QString, cost);
    QFETCH(bool, refused);

    ScenariosWindow window;
    SampleSizeParams user = ScenarioInputs(population);
    if (!refused)
        ComputeSampleSize(user);
    window.setCalculation(user);
    window.ui.costField->setText(QString(cost).replace(QLatin1Char('.'), QLatin1Char(DecimalSeparator())));
    TppReport &sheet = window.sheet();
    sheet.PrinterSetup().SetPrinterName(m_queue->StdName());
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));

    // Imprimir by its mnemonic, the preview, Ctrl+P, OK in the print dialog,
    // Escape.
    const QString caption = window.ui.printButton->text();
    const auto mnemonic = Qt::Key(caption.at(caption.indexOf(QLatin1Char('&')) + 1).toUpper().unicode());
    QStringList road;
    QImage previewPage;
    int pending = 0;
    int pendingBeforePrinting = 0;
    bool acting = false;
    QTimer poll;
    poll.setInterval(10);
    connect(&poll, &QTimer::timeout, [&] {
        QWidget *active = QApplication::activeWindow();
        if (acting || !active || !active->isVisible())
            return;
        acting = true;
        const QString last = road.isEmpty() ? QString() : road.last();
        if (active == &window && last.isEmpty()) {
            road << "Imprimir";
            PressLater(&window, mnemonic, pending, Qt::AltModifier);
        } else if (StepThroughPreviewPrint(active, "Imprimir", road, pending, pendingBeforePrinting)) {
        } else if (active == &window && last == "Escape") {
            road << "back";
        }
        acting = false;
    });
    poll.start();
    QTRY_VERIFY_WITH_TIMEOUT(road.endsWith(QStringLiteral("back")), 60000);
    poll.stop();
    QCOMPARE(road, (QStringList{"Imprimir", "Ctrl+P", "OK", "Escape", "back"}));

    QVERIFY(m_queue->WaitForOutput());
    const QString file = m_queue->OutputFile();
    QCOMPARE(printed::PdfPageCount(file), 1);
    // Compared without blanks: the text extraction spaces columns as it
    // sees fit.
    const QString text = printed::PdfPageTexts(file).value(0).remove(QLatin1Char(' '));
    const ScenarioTable &table = window.model().table();
    const char separator = DecimalSeparator();

    // The user's values and every row's error.
    QVERIFY2(text.contains(QStringLiteral("VALDORA")), qPrintable(text));
    QVERIFY2(text.contains(QString::number(population)), qPrintable(text));
    for (const ScenarioRow &row : table.Rows())
        QVERIFY2(text.contains(QString::fromStdString(ErrorPercentText(row.ErrorFraction, separator)) + QStringLiteral("%")),
                 qPrintable(text));
    if (!refused) {
        // Every size, the user's marked, and the cost of the user's row.
        QCOMPARE(table.Cell(table.UserRow(), table.UserColumn()).SampleSize, 440);
        QVERIFY2(text.contains(QStringLiteral("»440«")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral(":440")), qPrintable(text));  // among the user's values
        for (const ScenarioRow &row : table.Rows())
            for (const ScenarioCell &cell : row.Cells)
                QVERIFY2(text.contains(QString::number(cell.SampleSize)), qPrintable(text));
        QVERIFY2(text.contains(QLocale::system().toString(5500.0, 'f', 2).remove(QLatin1Char(' '))), qPrintable(text));
    } else {
        QVERIFY2(text.contains(QStringLiteral("(1)Floatingpointdivisionbyzero")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("»(1)«")), qPrintable(text));
    }

    // The curve is printed from its encoding at the printer's resolution:
    // as many pixels across as its box holds at that resolution.
    const platform::Canvas *printer = sheet.MeasuringCanvas();
    QVERIFY(printer);
    const int scale = ChartPrintScale(printer->PixelsPerInchX());
    QVERIFY(scale >= 3);
    const TppComponent &chart = SheetComponent(sheet, "ppImage1");
    const auto *picture = dynamic_cast<const TppImage *>(&chart);
    QVERIFY(picture);
    QCOMPARE(int(picture->Picture().Sources().size()), 2);
    const TppPictureSource &fine = picture->Picture().Sources().back();
    QCOMPARE(fine.Scale, scale);
    QCOMPARE(fine.Width, picture->Picture().Width() * scale);
    const QList<int> widths = PictureWidths(file);
    QVERIFY2(widths.contains(fine.Width),
             qPrintable(QStringLiteral("expected %1 across, pictures %2").arg(fine.Width).arg(
                 [&] { QStringList l; for (int w : widths) l << QString::number(w); return l.join(','); }())));

    // On paper the curve's box holds coloured lines, and, unless every
    // cell is refused, the user's red point.
    constexpr int kDpi = 100;
    const QImage paper = printed::RasterisePage(file, 1, kDpi);
    QVERIFY(!paper.isNull());
    const auto toPaper = [&](std::int32_t thousandths) { return int(thousandths / 25400.0 * kDpi); };
    const TppPageDef &page = sheet.PrinterSetup().PageDef();
    const QRect box(toPaper(page.mmMarginLeft + chart.mmLeft()), toPaper(page.mmMarginTop + chart.mmTop()),
                    toPaper(chart.mmWidth()), toPaper(chart.mmHeight()));
    const QImage curve = paper.copy(box);
    int coloured = 0;
    for (int y = 0; y < curve.height(); ++y)
        for (int x = 0; x < curve.width(); ++x)
            coloured += Coloured(curve.pixel(x, y)) ? 1 : 0;
    if (refused) {
        QVERIFY2(coloured < 200, qPrintable(QString::number(coloured)));  // the legend's markers only
    } else {
        QVERIFY2(coloured > 1500, qPrintable(QString::number(coloured)));
        QVERIFY(!printed::BoundingBox(curve, printed::IsReddish).isNull());
    }
    // Nothing of the curve spills outside its box.
    QVERIFY(printed::BoundingBox(paper.copy(0, box.bottom() + 3, paper.width(), paper.height() - box.bottom() - 3),
                                 Coloured).isNull());
}

QTEST_MAIN(ScenariosSheetTest)
#include "scenarios_sheet_locale_test.moc"
