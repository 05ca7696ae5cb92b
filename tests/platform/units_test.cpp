#include "platform/units.h"

#include <QRandomGenerator>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

// Runs without a GUI application, so the screen resolution is the 96 pixels
// per inch the stored definitions were laid out at.

namespace {

// A printer whose drawing context is described by the test, for resolutions
// that no test queue offers (600 by 300 pixels per inch).
class FixedResolutionPrinter : public TppResolutionSource
{
public:
    FixedResolutionPrinter(bool hasDeviceContext, int x, int y)
        : m_hasDeviceContext(hasDeviceContext), m_x(x), m_y(y) {}
    bool HasDeviceContext() const override { return m_hasDeviceContext; }
    int PixelsPerInchX() const override { return m_x; }
    int PixelsPerInchY() const override { return m_y; }

private:
    bool m_hasDeviceContext;
    int m_x;
    int m_y;
};

constexpr auto kUnknownUnit = static_cast<TppUnitType>(7);
constexpr std::int32_t kMaxLength = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMinLength = std::numeric_limits<std::int32_t>::min();

QByteArray Exact(float value)
{
    return QByteArray::number(double(value), 'g', 9);
}

} // namespace

Q_DECLARE_METATYPE(TppUnitType)
Q_DECLARE_METATYPE(std::int32_t)

class UnitsTest : public QObject
{
    Q_OBJECT

private slots:
    void screenResolutionWithoutScreen();

    void toUnits_data();
    void toUnits();
    void toThousandths_data();
    void toThousandths();
    void screenPixelsRoundTrip();

    void tenthsToUnits_data();
    void tenthsToUnits();
    void unitsToTenths_data();
    void unitsToTenths();
    void paperSizeThroughScreenPixels_data();
    void paperSizeThroughScreenPixels();

    void printerResolution_data();
    void printerResolution();
    void unknownUnitTypeGivesZero();
    void pixelBoundAgreesWithConversion_data();
    void pixelBoundAgreesWithConversion();
};

void UnitsTest::screenResolutionWithoutScreen()
{
    QCOMPARE(ScreenPixelsPerInch(), 96);
    QCOMPARE(PrinterPixelsPerInch(raVertical, nullptr), 96);
}

void UnitsTest::toUnits_data()
{
    QTest::addColumn<std::int32_t>("thousandths");
    QTest::addColumn<TppUnitType>("unitType");
    QTest::addColumn<float>("expected");

    QTest::newRow("one inch") << 25400 << utInches << 1.0f;
    QTest::newRow("minus one inch") << -25400 << utInches << -1.0f;
    QTest::newRow("inches to four decimals") << 3969 << utInches << 0.1563f;
    QTest::newRow("zero inches") << 0 << utInches << 0.0f;
    QTest::newRow("15 pixels") << 3969 << utScreenPixels << 15.0f;
    QTest::newRow("50 pixels") << 13229 << utScreenPixels << 50.0f;
    QTest::newRow("quarter inch is 24 pixels") << 6350 << utScreenPixels << 24.0f;
    QTest::newRow("minus 15 pixels") << -3969 << utScreenPixels << -15.0f;
    QTest::newRow("millimetres unrounded") << 1234 << utMillimeters << 1.234f;
    QTest::newRow("thousandths as they are") << 1234 << utMMThousandths << 1234.0f;
    QTest::newRow("largest length in millimetres") << kMaxLength << utMillimeters << 2147483.647f;
    QTest::newRow("printer without printer is the screen") << 3969 << utPrinterPixels << 15.0f;
}

void UnitsTest::toUnits()
{
    QFETCH(std::int32_t, thousandths);
    QFETCH(TppUnitType, unitType);
    QFETCH(float, expected);

    const float result = MMThousandthsToUnits(thousandths, unitType, raVertical);
    QCOMPARE(Exact(result), Exact(expected));
}

void UnitsTest::toThousandths_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<TppUnitType>("unitType");
    QTest::addColumn<std::int32_t>("expected");

    QTest::newRow("one inch") << 1.0f << utInches << 25400;
    QTest::newRow("eleven inches is not 279400") << 11.0f << utInches << 279401;
    QTest::newRow("minus one inch") << -1.0f << utInches << -25400;
    QTest::newRow("15 pixels") << 15.0f << utScreenPixels << 3969;
    QTest::newRow("50 pixels") << 50.0f << utScreenPixels << 13229;
    QTest::newRow("24 pixels") << 24.0f << utScreenPixels << 6350;
    QTest::newRow("millimetres") << 1.234f << utMillimeters << 1234;
    QTest::newRow("thousandths truncate") << 2.7f << utMMThousandths << 2;
    QTest::newRow("negative thousandths truncate toward zero") << -2.7f << utMMThousandths << -2;
    QTest::newRow("huge inches clamp") << 1e30f << utInches << kMaxLength;
    QTest::newRow("huge negative millimetres clamp") << -1e30f << utMillimeters << kMinLength;
    QTest::newRow("infinite pixels clamp") << std::numeric_limits<float>::infinity() << utScreenPixels << kMaxLength;
    QTest::newRow("not a number gives 0") << std::numeric_limits<float>::quiet_NaN() << utInches << 0;
}

void UnitsTest::toThousandths()
{
    QFETCH(float, value);
    QFETCH(TppUnitType, unitType);
    QFETCH(std::int32_t, expected);

    QCOMPARE(UnitsToMMThousandths(value, unitType, raVertical), expected);
}

void UnitsTest::screenPixelsRoundTrip()
{
    // Stored definitions hold whole screen pixels; each must come back whole.
    for (std::int32_t pixels = -500; pixels <= 3000; ++pixels) {
        const float thousandths = ScreenPixelsToUnits(pixels, utMMThousandths, raVertical);
        QCOMPARE(UnitsToScreenPixels(utMMThousandths, raVertical, nullptr, thousandths), pixels);
        const float inches = ScreenPixelsToUnits(pixels, utInches, raHorizontal);
        QCOMPARE(UnitsToScreenPixels(utInches, raHorizontal, nullptr, inches), pixels);
    }
}

void UnitsTest::tenthsToUnits_data()
{
    QTest::addColumn<std::int32_t>("tenths");
    QTest::addColumn<TppUnitType>("unitType");
    QTest::addColumn<float>("expected");

    QTest::newRow("Letter height in millimetres") << 2794 << utMillimeters << 279.0f;
    QTest::newRow("rounds up to whole millimetres") << 2796 << utMillimeters << 280.0f;
    QTest::newRow("half millimetre to even, up") << 2795 << utMillimeters << 280.0f;
    QTest::newRow("half millimetre to even, down") << 2785 << utMillimeters << 278.0f;
    QTest::newRow("Letter height in thousandths") << 2794 << utMMThousandths << 279400.0f;
    QTest::newRow("Letter height in screen pixels") << 2794 << utScreenPixels << 1056.0f;
    QTest::newRow("Letter width in screen pixels") << 2159 << utScreenPixels << 816.0f;
    QTest::newRow("Letter height in inches") << 2794 << utInches << 11.0f;
    QTest::newRow("Letter width in inches") << 2159 << utInches << 8.5f;
    QTest::newRow("A4 width in inches via 794 pixels") << 2100 << utInches << 8.2708f;
}

void UnitsTest::tenthsToUnits()
{
    QFETCH(std::int32_t, tenths);
    QFETCH(TppUnitType, unitType);
    QFETCH(float, expected);

    QCOMPARE(Exact(TenthsMMToUnits(tenths, unitType, raVertical)), Exact(expected));
}

void UnitsTest::unitsToTenths_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<TppUnitType>("unitType");
    QTest::addColumn<std::int32_t>("expected");

    QTest::newRow("thousandths, half to even down") << 250.0f << utMMThousandths << 2;
    QTest::newRow("thousandths, half to even up") << 350.0f << utMMThousandths << 4;
    QTest::newRow("thousandths of Letter") << 279400.0f << utMMThousandths << 2794;
    QTest::newRow("millimetres") << 27.94f << utMillimeters << 279;
    QTest::newRow("millimetres, whole") << 210.0f << utMillimeters << 2100;
    QTest::newRow("inches through pixels") << 11.0f << utInches << 2794;
    QTest::newRow("inches, half") << 8.5f << utInches << 2159;
    QTest::newRow("screen pixels truncate") << 1056.0f << utScreenPixels << 2794;
    QTest::newRow("negative screen pixels truncate toward zero") << -1056.0f << utScreenPixels << -2794;
    QTest::newRow("printer pixels without printer") << 1056.0f << utPrinterPixels << 2794;
}

void UnitsTest::unitsToTenths()
{
    QFETCH(float, value);
    QFETCH(TppUnitType, unitType);
    QFETCH(std::int32_t, expected);

    QCOMPARE(UnitsToTenthsMM(unitType, raVertical, nullptr, value), expected);
}

void UnitsTest::paperSizeThroughScreenPixels_data()
{
    QTest::addColumn<std::int32_t>("tenths");
    QTest::addColumn<std::int32_t>("pixels");
    QTest::addColumn<std::int32_t>("stored");

    QTest::newRow("Letter height") << 2794 << 1056 << 279401;
    QTest::newRow("Letter width") << 2159 << 816 << 215900;
}

void UnitsTest::paperSizeThroughScreenPixels()
{
    QFETCH(std::int32_t, tenths);
    QFETCH(std::int32_t, pixels);
    QFETCH(std::int32_t, stored);

    // A paper size the driver reports, shown in inches and written back.
    const float inches = TenthsMMToUnits(tenths, utInches, raVertical);
    QCOMPARE(UnitsToScreenPixels(utInches, raVertical, nullptr, inches), pixels);
    QCOMPARE(UnitsToMMThousandths(inches, utInches, raVertical), stored);
}

void UnitsTest::printerResolution_data()
{
    QTest::addColumn<bool>("hasDeviceContext");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("horizontal");
    QTest::addColumn<int>("vertical");

    QTest::newRow("device context, 600 by 300") << true << 600 << 300 << 600 << 300;
    QTest::newRow("no device context is the screen") << false << 600 << 300 << 96 << 96;
    QTest::newRow("no resolution reported is the screen") << true << 0 << -1 << 96 << 96;
}

void UnitsTest::printerResolution()
{
    QFETCH(bool, hasDeviceContext);
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(int, horizontal);
    QFETCH(int, vertical);

    const FixedResolutionPrinter printer(hasDeviceContext, x, y);
    QCOMPARE(PrinterPixelsPerInch(raHorizontal, &printer), horizontal);
    QCOMPARE(PrinterPixelsPerInch(raVertical, &printer), vertical);

    // One inch in printer pixels on each axis, and back.
    QCOMPARE(MMThousandthsToUnits(25400, utPrinterPixels, raHorizontal, &printer), float(horizontal));
    QCOMPARE(MMThousandthsToUnits(25400, utPrinterPixels, raVertical, &printer), float(vertical));
    QCOMPARE(UnitsToMMThousandths(float(vertical), utPrinterPixels, raVertical, &printer), 25400);
    QCOMPARE(UnitsToTenthsMM(utPrinterPixels, raHorizontal, &printer, float(horizontal)), 254);
    // Screen pixels never use the printer's resolution.
    QCOMPARE(MMThousandthsToUnits(25400, utScreenPixels, raHorizontal, &printer), 96.0f);
}

void UnitsTest::unknownUnitTypeGivesZero()
{
    const FixedResolutionPrinter printer(true, 600, 300);
    for (const TppUnitType unitType : {kUnknownUnit, static_cast<TppUnitType>(-1)}) {
        QCOMPARE(MMThousandthsToUnits(25400, unitType, raVertical, &printer), 0.0f);
        QCOMPARE(UnitsToMMThousandths(1.0f, unitType, raVertical, &printer), 0);
        QCOMPARE(TenthsMMToUnits(2794, unitType, raVertical, &printer), 0.0f);
        QCOMPARE(UnitsToTenthsMM(unitType, raVertical, &printer, 11.0f), 0);
        QCOMPARE(UnitsToScreenPixels(unitType, raVertical, &printer, 11.0f), 0);
        QCOMPARE(ScreenPixelsToUnits(1056, unitType, raVertical, &printer), 0.0f);
    }
}

void UnitsTest::pixelBoundAgreesWithConversion_data()
{
    QTest::addColumn<int>("pixelsPerInch");
    QTest::addColumn<bool>("printer");
    for (const int ppi : {72, 96, 100, 120, 144, 150, 203, 240, 300, 360, 600, 720, 1200, 2400, 4800, 9600}) {
        QTest::addRow("printer %d", ppi) << ppi << true;
    }
    QTest::newRow("screen") << 96 << false;
}

void UnitsTest::pixelBoundAgreesWithConversion()
{
    // Comparing pixels with the bound must say exactly what converting the
    // pixels in extended precision and comparing thousandths says: widths
    // near every bound, and a spread of random ones, at many resolutions.
    QFETCH(int, pixelsPerInch);
    QFETCH(bool, printer);
    const FixedResolutionPrinter source(true, pixelsPerInch, pixelsPerInch);
    const TppUnitType unit = printer ? utPrinterPixels : utScreenPixels;
    const auto converted = [&](std::int64_t pixels) {
        return UnitsToMMThousandths(float(pixels), unit, raHorizontal, &source);
    };
    QRandomGenerator random{quint32(pixelsPerInch)};
    std::vector<std::int32_t> widths = {0, 1, -1, 999, 1000, 1001, 25400, 190000, 215900, kMaxLength, kMinLength};
    for (int i = 0; i < 400; ++i)
        widths.push_back(random.bounded(0, 2000000));
    for (int i = 0; i < 50; ++i)
        widths.push_back(std::int32_t(random.generate()));
    for (const std::int32_t width : widths) {
        const std::int64_t bound = LargestPixelsWithin(width, unit, raHorizontal, &source);
        if (bound >= kMinLength)
            QVERIFY2(converted(bound) <= width, qPrintable(QStringLiteral("width %1").arg(width)));
        if (bound < kMaxLength)
            QVERIFY2(converted(bound + 1) > width, qPrintable(QStringLiteral("width %1").arg(width)));
        // Pixel counts a line of words really takes, and some around the bound.
        for (int i = 0; i < 40; ++i) {
            const std::int64_t pixels
                = i < 20 ? std::clamp<std::int64_t>(bound - 10 + i, kMinLength, kMaxLength) : random.bounded(0, 100000);
            QCOMPARE(pixels > bound, converted(pixels) > width);
        }
    }
}

QTEST_APPLESS_MAIN(UnitsTest)
#include "units_test.moc"
