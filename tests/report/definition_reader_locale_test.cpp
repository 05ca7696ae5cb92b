#include "report/band_kinds.h"
#include "report/definition_reader.h"
#include "report/engine.h"
#include "report/image.h"
#include "report/label.h"
#include "report/memo.h"
#include "report/report.h"
#include "report/version_number.h"

#include <QtTest>

namespace {

// One band with one label and one memo; rows of the tests below change one
// piece of it at a time.
const char *const kBase = R"({
  "Class": "TppReport", "Name": "ppReport1",
  "Properties": {
    "Version": "5.0", "mmColumnWidth": 203200,
    "PrinterSetup": {"mmMarginBottom": 6350, "mmMarginLeft": 6350, "mmMarginRight": 6350,
                     "mmMarginTop": 6350, "mmPaperHeight": 279401, "mmPaperWidth": 215900,
                     "PaperSize": 1, "PrinterName": "Default", "DocumentName": "Report"}
  },
  "Children": [
    {"Class": "TppDetailBand", "Name": "ppDetailBand1",
     "Properties": {"mmBottomOffset": 0, "mmHeight": 9790, "mmPrintPosition": 0},
     "Children": [
       {"Class": "TppLabel", "Name": "ppLabel1",
        "Properties": {"mmLeft": 100, "mmTop": 200, "mmWidth": 3000, "mmHeight": 4000, "BandType": 0,
                       "Caption": "Hola", "Font": {"Name": "Arial", "Size": 10}}},
       {"Class": "TppMemo", "Name": "ppMemo1",
        "Properties": {"mmLeft": 0, "mmTop": 0, "mmWidth": 5000, "mmHeight": 5000, "BandType": 4,
                       "Lines": ["uno", "dos"], "Stretch": true}}
     ]}
  ]
})";

std::string Replace(std::string text, const QString &from, const QString &to)
{
    const std::string f = from.toStdString();
    const auto at = text.find(f);
    if (at == std::string::npos)
        qFatal("fixture text not found: %s", qPrintable(from));
    return text.replace(at, f.size(), to.toStdString());
}

} // namespace

class DefinitionReaderTest : public QObject {
    Q_OBJECT

private slots:
    void readsTheBaseDefinition();
    void readingAnnouncesNothing();
    void badDefinitionsNameTheField_data();
    void badDefinitionsNameTheField();
    void versionConversion_data();
    void versionConversion();
    void olderColumnsBecomeThousandths();
    void versionNumbers_data();
    void versionNumbers();
    void missingResourceIsAnError();
};

void DefinitionReaderTest::readsTheBaseDefinition()
{
    const auto report = ReadReportDefinitionText(kBase);
    QCOMPARE(report->Name(), std::string("ppReport1"));
    QCOMPARE(report->UserName(), std::string("Report"));
    QCOMPARE(report->BandCount(), 1);
    TppBand *band = report->Bands(0);
    QCOMPARE(band->ClassName(), "TppDetailBand");
    QCOMPARE(band->UserName(), std::string("Detail"));
    QCOMPARE(band->ObjectCount(), 2);
    auto *label = dynamic_cast<TppLabel *>(band->Objects(0));
    QVERIFY(label);
    QCOMPARE(label->UserName(), std::string("Label1"));
    // Stored as band type 0, placed in a detail band: 4.
    QCOMPARE(label->BandType(), 4);
    QCOMPARE(label->mmLeft(), 100);
    QCOMPARE(label->mmTop(), 200);
    QCOMPARE(label->mmWidth(), 3000);
    QCOMPARE(label->mmHeight(), 4000);
    QCOMPARE(label->Caption(), std::string("Hola"));
    QCOMPARE(label->Font().Name(), std::string("Arial"));
    QCOMPARE(label->Font().Size(), 10);
    QCOMPARE(label->AutoSize(), true);
    auto *memo = dynamic_cast<TppMemo *>(band->Objects(1));
    QVERIFY(memo);
    QCOMPARE(memo->Lines(), (TppStringList{"uno", "dos"}));
    QCOMPARE(memo->Text(), std::string("uno\r\ndos\r\n"));
    // Read, not placed by hand: a stretching memo leaves the band as stored.
    QCOMPARE(band->PrintHeight(), phStatic);
    QCOMPARE(report->Version(), std::string(kCurrentDefinitionVersion));
    QCOMPARE(report->IsReading(), false);
    QCOMPARE(label->IsReading(), false);
}

void DefinitionReaderTest::readingAnnouncesNothing()
{
    const auto report = ReadReportDefinitionText(kBase);
    QCOMPARE(report->Engine().ResetCount(), 0);
    // Once read, changes are announced again.
    report->Bands(0)->Objects(0)->SetVisible(false);
    QCOMPARE(report->Engine().ResetCount(), 1);
}

void DefinitionReaderTest::badDefinitionsNameTheField_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("message");
    const QString label = "ppReport1.ppDetailBand1.ppLabel1: ";
    QTest::newRow("missing mmLeft") << R"("mmLeft": 100, )" << "" << label + R"(property "mmLeft" is missing.)";
    QTest::newRow("text for a length") << R"("mmTop": 200)" << R"("mmTop": "200")"
                                       << label + R"(property "mmTop" must be a whole number from -2147483648 to 2147483647.)";
    QTest::newRow("fraction for a length") << R"("mmTop": 200)" << R"("mmTop": 200.5)"
                                           << label + R"(property "mmTop" must be a whole number from -2147483648 to 2147483647.)";
    QTest::newRow("beyond 32 bits") << R"("mmTop": 200)" << R"("mmTop": 3000000000)"
                                    << label + R"(property "mmTop" must be a whole number from -2147483648 to 2147483647.)";
    QTest::newRow("negative width") << R"("mmWidth": 3000)" << R"("mmWidth": -1)"
                                    << label + R"(property "mmWidth" must not be negative.)";
    QTest::newRow("missing band type") << R"(, "BandType": 0)" << ""
                                       << label + R"(property "BandType" is missing.)";
    QTest::newRow("misspelt property") << R"("Caption")" << R"("Captoin")"
                                       << label + R"(unknown property "Captoin".)";
    QTest::newRow("number for a caption") << R"("Caption": "Hola")" << R"("Caption": 7)"
                                          << label + R"(property "Caption" must be a text.)";
    QTest::newRow("font size") << R"("Size": 10)" << R"("Size": 0)"
                               << R"(ppReport1.ppDetailBand1.ppLabel1.Font: property "Size" must be a size in points from 1 to 1638.)";
    QTest::newRow("unknown colour") << R"("Size": 10)" << R"("Size": 10, "Color": "clPink")"
                                    << R"(ppReport1.ppDetailBand1.ppLabel1.Font: property "Color" must be a colour)";
    QTest::newRow("unknown alignment") << R"("Caption": "Hola")" << R"("TextAlignment": "taMiddle")"
                                       << label + R"(property "TextAlignment" must be one of taLeftJustified, taRightJustified, taCentered, taFullJustified.)";
    QTest::newRow("boolean as text") << R"("Stretch": true)" << R"("Stretch": "yes")"
                                     << "ppReport1.ppDetailBand1.ppMemo1: property \"Stretch\" must be true or false.";
    QTest::newRow("lines not texts") << R"(["uno", "dos"])" << R"(["uno", 2])"
                                     << "ppReport1.ppDetailBand1.ppMemo1: property \"Lines\" must be a list of texts.";
    QTest::newRow("band height missing") << R"("mmHeight": 9790, )" << ""
                                         << R"(ppReport1.ppDetailBand1: property "mmHeight" is missing.)";
    QTest::newRow("unknown component class") << R"("Class": "TppLabel")" << R"("Class": "TppBarCode")"
                                             << R"(ppReport1.ppDetailBand1.ppLabel1: "TppBarCode" is not a component class)";
    QTest::newRow("component among bands") << R"("Class": "TppDetailBand")" << R"("Class": "TppLabel")"
                                           << R"(ppReport1.ppDetailBand1: "TppLabel" is not a band class)";
    QTest::newRow("name missing") << R"("Name": "ppLabel1",)" << ""
                                  << R"(ppReport1.ppDetailBand1, component 1: "Name" is missing or is not an identifier.)";
    QTest::newRow("name twice") << R"("Name": "ppMemo1")" << R"("Name": "ppLabel1")"
                                << R"(ppReport1.ppDetailBand1.ppLabel1: the name "ppLabel1" is used twice.)";
    QTest::newRow("printer setup missing") << R"("PrinterSetup")" << R"("PrinterSetupX")"
                                           << R"(ppReport1: property "PrinterSetup" is missing.)";
    QTest::newRow("paper number missing") << R"("PaperSize": 1,)" << ""
                                          << R"(ppReport1.PrinterSetup: property "PaperSize" is missing.)";
    QTest::newRow("negative margin") << R"("mmMarginTop": 6350)" << R"("mmMarginTop": -1)"
                                     << R"(ppReport1.PrinterSetup: property "mmMarginTop" must not be negative.)";
    QTest::newRow("version missing") << R"("Version": "5.0",)" << ""
                                     << R"(ppReport1: property "Version" is missing.)";
    QTest::newRow("not a report") << R"("Class": "TppReport")" << R"("Class": "TppLabel")"
                                  << R"(ppReport1: the definition must describe a TppReport, not "TppLabel".)";
    QTest::newRow("picture missing") << R"("Class": "TppMemo", "Name": "ppMemo1",
        "Properties": {"mmLeft": 0, "mmTop": 0, "mmWidth": 5000, "mmHeight": 5000, "BandType": 4,
                       "Lines": ["uno", "dos"], "Stretch": true})"
                                     << R"("Class": "TppImage", "Name": "ppImage1",
        "Properties": {"mmLeft": 0, "mmTop": 0, "mmWidth": 5000, "mmHeight": 5000, "BandType": 4,
                       "Picture": {"Resource": ":/assets/missing.jpg"}})"
                                     << R"(ppReport1.ppDetailBand1.ppImage1.Picture: property "Resource" names no usable picture: There is no picture ":/assets/missing.jpg" in the program.)";
    const QString image = R"("Class": "TppImage", "Name": "ppImage1",
        "Properties": {"mmLeft": 0, "mmTop": 0, "mmWidth": 5000, "mmHeight": 5000, "BandType": 4,
                       "Picture": {"Resource": "%1"}})";
    const QString memo = R"("Class": "TppMemo", "Name": "ppMemo1",
        "Properties": {"mmLeft": 0, "mmTop": 0, "mmWidth": 5000, "mmHeight": 5000, "BandType": 4,
                       "Lines": ["uno", "dos"], "Stretch": true})";
    const QString onlyProgram = R"(ppReport1.ppDetailBand1.ppImage1.Picture: property "Resource" must name a picture compiled into the program (":/...").)";
    QTest::newRow("picture from a device") << memo << image.arg("/dev/zero") << onlyProgram;
    QTest::newRow("picture from a file") << memo << image.arg("/etc/hostname") << onlyProgram;
    QTest::newRow("picture relative path") << memo << image.arg("assets/logo.jpg") << onlyProgram;
    // Lengths near the 32-bit limits would overflow the sums of generation.
    const QString tooLong = R"(must be a length from -100000000 to 100000000 thousandths of a millimetre.)";
    const QString tooLongSize = R"(must be a length from 0 to 100000000 thousandths of a millimetre.)";
    const QString band = "ppReport1.ppDetailBand1: ";
    const QString memoPath = "ppReport1.ppDetailBand1.ppMemo1: ";
    const QString setup = "ppReport1.PrinterSetup: ";
    QTest::newRow("huge left") << R"("mmLeft": 100)" << R"("mmLeft": 2147483647)"
                               << label + R"(property "mmLeft" )" + tooLong;
    QTest::newRow("huge negative top") << R"("mmTop": 200)" << R"("mmTop": -2147483648)"
                                       << label + R"(property "mmTop" )" + tooLong;
    QTest::newRow("huge width") << R"("mmWidth": 3000)" << R"("mmWidth": 2147483647)"
                                << label + R"(property "mmWidth" )" + tooLongSize;
    QTest::newRow("huge height") << R"("mmHeight": 4000)" << R"("mmHeight": 100000001)"
                                 << label + R"(property "mmHeight" )" + tooLongSize;
    QTest::newRow("huge band height") << R"("mmHeight": 9790)" << R"("mmHeight": 2147483000)"
                                      << band + R"(property "mmHeight" )" + tooLongSize;
    QTest::newRow("negative band height") << R"("mmHeight": 9790)" << R"("mmHeight": -5)"
                                          << band + R"(property "mmHeight" must not be negative.)";
    QTest::newRow("huge band offset") << R"("mmBottomOffset": 0, "mmHeight": 9790)"
                                      << R"("mmBottomOffset": -2147483648, "mmHeight": 9790)"
                                      << band + R"(property "mmBottomOffset" )" + tooLong;
    QTest::newRow("huge print position") << R"("mmPrintPosition": 0)" << R"("mmPrintPosition": 2000000000)"
                                         << band + R"(property "mmPrintPosition" )" + tooLong;
    QTest::newRow("huge leading") << R"("Stretch": true)" << R"("Stretch": true, "mmLeading": 2147483647)"
                                  << memoPath + R"(property "mmLeading" )" + tooLong;
    QTest::newRow("huge overflow offset") << R"("Stretch": true)"
                                          << R"("Stretch": true, "mmOverFlowOffset": -2147483647)"
                                          << memoPath + R"(property "mmOverFlowOffset" )" + tooLong;
    QTest::newRow("huge stop position") << R"("Stretch": true)" << R"("Stretch": true, "mmStopPosition": 2147483647)"
                                        << memoPath + R"(property "mmStopPosition" )" + tooLong;
    QTest::newRow("huge pen width") << memo << R"("Class": "TppShape", "Name": "ppShape1",
        "Properties": {"mmLeft": 0, "mmTop": 0, "mmWidth": 5000, "mmHeight": 5000, "BandType": 4,
                       "Pen": {"Width": 2147483647}})"
                                    << R"(ppReport1.ppDetailBand1.ppShape1.Pen: property "Width" must be a width in pixels from 0 to 1000.)";
    QTest::newRow("huge paper width") << R"("mmPaperWidth": 215900)" << R"("mmPaperWidth": 2147483647)"
                                      << setup + R"(property "mmPaperWidth" )" + tooLongSize;
    QTest::newRow("huge paper height") << R"("mmPaperHeight": 279401)" << R"("mmPaperHeight": 2147483600)"
                                       << setup + R"(property "mmPaperHeight" )" + tooLongSize;
    QTest::newRow("not well-formed") << R"("Caption": "Hola",)" << R"("Caption": "Hola",,)"
                                     << "The document is not well-formed:";
    QTest::newRow("unknown frame entry") << R"("Class": "TppMemo",)" << R"("Class": "TppMemo", "Parent": 1,)"
                                         << R"(ppReport1.ppDetailBand1, component 2: unknown entry "Parent")";
}

void DefinitionReaderTest::badDefinitionsNameTheField()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QString, message);
    const std::string text = Replace(kBase, from, to);
    try {
        ReadReportDefinitionText(text);
        QFAIL("no error");
    } catch (const TppDefinitionError &error) {
        const QString what = QString::fromUtf8(error.what());
        if (!what.startsWith(message))
            QFAIL(qPrintable("unexpected message: " + what));
    }
}

void DefinitionReaderTest::versionConversion_data()
{
    QTest::addColumn<QString>("version");
    QTest::addColumn<bool>("autoStop");
    QTest::addColumn<int>("passSetting");
    QTest::newRow("current") << "5.0" << true << int(psOnePass);
    QTest::newRow("4.1 is not older than 4100") << "4.1" << true << int(psOnePass);
    QTest::newRow("4.0") << "4.0" << false << int(psOnePass);
    QTest::newRow("3.0") << "3.0" << false << int(psOnePass);
    QTest::newRow("2.5") << "2.5" << false << int(psTwoPass);
    QTest::newRow("no digits") << "x" << false << int(psTwoPass);
}

void DefinitionReaderTest::versionConversion()
{
    QFETCH(QString, version);
    const std::string text = Replace(kBase, R"("Version": "5.0")", "\"Version\": \"" + version + "\"");
    const auto report = ReadReportDefinitionText(text);
    QTEST(report->AutoStop(), "autoStop");
    QTEST(int(report->PassSetting()), "passSetting");
    QCOMPARE(report->Version(), std::string(kCurrentDefinitionVersion));
}

// Run under a comma locale too: stored numbers never depend on it.
void DefinitionReaderTest::olderColumnsBecomeThousandths()
{
    std::string text = Replace(kBase, R"("Version": "5.0")", R"("Version": "2.9", "Units": "utMillimeters",
        "ColumnPositions": ["10", "2.5", "x", ""])");
    text = Replace(text, R"("mmColumnWidth": 203200)", R"("mmColumnWidth": 50)");
    const auto report = ReadReportDefinitionText(text);
    QCOMPARE(report->ColumnPositions(), (TppStringList{"10000", "2500", "0", "0"}));
    QCOMPARE(report->mmColumnWidth(), 50000);
    QCOMPARE(report->PassSetting(), psTwoPass);
    QCOMPARE(report->AutoStop(), false);
}

void DefinitionReaderTest::versionNumbers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("number");
    QTest::newRow("1.0") << "1.0" << 1000;
    QTest::newRow("4.1") << "4.1" << 4100;
    QTest::newRow("3.52") << "3.52" << 3520;
    QTest::newRow("10.2") << "10.2" << 1020;
    QTest::newRow("5") << "5" << 5000;
    QTest::newRow("4.1.7 stops at the second point") << "4.1.7" << 4100;
    QTest::newRow("4.1 beta") << "4.1 beta" << 4100;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("letters") << "v4.1" << 0;
}

void DefinitionReaderTest::versionNumbers()
{
    QFETCH(QString, text);
    QTEST(VersionNumber(text.toStdString()), "number");
}

void DefinitionReaderTest::missingResourceIsAnError()
{
    QVERIFY_THROWS_EXCEPTION(TppDefinitionError, LoadReportDefinition(":/assets/nothing.json"));
}

QTEST_GUILESS_MAIN(DefinitionReaderTest)
#include "definition_reader_locale_test.moc"
