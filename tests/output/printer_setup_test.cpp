#include "output/printer_list.h"
#include "output/printer_setup.h"

#include <QPrinterInfo>
#include <QtTest>

#include <limits>

// Printer setups on the private spooler's queues: ValdoraPDF (the default,
// Generic PDF Printer) and ValdoraSecond (tests/fixtures/second-printer.ppd).

namespace {

class TestOwner : public TppPrinterSetupOwner
{
public:
    bool loading = false;
    bool reading = false;
    bool IsLoading() const override { return loading; }
    bool IsReading() const override { return reading; }
};

// Counts a setup's notifications.
struct Notifications {
    int settings = 0;
    int geometry = 0;

    void Watch(TppPrinterSetup &setup)
    {
        setup.SetOnSettingsChange([this](TppPrinterSetup &) { ++settings; });
        setup.SetOnGeometryChange([this](TppPrinterSetup &) { ++geometry; });
    }
};

std::string DefaultQueue()
{
    return QPrinterInfo::defaultPrinterName().toStdString();
}

} // namespace

class PrinterSetupTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void printerNames();
    void printerName_data();
    void printerName();
    void paperCarriedOver_data();
    void paperCarriedOver();
    void envelopeSwitchesToLandscape();
    void paperNumber_data();
    void paperNumber();
    void pendingPaperNumber();
    void binNames();

    void ignoredValues_data();
    void ignoredValues();
    void orientationSwapsSize();
    void unitsRederiveNamedPaper_data();
    void unitsRederiveNamedPaper();
    void unitValuedViews();

    void notificationsOnlyWhileActive();
    void geometryCheckRefuses();
    void readingStoresPendingSizes();

    void assignAndCompare();
};

void PrinterSetupTest::initTestCase()
{
    if (!QPrinterInfo::availablePrinterNames().contains(QStringLiteral("ValdoraSecond")))
        QSKIP("needs the private print server of scripts/test-services.sh");
}

void PrinterSetupTest::printerNames()
{
    // Other tests may add a queue of their own meanwhile: read both lists
    // again when they differ.
    std::vector<std::string> expected;
    for (int attempt = 0; attempt < 5; ++attempt) {
        TppPrinterList::Instance().Refresh();
        expected = {"Default", "Screen"};
        for (const QString &name : QPrinterInfo::availablePrinterNames())
            expected.push_back(name.toStdString());
        if (TppPrinterSetup::PrinterNames() == expected)
            break;
    }
    QCOMPARE(TppPrinterSetup::PrinterNames(), expected);
    QCOMPARE(TppPrinterList::Instance().DefaultPrinterName(), DefaultQueue());
}

void PrinterSetupTest::printerName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expectedName");
    QTest::addColumn<QString>("expectedDescription");

    const QString defaultQueue = QPrinterInfo::defaultPrinterName();
    QTest::newRow("Current is Default") << "Current" << "Default" << defaultQueue;
    QTest::newRow("a queue") << "ValdoraSecond" << "ValdoraSecond" << "ValdoraSecond";
    QTest::newRow("unknown is the default under its name") << "No such printer" << defaultQueue << defaultQueue;
    QTest::newRow("device on port") << "ValdoraSecond on file:/dev/null" << "ValdoraSecond" << "ValdoraSecond";
    QTest::newRow("device on another port") << "ValdoraSecond on LPT1:" << "ValdoraSecond" << "ValdoraSecond";
    QTest::newRow("pseudo-printer") << "Screen" << "Screen" << "Screen";
    QTest::newRow("empty") << "" << defaultQueue << defaultQueue;
}

void PrinterSetupTest::printerName()
{
    QFETCH(QString, name);
    QFETCH(QString, expectedName);
    QFETCH(QString, expectedDescription);

    TppPrinterSetup setup;
    setup.SetPrinterName("Screen");
    setup.SetPrinterName(name.toStdString());
    QCOMPARE(QString::fromStdString(setup.PrinterName()), expectedName);
    QCOMPARE(QString::fromStdString(setup.PrinterDescription()), expectedDescription);
    QCOMPARE(QString::fromStdString(setup.PrinterInfo()->Name()), expectedDescription);
}

void PrinterSetupTest::paperCarriedOver_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("paper");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("expected");

    QTest::newRow("same name and number") << "ValdoraPDF" << "A4" << "ValdoraSecond" << "A4";
    QTest::newRow("same number, other name") << "ValdoraPDF" << "Letter" << "ValdoraSecond" << "Office Letter";
    QTest::newRow("driver's own paper by size") << "ValdoraPDF" << "16K" << "ValdoraSecond" << "Photo Card";
    QTest::newRow("neither number nor size") << "ValdoraPDF" << "Executive" << "ValdoraSecond" << "Custom";
    QTest::newRow("driver numbers are not carried") << "ValdoraSecond" << "Wide Postcard" << "ValdoraPDF" << "Custom";
    QTest::newRow("to the pseudo-printer") << "ValdoraPDF" << "Legal" << "Screen" << "Legal 8 12 x 14 in";
    QTest::newRow("from the pseudo-printer") << "Screen" << "A4 210 x 297 mm" << "ValdoraSecond" << "A4";
    QTest::newRow("envelope by number") << "ValdoraPDF" << "Com 10" << "ValdoraSecond" << "Envelope #10";
}

void PrinterSetupTest::paperCarriedOver()
{
    QFETCH(QString, from);
    QFETCH(QString, paper);
    QFETCH(QString, to);
    QFETCH(QString, expected);

    TppPrinterSetup setup;
    setup.SetPrinterName(from.toStdString());
    setup.SetPaperName(paper.toStdString());
    QCOMPARE(QString::fromStdString(setup.PaperName()), paper);
    const TppPageDef before = setup.PageDef();

    Notifications notifications;
    notifications.Watch(setup);
    setup.SetPrinterName(to.toStdString());
    QCOMPARE(QString::fromStdString(setup.PaperName()), expected);
    QCOMPARE(setup.PageDef(), before);
    QCOMPARE(notifications.settings, 1);
    QCOMPARE(notifications.geometry, 0);
}

void PrinterSetupTest::envelopeSwitchesToLandscape()
{
    TppPrinterSetup setup;
    setup.SetPrinterName("ValdoraSecond");
    Notifications notifications;
    notifications.Watch(setup);
    setup.SetPaperName("Envelope DL");

    QCOMPARE(setup.Orientation(), poLandscape);
    QCOMPARE(setup.PaperName(), std::string("Envelope DL"));
    QCOMPARE(setup.PaperNumber(), std::int16_t(27));
    // 220 x 110 mm as printed, through the inch view of the setup.
    const std::int32_t width = UnitsToMMThousandths(TenthsMMToUnits(2200, utInches, raHorizontal), utInches, raHorizontal);
    const std::int32_t height = UnitsToMMThousandths(TenthsMMToUnits(1100, utInches, raVertical), utInches, raVertical);
    QCOMPARE(setup.mmPaperWidth(), width);
    QCOMPARE(setup.mmPaperHeight(), height);
    QVERIFY(qAbs(width - 220000) < 500 && qAbs(height - 110000) < 500);
    QCOMPARE(notifications.geometry, 1);

    // A paper that is no envelope keeps the orientation.
    setup.SetPaperName("A5");
    QCOMPARE(setup.Orientation(), poLandscape);
    QVERIFY(setup.mmPaperWidth() > setup.mmPaperHeight());
}

void PrinterSetupTest::paperNumber_data()
{
    QTest::addColumn<QString>("printer");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<QString>("expectedName");
    QTest::addColumn<int>("expectedNumber");

    QTest::newRow("Letter stored from inches") << "ValdoraPDF" << 215900 << 279401 << "Letter" << 1;
    QTest::newRow("A4") << "ValdoraPDF" << 210000 << 297000 << "A4" << 9;
    QTest::newRow("A4 within a millimetre") << "ValdoraSecond" << 210900 << 296100 << "A4" << 9;
    QTest::newRow("no paper of that size") << "ValdoraPDF" << 100000 << 100000 << "Custom" << 256;
    QTest::newRow("driver's own paper") << "ValdoraSecond" << 105833 << 176389 << "Wide Postcard" << 257;
    QTest::newRow("pseudo-printer") << "Screen" << 297000 << 420000 << "A3 297 x 420 mm" << 8;
}

void PrinterSetupTest::paperNumber()
{
    QFETCH(QString, printer);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(QString, expectedName);
    QFETCH(int, expectedNumber);

    TppPrinterSetup setup;
    setup.SetPrinterName(printer.toStdString());
    setup.SetmmPaperWidth(width);
    setup.SetmmPaperHeight(height);
    QCOMPARE(int(setup.PaperNumber()), expectedNumber);
    QCOMPARE(QString::fromStdString(setup.PaperName()), expectedName);
}

void PrinterSetupTest::pendingPaperNumber()
{
    TppPrinterSetup setup;
    setup.SetPrinterName("ValdoraSecond");
    setup.SetPaperSize(5);
    QCOMPARE(setup.PaperName(), std::string("Legal"));
    // A number the printer does not have leaves the name to the size.
    setup.SetmmPaperWidth(210000);
    setup.SetmmPaperHeight(297000);
    setup.SetPaperSize(39);
    QCOMPARE(setup.PaperName(), std::string("A4"));
    QCOMPARE(setup.PaperSize(), std::int16_t(9));
}

void PrinterSetupTest::binNames()
{
    TppPrinterSetup setup;
    setup.SetPrinterName("ValdoraSecond");
    const std::vector<std::string> bins{"Default", "Upper", "Manual Feed", "Envelope Feeder"};
    QCOMPARE(setup.BinNames(), bins);
    setup.SetBinName("Manual Feed");
    QCOMPARE(setup.BinName(), std::string("Manual Feed"));
    setup.SetBinName("Current");
    QCOMPARE(setup.BinName(), std::string("Default"));

    setup.SetPrinterName("Screen");
    QCOMPARE(setup.BinNames(), std::vector<std::string>{"Default"});
    QCOMPARE(setup.PaperNames().back(), std::string("Custom"));
}

void PrinterSetupTest::ignoredValues_data()
{
    QTest::addColumn<QString>("property");
    QTest::addColumn<float>("value");

    const float nan = std::numeric_limits<float>::quiet_NaN();
    for (const char *property : {"MarginLeft", "MarginTop", "MarginRight", "MarginBottom", "PaperWidth", "PaperHeight"}) {
        QTest::addRow("%s negative", property) << property << -0.5f;
        QTest::addRow("%s not a number", property) << property << nan;
    }
    QTest::newRow("mmMarginLeft negative") << "mmMarginLeft" << -1.0f;
    QTest::newRow("mmPaperHeight negative") << "mmPaperHeight" << -279401.0f;
}

void PrinterSetupTest::ignoredValues()
{
    QFETCH(QString, property);
    QFETCH(float, value);

    TppPrinterSetup setup;
    const TppPageDef before = setup.PageDef();
    Notifications notifications;
    notifications.Watch(setup);
    const QHash<QString, std::function<void()>> setters{
        {"MarginLeft", [&] { setup.SetMarginLeft(value); }},
        {"MarginTop", [&] { setup.SetMarginTop(value); }},
        {"MarginRight", [&] { setup.SetMarginRight(value); }},
        {"MarginBottom", [&] { setup.SetMarginBottom(value); }},
        {"PaperWidth", [&] { setup.SetPaperWidth(value); }},
        {"PaperHeight", [&] { setup.SetPaperHeight(value); }},
        {"mmMarginLeft", [&] { setup.SetmmMarginLeft(std::int32_t(value)); }},
        {"mmPaperHeight", [&] { setup.SetmmPaperHeight(std::int32_t(value)); }},
    };
    setters.value(property)();
    QCOMPARE(setup.PageDef(), before);
    QCOMPARE(notifications.geometry, 0);

    for (const std::int32_t copies : {0, -1, std::numeric_limits<std::int32_t>::min()}) {
        setup.SetCopies(copies);
        QCOMPARE(setup.Copies(), 1);
    }
    setup.SetCopies(3);
    QCOMPARE(setup.Copies(), 3);
    QCOMPARE(notifications.settings, 1);
}

void PrinterSetupTest::orientationSwapsSize()
{
    TppPrinterSetup setup;
    const TppPageDef portrait = setup.PageDef();
    Notifications notifications;
    notifications.Watch(setup);
    setup.SetOrientation(poLandscape);
    QCOMPARE(setup.mmPaperWidth(), portrait.mmHeight);
    QCOMPARE(setup.mmPaperHeight(), portrait.mmWidth);
    QCOMPARE(notifications.geometry, 1);
    setup.SetOrientation(poLandscape);
    QCOMPARE(notifications.geometry, 1);
    // The paper is still found by size, compared the other way round.
    QCOMPARE(setup.PaperNumber(), TppPrinterSetup().PaperNumber());
}

void PrinterSetupTest::unitsRederiveNamedPaper_data()
{
    QTest::addColumn<QString>("paper");
    QTest::addColumn<int>("unitType");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");

    QTest::newRow("Letter in whole millimetres") << "Letter" << int(utMillimeters) << 216000 << 279000;
    QTest::newRow("A4 in millimetres") << "A4" << int(utMillimeters) << 210000 << 297000;
    QTest::newRow("Letter in thousandths") << "Letter" << int(utMMThousandths) << 215900 << 279400;
    QTest::newRow("Letter in screen pixels") << "Letter" << int(utScreenPixels) << 215900 << 279401;
}

void PrinterSetupTest::unitsRederiveNamedPaper()
{
    QFETCH(QString, paper);
    QFETCH(int, unitType);
    QFETCH(int, width);
    QFETCH(int, height);

    TppPrinterSetup setup;
    setup.SetPrinterName("ValdoraPDF");
    setup.SetPaperName(paper.toStdString());
    Notifications notifications;
    notifications.Watch(setup);
    setup.SetUnits(static_cast<TppUnitType>(unitType));
    QCOMPARE(setup.mmPaperWidth(), width);
    QCOMPARE(setup.mmPaperHeight(), height);
    QCOMPARE(notifications.geometry, 1);
}

void PrinterSetupTest::unitValuedViews()
{
    TppPrinterSetup setup;
    setup.SetmmPaperWidth(210000);
    setup.SetmmPaperHeight(297000);
    QCOMPARE(setup.MarginLeft(), 0.25f);
    setup.SetUnits(utMillimeters);
    QCOMPARE(setup.PaperWidth(), 210.0f);
    setup.SetMarginTop(10.5f);
    QCOMPARE(setup.mmMarginTop(), 10500);
    setup.SetUnits(utScreenPixels);
    setup.SetMarginBottom(15);
    QCOMPARE(setup.mmMarginBottom(), 3969);
    QCOMPARE(setup.MarginBottom(), 15.0f);
}

void PrinterSetupTest::notificationsOnlyWhileActive()
{
    TestOwner owner;
    TppPrinterSetup setup(&owner);
    Notifications notifications;
    notifications.Watch(setup);

    owner.loading = true;
    QVERIFY(!setup.Active());
    setup.SetPrinterName("ValdoraSecond");
    setup.SetCopies(2);
    setup.SetPaperName("Legal");
    setup.SetMarginLeft(1.0f);
    QCOMPARE(notifications.settings, 0);
    QCOMPARE(notifications.geometry, 0);
    // While loading a paper name is only stored.
    QCOMPARE(setup.mmPaperHeight(), TppPrinterSetup().mmPaperHeight());
    QCOMPARE(setup.mmMarginLeft(), 25400);

    owner.loading = false;
    setup.SetNotify(false);
    setup.SetCollation(false);
    QCOMPARE(notifications.settings, 0);

    setup.SetNotify(true);
    QVERIFY(setup.Active());
    setup.SetDocumentName("Report");
    setup.SetDuplex(dpVertical);
    setup.SetDocumentName("Report");
    QCOMPARE(notifications.settings, 2);
}

void PrinterSetupTest::geometryCheckRefuses()
{
    TppPrinterSetup setup;
    setup.SetPrinterName("ValdoraSecond");
    int asked = 0;
    setup.SetGeometryCheck([&](TppPrinterSetup &, const TppPageDef &, bool &accept) {
        ++asked;
        accept = false;
    });
    const TppPageDef before = setup.PageDef();
    setup.SetMarginLeft(1.0f);
    setup.SetPaperWidth(5.0f);
    setup.SetOrientation(poLandscape);
    setup.SetPaperName("Envelope #10");
    QCOMPARE(asked, 4);
    QCOMPARE(setup.PageDef(), before);
    // A refused envelope leaves the orientation as it was.
    QCOMPARE(setup.Orientation(), poPortrait);
    QVERIFY(setup.PaperName() != "Envelope #10");
}

void PrinterSetupTest::readingStoresPendingSizes()
{
    TestOwner owner;
    TppPrinterSetup setup(&owner);
    owner.reading = true;
    setup.SetPaperWidth(8.5f);
    setup.SetPaperHeight(11.0f);
    setup.SetUnits(utMillimeters);
    QCOMPARE(setup.mmPaperWidth(), TppPrinterSetup().mmPaperWidth());
    owner.reading = false;
    setup.Loaded();
    // Converted with the unit known at the end of reading.
    QCOMPARE(setup.mmPaperWidth(), 8500);
    QCOMPARE(setup.mmPaperHeight(), 11000);
}

void PrinterSetupTest::assignAndCompare()
{
    TppPrinterSetup source;
    source.SetPrinterName("ValdoraSecond");
    source.SetPaperName("Legal");
    source.SetBinName("Upper");
    source.SetCopies(4);
    source.SetCollation(false);
    source.SetDocumentName("Report");
    source.SetDuplex(dpHorizontal);
    source.SetUnits(utMillimeters);
    source.SetOrientation(poLandscape);

    TppPrinterSetup copy;
    Notifications notifications;
    notifications.Watch(copy);
    QVERIFY(!copy.SameAs(source));
    copy.Assign(source);
    QCOMPARE(notifications.settings + notifications.geometry, 0);
    QVERIFY(copy.SameAs(source));
    QVERIFY(copy.SamePrinterAndOrientation(source));
    QCOMPARE(copy.PaperName(), std::string("Legal"));
    QCOMPARE(copy.Units(), utMillimeters);
    QCOMPARE(copy.PrinterInfo()->Name(), std::string("ValdoraSecond"));

    copy.SetCopies(1);
    QVERIFY(!copy.SameAs(source));
    QVERIFY(copy.SamePrinterAndOrientation(source));
    copy.SetOrientation(poPortrait);
    QVERIFY(!copy.SamePrinterAndOrientation(source));

    // "Default" and the default queue's own name are the same printer.
    TppPrinterSetup byDefault;
    TppPrinterSetup byName;
    byName.SetPrinterName(DefaultQueue());
    QVERIFY(byDefault.SameAs(byName));
}

QTEST_MAIN(PrinterSetupTest)
#include "printer_setup_test.moc"
