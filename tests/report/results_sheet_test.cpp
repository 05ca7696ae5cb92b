#include "report/band_kinds.h"
#include "report/definition_reader.h"
#include "report/engine.h"
#include "report/image.h"
#include "report/label.h"
#include "report/memo.h"
#include "report/report.h"
#include "report/shape.h"

#include <QtTest>

namespace {

struct Expected {
    const char *name;
    const char *cls;
    int left, top, width, height;
    const char *caption;
};

// The sheet's header components in drawing order, as the results sheet is
// laid out.
const Expected kHeader[] = {
    {"ppShape9", "TppShape", 3969, 119856, 193940, 113506, ""},
    {"ppShape2", "TppShape", 6085, 39158, 82550, 77258, ""},
    {"ppShape1", "TppShape", 5821, 18785, 83079, 17198, ""},
    {"ppLabel1", "TppLabel", 42069, 28840, 10499, 4022, ""},
    {"ppImage2", "TppImage", 6085, 20373, 23283, 14817, ""},
    {"ppLabel8", "TppLabel", 29633, 21960, 35190, 3969, "Tamaño de la Muestra"},
    {"ppLabel19", "TppLabel", 5821, 5821, 192448, 4995, "VALDORA  (Muestreo aleatorio simple para proporciones)"},
    {"ppImage1", "TppImage", 98690, 57679, 93927, 58208, ""},
    {"ppImage3", "TppImage", 7673, 41275, 10054, 8731, ""},
    {"ppImage4", "TppImage", 7673, 54240, 10054, 8731, ""},
    {"ppImage5", "TppImage", 7408, 66675, 10054, 8731, ""},
    {"ppImage6", "TppImage", 7408, 78846, 10054, 8731, ""},
    {"ppImage7", "TppImage", 7673, 91811, 10054, 8731, ""},
    {"ppImage8", "TppImage", 7938, 105040, 10054, 8731, ""},
    {"ppLabel2", "TppLabel", 61119, 42598, 10583, 3969, ""},
    {"ppLabel3", "TppLabel", 61119, 56356, 10583, 3969, ""},
    {"ppLabel4", "TppLabel", 60325, 68527, 10583, 3969, ""},
    {"ppLabel5", "TppLabel", 60061, 80433, 10583, 3969, ""},
    {"ppLabel6", "TppLabel", 59796, 93663, 10583, 3969, ""},
    {"ppLabel7", "TppLabel", 60325, 106627, 10583, 3969, ""},
    {"ppLabel9", "TppLabel", 20108, 43392, 21167, 4022, "Error Máximo"},
    {"ppLabel10", "TppLabel", 20638, 56621, 15748, 4022, "Confianza"},
    {"ppLabel11", "TppLabel", 19844, 66675, 33359, 8043, "Tamaño aproximado de la proporción"},
    {"ppLabel12", "TppLabel", 20108, 80698, 26755, 4022, "Efecto de Diseño"},
    {"ppLabel13", "TppLabel", 20108, 94456, 30522, 4022, "Tasa de Respuesta"},
    {"ppLabel14", "TppLabel", 19579, 105040, 32808, 8202, "Tamaño de la Población"},
    {"ppLabel15", "TppLabel", 74348, 42333, 3133, 4022, "%"},
    {"ppLabel16", "TppLabel", 74877, 56886, 3133, 4022, "%"},
    {"ppLabel17", "TppLabel", 74348, 68263, 3133, 4022, "%"},
    {"ppLabel18", "TppLabel", 74613, 93663, 3133, 4022, "%"},
    {"ppShape3", "TppShape", 53181, 39423, 2910, 76994, ""},
    {"ppShape4", "TppShape", 6350, 50536, 82021, 3175, ""},
    {"ppShape5", "TppShape", 6350, 62971, 82021, 3175, ""},
    {"ppShape6", "TppShape", 6350, 75671, 82021, 3175, ""},
    {"ppShape7", "TppShape", 6350, 88371, 82021, 3175, ""},
    {"ppShape8", "TppShape", 6350, 100806, 82021, 3175, ""},
    {"ppMemo1", "TppMemo", 6085, 121973, 187061, 108479, ""},
    {"ppLabel21", "TppLabel", 119063, 17727, 57679, 3969, "Datos Proporcionados por el Usuario"},
    {"ppImage9", "TppImage", 107421, 13758, 10054, 8731, ""},
    {"ppLabel22", "TppLabel", 118798, 31485, 64558, 9790, "Los renglones sin paloma son datos considerados por el Sistema"},
};

} // namespace

class ResultsSheetTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void pageSetup();
    void bandsInRankOrder();
    void headerComponents_data();
    void headerComponents();
    void textsUseArial();
    void pictures();
    void memoIsAnEmptyWordWrappingBox();
    void shapesAreDefaultRectangles();
    void loadingAnnouncedNothing();

private:
    std::unique_ptr<TppReport> m_report;
    TppBand *m_header = nullptr;
    TppComponent *Find(const char *name) const;
};

void ResultsSheetTest::initTestCase()
{
    m_report = LoadReportDefinition(":/assets/results_sheet.json");
    QVERIFY(m_report);
    m_header = m_report->GetBand(btHeader);
    QVERIFY(m_header);
}

TppComponent *ResultsSheetTest::Find(const char *name) const
{
    for (int i = 0; i < m_header->ObjectCount(); ++i) {
        if (m_header->Objects(i)->Name() == name)
            return m_header->Objects(i);
    }
    return nullptr;
}

void ResultsSheetTest::pageSetup()
{
    QCOMPARE(m_report->Name(), std::string("ppReport1"));
    QCOMPARE(m_report->DeviceType(), std::string("Screen"));
    QCOMPARE(m_report->mmColumnWidth(), 203200);
    QCOMPARE(m_report->Units(), utInches);
    const TppPrinterSetup &setup = m_report->PrinterSetup();
    QCOMPARE(setup.mmPaperWidth(), 215900);
    QCOMPARE(setup.mmPaperHeight(), 279401);
    QCOMPARE(setup.mmMarginLeft(), 6350);
    QCOMPARE(setup.mmMarginTop(), 6350);
    QCOMPARE(setup.mmMarginRight(), 6350);
    QCOMPARE(setup.mmMarginBottom(), 6350);
    QCOMPARE(setup.PrinterName(), std::string("Default"));
    QCOMPARE(setup.BinName(), std::string("Default"));
    QCOMPARE(setup.DocumentName(), std::string("Report"));
    QCOMPARE(setup.Orientation(), poPortrait);
    QCOMPARE(setup.Copies(), 1);
    // Paper number 1 (Letter) is named as the printer names it.
    TppPrinterSetup &resolving = m_report->PrinterSetup();
    QCOMPARE(resolving.PaperNumber(), std::int16_t(1));
    QVERIFY(resolving.PaperName() != "Custom");
}

void ResultsSheetTest::bandsInRankOrder()
{
    QCOMPARE(m_report->BandCount(), 4);
    const char *classes[] = {"TppHeaderBand", "TppDetailBand", "TppFooterBand", "TppPageStyle"};
    const int heights[] = {234686, 9790, 4763, 13229};
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(m_report->Bands(i)->ClassName(), classes[i]);
        QCOMPARE(m_report->Bands(i)->mmHeight(), heights[i]);
        QCOMPARE(m_report->Bands(i)->Index(), i);
        QCOMPARE(m_report->Bands(i)->PrintHeight(), phStatic);
        QCOMPARE(m_report->Bands(i)->Visible(), true);
    }
    // Only the header holds components.
    QCOMPARE(m_report->Bands(1)->ObjectCount(), 0);
    QCOMPARE(m_report->Bands(2)->ObjectCount(), 0);
    QCOMPARE(m_report->Bands(3)->ObjectCount(), 0);
    QCOMPARE(m_header->mmWidth(), 215900 - 2 * 6350);
}

void ResultsSheetTest::headerComponents_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < int(std::size(kHeader)); ++i)
        QTest::newRow(kHeader[i].name) << i;
}

void ResultsSheetTest::headerComponents()
{
    QFETCH(int, index);
    QCOMPARE(m_header->ObjectCount(), int(std::size(kHeader)));
    const Expected &e = kHeader[index];
    const TppComponent *c = m_header->Objects(index);
    QCOMPARE(c->Name(), std::string(e.name));
    QCOMPARE(c->ClassName(), e.cls);
    QCOMPARE(c->mmLeft(), e.left);
    QCOMPARE(c->mmTop(), e.top);
    QCOMPARE(c->mmWidth(), e.width);
    QCOMPARE(c->mmHeight(), e.height);
    QCOMPARE(QString::fromStdString(c->Caption()), QString::fromUtf8(e.caption));
    QCOMPARE(c->BandType(), 0);
    QCOMPARE(c->GroupNo(), -1);
    QVERIFY(c->Visible());
    QVERIFY(c->Band() == m_header);
    QCOMPARE(c->UserName(), std::string(e.name).substr(2));
}

void ResultsSheetTest::textsUseArial()
{
    for (int i = 0; i < m_header->ObjectCount(); ++i) {
        const TppComponent *c = m_header->Objects(i);
        if (!dynamic_cast<const TppLabel *>(c) && !dynamic_cast<const TppMemo *>(c))
            continue;
        const bool title = c->Name() == "ppLabel19";
        QCOMPARE(c->Font().Name(), std::string("Arial"));
        QCOMPARE(c->Font().Size(), title ? 12 : 10);
        QCOMPARE(c->Font().Bold(), title);
        QVERIFY(c->Font().Color() == clBlack);
        QCOMPARE(c->Font().Charset(), kDefaultCharset);
        QVERIFY(c->Transparent());
    }
    for (const char *wrapped : {"ppLabel11", "ppLabel14", "ppLabel22"})
        QVERIFY2(Find(wrapped)->WordWrap(), wrapped);
    QVERIFY(!Find("ppLabel1")->WordWrap());
}

void ResultsSheetTest::pictures()
{
    for (const char *logo : {"ppImage1", "ppImage2"}) {
        const auto *image = dynamic_cast<const TppImage *>(Find(logo));
        QVERIFY2(image, logo);
        QVERIFY(image->Stretch());
        QVERIFY(!image->MaintainAspectRatio());
        QCOMPARE(image->Picture().Kind(), gkJpeg);
        QVERIFY(image->Picture().Width() > 0);
    }
    const auto *check = dynamic_cast<const TppImage *>(Find("ppImage3"));
    for (const char *mark : {"ppImage3", "ppImage4", "ppImage5", "ppImage6", "ppImage7", "ppImage8", "ppImage9"}) {
        const auto *image = dynamic_cast<const TppImage *>(Find(mark));
        QVERIFY2(image, mark);
        QVERIFY(!image->Stretch());
        QCOMPARE(image->Picture().Kind(), gkJpeg);
        // The same red check mark everywhere.
        QVERIFY(image->Picture() == check->Picture());
    }
    QVERIFY(!(check->Picture() == dynamic_cast<const TppImage *>(Find("ppImage1"))->Picture()));
}

void ResultsSheetTest::memoIsAnEmptyWordWrappingBox()
{
    const auto *memo = dynamic_cast<const TppMemo *>(Find("ppMemo1"));
    QVERIFY(memo);
    QVERIFY(memo->Lines().empty());
    QVERIFY(!memo->CharWrap());
    QVERIFY(!memo->Stretch());
}

void ResultsSheetTest::shapesAreDefaultRectangles()
{
    for (int i = 0; i < m_header->ObjectCount(); ++i) {
        const auto *shape = dynamic_cast<const TppShape *>(m_header->Objects(i));
        if (!shape)
            continue;
        QCOMPARE(shape->Shape(), stRectangle);
        QVERIFY(shape->Pen() == TppPen{});
        QVERIFY(shape->Brush() == TppBrush{});
    }
}

void ResultsSheetTest::loadingAnnouncedNothing()
{
    QCOMPARE(m_report->Engine().ResetCount(), 0);
    QCOMPARE(m_report->IsReading(), false);
}

QTEST_GUILESS_MAIN(ResultsSheetTest)
#include "results_sheet_test.moc"
