#include "output/printer_capabilities.h"
#include "output/standard_papers.h"

#include <QtTest>

#include <string>
#include <vector>

// Normalisation of what drivers report, on lists as drivers give them. Runs
// without a screen: inch papers are converted at 96 pixels per inch.

using Names = std::vector<std::string>;
using Numbers = std::vector<std::int16_t>;
using Lengths = std::vector<std::int32_t>;

Q_DECLARE_METATYPE(Names)
Q_DECLARE_METATYPE(Numbers)
Q_DECLARE_METATYPE(Lengths)

class PrinterCapabilitiesTest : public QObject
{
    Q_OBJECT

private slots:
    void standardPapers_data();
    void standardPapers();
    void papers_data();
    void papers();
    void bins_data();
    void bins();
    void screenPrinter();
    void sizeLookupWithinOneMillimetre_data();
    void sizeLookupWithinOneMillimetre();
};

void PrinterCapabilitiesTest::standardPapers_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");

    QTest::newRow("Letter through screen pixels") << 1 << "Letter 8 1/2 x 11 in" << 2159 << 2794;
    QTest::newRow("Legal") << 5 << "Legal 8 12 x 14 in" << 2159 << 3556;
    QTest::newRow("A4 stored metric") << 9 << "A4 210 x 297 mm" << 2100 << 2970;
    QTest::newRow("A3") << 8 << "A3 297 x 420 mm" << 2970 << 4200;
    QTest::newRow("Envelope B6 wider than high") << 35 << "Envelope B6  176 x 125 mm" << 1760 << 1250;
    QTest::newRow("Envelope C3 name with leading blank") << 29 << " Envelope C3  324 x 458 mm" << 3240 << 4580;
    QTest::newRow("half as a Windows-1252 character") << 50 << QString::fromUtf8("Letter Extra 9 \u00bd x 12 in") << 2413 << 3048;
    QTest::newRow("118 has a name, no size") << 118 << "DMPAPER_A3_EXTRA_TRANSVERSE" << 0 << 0;
    QTest::newRow("Custom") << 256 << "Custom" << 0 << 0;
    QTest::newRow("not in the table") << 49 << "Unknown" << 0 << 0;
    QTest::newRow("negative") << -3 << "Unknown" << 0 << 0;
}

void PrinterCapabilitiesTest::standardPapers()
{
    QFETCH(int, number);
    QFETCH(QString, name);
    QFETCH(int, width);
    QFETCH(int, height);

    const TppStandardPaper paper = StandardPaper(number);
    QCOMPARE(QString::fromStdString(paper.name), name);
    QCOMPARE(paper.widthTenths, width);
    QCOMPARE(paper.heightTenths, height);
}

void PrinterCapabilitiesTest::papers_data()
{
    QTest::addColumn<Names>("names");
    QTest::addColumn<Numbers>("numbers");
    QTest::addColumn<Lengths>("widths");
    QTest::addColumn<Lengths>("heights");
    QTest::addColumn<Names>("expectedNames");
    QTest::addColumn<Numbers>("expectedNumbers");
    QTest::addColumn<Lengths>("expectedWidths");
    QTest::addColumn<Lengths>("expectedHeights");

    QTest::newRow("driver that cannot be asked")
        << Names{} << Numbers{} << Lengths{} << Lengths{}
        << Names{"Custom"} << Numbers{256} << Lengths{0} << Lengths{0};
    QTest::newRow("Custom added last")
        << Names{"A4", "Letter"} << Numbers{9, 1} << Lengths{2100, 2159} << Lengths{2970, 2794}
        << Names{"A4", "Letter", "Custom"} << Numbers{9, 1, 256} << Lengths{2100, 2159, 0} << Lengths{2970, 2794, 0};
    QTest::newRow("surplus names dropped")
        << Names{"A4", "Letter", "Stray"} << Numbers{9, 1} << Lengths{2100, 2159} << Lengths{2970, 2794}
        << Names{"A4", "Letter", "Custom"} << Numbers{9, 1, 256} << Lengths{2100, 2159, 0} << Lengths{2970, 2794, 0};
    QTest::newRow("fewer names than numbers: standard names")
        << Names{"Only one"} << Numbers{9, 1} << Lengths{2100, 2159} << Lengths{2970, 2794}
        << Names{"A4 210 x 297 mm", "Letter 8 1/2 x 11 in", "Custom"} << Numbers{9, 1, 256}
        << Lengths{2100, 2159, 0} << Lengths{2970, 2794, 0};
    QTest::newRow("number without a standard name is named by its size")
        << Names{} << Numbers{300} << Lengths{1058} << Lengths{1764}
        << Names{"105 x 176 mm", "Custom"} << Numbers{300, 256} << Lengths{1058, 0} << Lengths{1764, 0};
    QTest::newRow("unknown number without size is dropped")
        << Names{} << Numbers{301, 9} << Lengths{} << Lengths{}
        << Names{"A4 210 x 297 mm", "Custom"} << Numbers{9, 256} << Lengths{2100, 0} << Lengths{2970, 0};
    QTest::newRow("number 256 is Custom, moved last")
        << Names{"Whatever size", "A4"} << Numbers{256, 9} << Lengths{0, 2100} << Lengths{0, 2970}
        << Names{"A4", "Custom"} << Numbers{9, 256} << Lengths{2100, 0} << Lengths{2970, 0};
    QTest::newRow("a name with user becomes Custom")
        << Names{"User defined", "A5"} << Numbers{257, 11} << Lengths{0, 1480} << Lengths{0, 2100}
        << Names{"A5", "Custom"} << Numbers{11, 256} << Lengths{1480, 0} << Lengths{2100, 0};
    QTest::newRow("a name with custom in any case becomes Custom")
        << Names{"A5", "my CuStOm size"} << Numbers{11, 400} << Lengths{1480, 500} << Lengths{2100, 600}
        << Names{"A5", "Custom"} << Numbers{11, 256} << Lengths{1480, 500} << Lengths{2100, 600};
    QTest::newRow("missing sizes from the standard table")
        << Names{"A4", "Legal"} << Numbers{9, 5} << Lengths{0} << Lengths{}
        << Names{"A4", "Legal", "Custom"} << Numbers{9, 5, 256} << Lengths{2100, 2159, 0} << Lengths{2970, 3556, 0};
    QTest::newRow("zero-size paper without standard size dropped")
        << Names{"Roll", "A4"} << Numbers{280, 9} << Lengths{0, 2100} << Lengths{0, 2970}
        << Names{"A4", "Custom"} << Numbers{9, 256} << Lengths{2100, 0} << Lengths{2970, 0};
}

void PrinterCapabilitiesTest::papers()
{
    QFETCH(Names, names);
    QFETCH(Numbers, numbers);
    QFETCH(Lengths, widths);
    QFETCH(Lengths, heights);
    QFETCH(Names, expectedNames);
    QFETCH(Numbers, expectedNumbers);
    QFETCH(Lengths, expectedWidths);
    QFETCH(Lengths, expectedHeights);

    platform::SpoolerCapabilities driver;
    driver.paperNames = names;
    driver.paperNumbers = numbers;
    driver.paperWidths = widths;
    driver.paperHeights = heights;
    const TppPrinterCapabilities capabilities("Test", driver);

    QCOMPARE(capabilities.PaperNames(), expectedNames);
    QCOMPARE(capabilities.PaperNumbers(), expectedNumbers);
    QCOMPARE(capabilities.PaperWidths(), expectedWidths);
    QCOMPARE(capabilities.PaperHeights(), expectedHeights);
}

void PrinterCapabilitiesTest::bins_data()
{
    QTest::addColumn<Names>("names");
    QTest::addColumn<Numbers>("numbers");
    QTest::addColumn<Names>("expectedNames");
    QTest::addColumn<Numbers>("expectedNumbers");

    QTest::newRow("none") << Names{} << Numbers{} << Names{"Default"} << Numbers{7};
    QTest::newRow("Default put first")
        << Names{"Upper", "Manual Feed"} << Numbers{1, 4} << Names{"Default", "Upper", "Manual Feed"} << Numbers{7, 1, 4};
    QTest::newRow("a named Default stays where it is")
        << Names{"Upper", "Default"} << Numbers{1, 15} << Names{"Upper", "Default"} << Numbers{1, 15};
    QTest::newRow("surplus names trimmed")
        << Names{"Upper", "Lower", "Stray"} << Numbers{1, 2} << Names{"Default", "Upper", "Lower"} << Numbers{7, 1, 2};
    QTest::newRow("surplus numbers trimmed")
        << Names{"Upper"} << Numbers{1, 2, 3} << Names{"Default", "Upper"} << Numbers{7, 1};
}

void PrinterCapabilitiesTest::bins()
{
    QFETCH(Names, names);
    QFETCH(Numbers, numbers);
    QFETCH(Names, expectedNames);
    QFETCH(Numbers, expectedNumbers);

    platform::SpoolerCapabilities driver;
    driver.binNames = names;
    driver.binNumbers = numbers;
    const TppPrinterCapabilities capabilities("Test", driver);
    QCOMPARE(capabilities.BinNames(), expectedNames);
    QCOMPARE(capabilities.BinNumbers(), expectedNumbers);
}

void PrinterCapabilitiesTest::screenPrinter()
{
    const TppPrinterCapabilities screen = TppPrinterCapabilities::ForScreen();
    const Numbers numbers{1, 5, 8, 8, 9, 17, 39, 40, 19, 20, 21, 22, 23, 256};
    QCOMPARE(screen.PaperNumbers(), numbers);
    QCOMPARE(screen.PaperNames().size(), numbers.size());
    for (std::size_t i = 0; i + 1 < numbers.size(); ++i) {
        const TppStandardPaper standard = StandardPaper(numbers[i]);
        QCOMPARE(screen.PaperNames()[i], standard.name);
        QCOMPARE(screen.PaperWidths()[i], standard.widthTenths);
        QCOMPARE(screen.PaperHeights()[i], standard.heightTenths);
        QVERIFY(standard.widthTenths > 0);
    }
    QCOMPARE(screen.PaperNames().back(), std::string("Custom"));
    QCOMPARE(screen.BinNames(), Names{"Default"});
    QCOMPARE(screen.BinNumbers(), Numbers{7});
}

void PrinterCapabilitiesTest::sizeLookupWithinOneMillimetre_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<QString>("expected");

    QTest::newRow("exact") << 2100 << 2970 << "A4";
    QTest::newRow("1 mm off on both sides") << 2110 << 2960 << "A4";
    QTest::newRow("just over 1 mm") << 2111 << 2970 << "";
    QTest::newRow("first of two matches") << 2159 << 2794 << "Letter";
    QTest::newRow("landscape is not portrait") << 2970 << 2100 << "";
}

void PrinterCapabilitiesTest::sizeLookupWithinOneMillimetre()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(QString, expected);

    platform::SpoolerCapabilities driver;
    driver.paperNames = {"A4", "Letter", "Letter (Borderless)"};
    driver.paperNumbers = {9, 1, 1};
    driver.paperWidths = {2100, 2159, 2159};
    driver.paperHeights = {2970, 2794, 2794};
    const TppPrinterCapabilities capabilities("Test", driver);
    const int index = capabilities.PaperIndexOfSize(width, height);
    QCOMPARE(index >= 0 ? QString::fromStdString(capabilities.PaperNames()[index]) : QString(), expected);
}

QTEST_APPLESS_MAIN(PrinterCapabilitiesTest)
#include "printer_capabilities_test.moc"
