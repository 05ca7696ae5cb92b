// The results sheet keeps every value inside the box its layout gives the
// value's label, on the generated page: short values keep the layout's font,
// long ones get a smaller font, and beyond the smallest one are shortened in
// the middle with their ends kept.

#include "app/results_sheet.h"
#include "output/draw_text.h"
#include "report/label.h"
#include "report/report.h"
#include "report/text_measuring.h"
#include "tests/report/engine_fixture.h"

#include <QtTest>

#include <memory>

namespace {

const TppDrawText *CommandOf(const TppPage &page, const TppComponent &component)
{
    for (int i = 0; i < page.DrawCommandCount(); ++i) {
        const auto *text = dynamic_cast<const TppDrawText *>(page.DrawCommands(i));
        if (text && text->Left() == 6350 + component.mmLeft() && text->Top() == 6350 + component.mmTop())
            return text;
    }
    return nullptr;
}

} // namespace

// The sheet's pictures live in a static library: naming them keeps them linked.
static void LinkPictures()
{
    Q_INIT_RESOURCE(pictures);
}

class SheetValueLabelsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void boxesAreTheLayouts();
    void valuesStayInTheirBoxes_data();
    void valuesStayInTheirBoxes();
    void shorterValueGetsTheLayoutsFontBack();

private:
    void generate();

    std::unique_ptr<TppReport> m_sheet;
    std::unique_ptr<PageKeepingDevice> m_device;
};

void SheetValueLabelsTest::initTestCase()
{
    LinkPictures();
    m_sheet = CreateResultsSheet();
    QVERIFY(m_sheet);
    m_device = std::make_unique<PageKeepingDevice>();
    m_device->SetPublisher(&m_sheet->Publisher());
}

void SheetValueLabelsTest::generate()
{
    m_device->pages.clear();
    m_device->Request(MakeRequest(psAll));
    QVERIFY(m_device->Last());
}

void SheetValueLabelsTest::boxesAreTheLayouts()
{
    // Read before any value is set: the widths the definition stores.
    auto sheet = CreateResultsSheet();
    for (const SheetValueBox &box : kSheetValueBoxes) {
        const TppComponent &label = SheetComponent(*sheet, box.name);
        QCOMPARE(label.mmWidth(), box.width);
        QCOMPARE(label.Font().Size(), kSheetValuePoints);
    }
}

void SheetValueLabelsTest::valuesStayInTheirBoxes_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("fits");  // at the layout's font size
    QTest::newRow("short") << "5" << true;
    QTest::newRow("sample size") << "384" << true;
    QTest::newRow("error of 0.0001") << "0.0001" << false;
    QTest::newRow("million") << "1000000" << false;
    QTest::newRow("pasted population") << "1.23456789012346E29" << false;
    QTest::newRow("tiny error") << "-1.23456789012346E-158" << false;
}

void SheetValueLabelsTest::valuesStayInTheirBoxes()
{
    QFETCH(QString, value);
    QFETCH(bool, fits);
    const std::string text = value.toStdString();

    // As the print button does: the values copied, then fitted.
    for (const SheetValueBox &box : kSheetValueBoxes)
        SheetComponent(*m_sheet, box.name).SetCaption(text);
    FitSheetValueLabels(*m_sheet);
    generate();

    TppTextMeasuring measuring(m_sheet->MeasuringCanvas());
    for (const SheetValueBox &box : kSheetValueBoxes) {
        const TppComponent &label = SheetComponent(*m_sheet, box.name);
        const TppDrawText *command = CommandOf(*m_device->Last(), label);
        QVERIFY2(command, box.name);
        measuring.Canvas().SetFont(command->Font());
        const std::int32_t width = measuring.Width(command->Text(), {});
        QVERIFY2(width <= box.width, qPrintable(QStringLiteral("%1: %2 > %3").arg(box.name).arg(width).arg(box.width)));
        QVERIFY(command->Width() <= box.width + 1);
        const int points = command->Font().Size();
        QVERIFY(points >= kSheetSmallestValuePoints);
        if (fits) {
            QCOMPARE(points, kSheetValuePoints);
            QCOMPARE(command->Text(), text);
        } else if (command->Text() == text) {
            QVERIFY(points < kSheetValuePoints);
        } else {
            // Shortened at the smallest size, keeping the first digit and
            // the exponent's last.
            QCOMPARE(points, kSheetSmallestValuePoints);
            QVERIFY(command->Text().find("\xE2\x80\xA6") != std::string::npos);
            QCOMPARE(command->Text().front(), text.front());
            QCOMPARE(command->Text().back(), text.back());
        }
    }
}

void SheetValueLabelsTest::shorterValueGetsTheLayoutsFontBack()
{
    TppComponent &label = SheetComponent(*m_sheet, "ppLabel7");
    label.SetCaption("1.23456789012346E29");
    FitSheetValueLabels(*m_sheet);
    QVERIFY(label.Font().Size() < kSheetValuePoints);
    label.SetCaption("100");
    FitSheetValueLabels(*m_sheet);
    QCOMPARE(label.Font().Size(), kSheetValuePoints);
    QCOMPARE(label.Caption(), std::string("100"));
    generate();
    QCOMPARE(CommandOf(*m_device->Last(), label)->Text(), std::string("100"));
}

QTEST_MAIN(SheetValueLabelsTest)
#include "sheet_value_labels_test.moc"
