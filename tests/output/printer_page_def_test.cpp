#include "output/page_def.h"

#include <QtTest>

// The sheet's derived values; runs without a screen, so screen pixels are at
// 96 per inch. Pixel sizes are the rounded conversion, then truncated.
class PrinterPageDefTest : public QObject
{
    Q_OBJECT

private slots:
    void derivedValues_data();
    void derivedValues();
    void equalityAndAssignment();
};

void PrinterPageDefTest::derivedValues_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("bottom");
    QTest::addColumn<int>("printableWidthPixels");
    QTest::addColumn<int>("paperWidthPixels");
    QTest::addColumn<int>("paperHeightPixels");

    QTest::newRow("Letter, quarter-inch margins") << 215900 << 279401 << 6350 << 6350 << 6350 << 6350 << 768 << 816 << 1056;
    QTest::newRow("A4, quarter-inch margins") << 210000 << 297000 << 6350 << 6350 << 6350 << 6350 << 746 << 794 << 1123;
    QTest::newRow("no margins") << 25400 << 50800 << 0 << 0 << 0 << 0 << 96 << 96 << 192;
    QTest::newRow("margins wider than the paper") << 10000 << 10000 << 8000 << 8000 << 0 << 0 << -23 << 38 << 38;
}

void PrinterPageDefTest::derivedValues()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, left);
    QFETCH(int, right);
    QFETCH(int, top);
    QFETCH(int, bottom);
    QFETCH(int, printableWidthPixels);
    QFETCH(int, paperWidthPixels);
    QFETCH(int, paperHeightPixels);

    TppPageDef page;
    page.mmWidth = width;
    page.mmHeight = height;
    page.mmMarginLeft = left;
    page.mmMarginRight = right;
    page.mmMarginTop = top;
    page.mmMarginBottom = bottom;

    QCOMPARE(page.PrintableRect(), (TppSheetRect{left, top, width - right, height - bottom}));
    QCOMPARE(page.PrintableWidth(), width - left - right);
    QCOMPARE(page.PrintableHeight(), height - top - bottom);
    QCOMPARE(page.spPrintableWidth(), printableWidthPixels);
    QCOMPARE(page.spPaperWidth(), paperWidthPixels);
    QCOMPARE(page.spPaperHeight(), paperHeightPixels);
}

void PrinterPageDefTest::equalityAndAssignment()
{
    TppPageDef a;
    a.mmWidth = 1;
    a.mmHeight = 2;
    a.mmMarginLeft = 3;
    a.mmMarginRight = 4;
    a.mmMarginTop = 5;
    a.mmMarginBottom = 6;
    TppPageDef b;
    QVERIFY(!(a == b));
    b.Assign(a);
    QVERIFY(a == b);
    for (std::int32_t TppPageDef::*field : {&TppPageDef::mmHeight, &TppPageDef::mmWidth, &TppPageDef::mmMarginLeft,
                                            &TppPageDef::mmMarginRight, &TppPageDef::mmMarginTop, &TppPageDef::mmMarginBottom}) {
        TppPageDef c = a;
        c.*field += 1;
        QVERIFY(!(c == a));
    }
}

QTEST_APPLESS_MAIN(PrinterPageDefTest)
#include "printer_page_def_test.moc"
