#include "output/draw_image.h"
#include "output/draw_shape.h"
#include "output/draw_text.h"
#include "report/band_kinds.h"
#include "report/component.h"
#include "report/definition_reader.h"
#include "report/engine.h"
#include "report/image.h"
#include "report/label.h"
#include "report/memo.h"
#include "report/report.h"
#include "report/shape.h"
#include "tests/report/engine_fixture.h"

#include <QtTest>

// The results sheet from its stored definition, through the report's
// publisher, to the commands of its one page.
class ResultsSheetGenerationTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void onePage();
    void bandsPlaced();
    void oneCommandPerVisibleHeaderComponent_data();
    void oneCommandPerVisibleHeaderComponent();
    void hiddenComponentsDrawNothing();
    void requestedAgainWithNewTexts();
    void printerRequestAfterPreview();

private:
    void Request(const TppPageRequest &request);

    std::unique_ptr<TppReport> m_report;
    std::unique_ptr<PageKeepingDevice> m_device;
    TppBand *m_header = nullptr;
};

void ResultsSheetGenerationTest::init()
{
    m_report = LoadReportDefinition(":/assets/results_sheet.json");
    QVERIFY(m_report);
    m_header = m_report->GetBand(btHeader);
    QVERIFY(m_header);
    m_device = std::make_unique<PageKeepingDevice>();
    m_device->SetPublisher(&m_report->Publisher());
}

void ResultsSheetGenerationTest::cleanup()
{
    m_device.reset();
    m_report.reset();
}

void ResultsSheetGenerationTest::Request(const TppPageRequest &request)
{
    m_device->pages.clear();
    m_device->Request(request);
}

void ResultsSheetGenerationTest::onePage()
{
    Request(MakeRequest(psSinglePage, 1));
    QCOMPARE(int(m_device->pages.size()), 1);
    const TppPage &page = *m_device->Last();
    QCOMPARE(page.AbsolutePageNo(), 1);
    QCOMPARE(page.AbsolutePageCount(), 1);
    QCOMPARE(page.PageNo(), 1);
    QCOMPARE(page.PageCount(), 1);
    QVERIFY(page.FirstPage());
    QVERIFY(page.LastPage());
    QVERIFY(page.Final());
    QVERIFY(!page.Calculation());
    QCOMPARE(page.DocumentName(), std::string("Report"));
    QCOMPARE(m_report->PageCount(), 1);
    QVERIFY(m_report->Engine().CountKnown());
    QVERIFY(m_report->Publisher().LastPageKnown());
    QCOMPARE(m_report->Publisher().LastPageNo(), 1);
}

void ResultsSheetGenerationTest::bandsPlaced()
{
    Request(MakeRequest(psAll));
    QCOMPARE(m_report->Engine().PageBottom(), 268288);
    const TppBand *style = m_report->GetBand(btPageStyle);
    const TppBand *detail = m_report->GetBand(btDetail);
    const TppBand *footer = m_report->GetBand(btFooter);
    QCOMPARE(style->PrintTop(), 6350);
    QCOMPARE(m_header->PrintTop(), 6350);
    QCOMPARE(m_header->PrintBottom(), 241036);
    QCOMPARE(detail->PrintTop(), 241036);
    QCOMPARE(detail->PrintBottom(), 250826);
    QCOMPARE(detail->PrintsOnPage(), 1);
    QCOMPARE(footer->PrintTop(), 268288);
    QCOMPARE(footer->PrintBottom(), 273051);
}

void ResultsSheetGenerationTest::oneCommandPerVisibleHeaderComponent_data()
{
    QTest::addColumn<int>("index");
    // Loaded in init(), after the data function has run: the count is fixed.
    auto report = LoadReportDefinition(":/assets/results_sheet.json");
    const TppBand *header = report->GetBand(btHeader);
    for (int i = 0; i < header->ObjectCount(); ++i)
        QTest::newRow(header->Objects(i)->Name().c_str()) << i;
}

void ResultsSheetGenerationTest::oneCommandPerVisibleHeaderComponent()
{
    QFETCH(int, index);
    Request(MakeRequest(psAll));
    const TppPage &page = *m_device->Last();
    // Every header component is visible, and the other bands hold none.
    QCOMPARE(page.DrawCommandCount(), m_header->ObjectCount());

    const TppComponent &component = *m_header->Objects(index);
    const TppDrawCommand &command = *page.DrawCommands(index);
    QCOMPARE(command.Left(), 6350 + component.mmLeft());
    QCOMPARE(command.Top(), 6350 + component.mmTop());
    QCOMPARE(command.Page(), &page);
    if (dynamic_cast<const TppLabel *>(&component)) {
        const auto *text = dynamic_cast<const TppDrawText *>(&command);
        QVERIFY(text);
        QCOMPARE(text->Text(), component.Caption());
        QVERIFY(!text->IsMemo());
    } else if (dynamic_cast<const TppMemo *>(&component)) {
        const auto *text = dynamic_cast<const TppDrawText *>(&command);
        QVERIFY(text);
        QVERIFY(text->IsMemo());
    } else if (dynamic_cast<const TppShape *>(&component)) {
        QVERIFY(dynamic_cast<const TppDrawShape *>(&command));
    } else {
        QVERIFY(dynamic_cast<const TppImage *>(&component));
        const auto *image = dynamic_cast<const TppDrawImage *>(&command);
        QVERIFY(image);
        QVERIFY(QString::fromStdString(image->ImageName()).startsWith(QString::fromStdString(component.Name())));
    }
}

void ResultsSheetGenerationTest::hiddenComponentsDrawNothing()
{
    // The check marks of values the user did not give are hidden.
    m_header->Objects(8)->SetVisible(false);
    m_header->Objects(9)->SetVisible(false);
    Request(MakeRequest(psAll));
    const TppPage &page = *m_device->Last();
    QCOMPARE(page.DrawCommandCount(), m_header->ObjectCount() - 2);
    // The others keep their order.
    QCOMPARE(page.DrawCommands(8)->Left(), 6350 + m_header->Objects(10)->mmLeft());
    QCOMPARE(page.DrawCommands(8)->Top(), 6350 + m_header->Objects(10)->mmTop());
}

void ResultsSheetGenerationTest::requestedAgainWithNewTexts()
{
    Request(MakeRequest(psSinglePage, 1));
    auto *memo = dynamic_cast<TppMemo *>(m_header->Objects(36));
    QVERIFY(memo);
    // The note and the values are put into the sheet between two showings.
    memo->Lines().push_back("Nota de prueba");
    auto *value = m_header->Objects(14);
    value->SetCaption("5");
    Request(MakeRequest(psSinglePage, 1));
    const TppPage &page = *m_device->Last();
    const auto *text = dynamic_cast<const TppDrawText *>(page.DrawCommands(36));
    QVERIFY(text);
    QVERIFY(text->WrappedText().size() >= 1);
    QCOMPARE(text->WrappedText()[0], std::string("Nota de prueba"));
    QCOMPARE(dynamic_cast<const TppDrawText *>(page.DrawCommands(14))->Text(), std::string("5"));
}

void ResultsSheetGenerationTest::printerRequestAfterPreview()
{
    // The preview asks for page 1; printing then asks for every page of the
    // same run and gets the one page again, ready for output.
    Request(MakeRequest(psSinglePage, 1));
    const QStringList first = EngineReport::Texts(*m_device->Last());
    Request(MakeRequest(psAll));
    QCOMPARE(int(m_device->pages.size()), 1);
    QVERIFY(m_device->Last()->LastPage());
    QCOMPARE(EngineReport::Texts(*m_device->Last()), first);
}

QTEST_MAIN(ResultsSheetGenerationTest)
#include "results_sheet_generation_test.moc"
