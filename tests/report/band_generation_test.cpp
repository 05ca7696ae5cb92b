#include "band_fixture.h"

#include "output/draw_command.h"
#include "output/draw_text.h"
#include "report/label.h"
#include "report/memo.h"
#include "report/print_error.h"
#include "report/shape.h"

#include <QtTest>

#include <string>
#include <vector>

// One band call at a time, on a Letter page with 6350 margins: page bottom
// 273051 without a footer, 268288 with a 4763 footer.
class BandGenerationTest : public QObject {
    Q_OBJECT

private slots:
    void staticBandOutOfSpaceStartsTheNextPage_data();
    void staticBandOutOfSpaceStartsTheNextPage();
    void bottomOffsetNeedsRoomAndMovesDown();
    void fixedPrintPosition_data();
    void fixedPrintPosition();
    void fixedPositionBelowThePageIsAnError();
    void bandTallerThanThePageIsAnError();
    void bandThatNeverFitsStops();
    void hiddenBandTakesNoSpaceButHearsBeforePrint();
    void pageStyleLiesBehindFromTheTopMargin();
    void pageStyleSelectsItsPages_data();
    void pageStyleSelectsItsPages();
    void footerSitsAtTheBottom();
    void dynamicBandWithHiddenMemoTakesItsOffsetOnly();
    void componentsGenerateByGroupAndDrawInObjectOrder();
    void eventsInOrder();
    void headerOnFirstAndLastPage_data();
    void headerOnFirstAndLastPage();
    void detailPrintsOnceWithAutoStop();
    void detailRepeatsUntilThePageIsFull();
    void printCountEndsThePage();
    void hiddenDetailStillEndsTheData();
    void noDrawCommandsUnlessDrawPage();
    void commandsOfABandCanBeRemovedOrMoved();
    void kindNotActiveEndsTheCall();
};

namespace {

std::vector<std::int32_t> Tops(const TppPage &page)
{
    std::vector<std::int32_t> tops;
    for (int i = 0; i < page.DrawCommandCount(); ++i)
        tops.push_back(page.DrawCommands(i)->Top());
    return tops;
}

} // namespace

void BandGenerationTest::staticBandOutOfSpaceStartsTheNextPage_data()
{
    QTest::addColumn<std::int32_t>("height");
    QTest::addColumn<std::int32_t>("room");
    QTest::addColumn<bool>("fits");

    QTest::newRow("50 mm into 40 mm") << 50000 << 40000 << false;
    QTest::newRow("50 mm into 50 mm") << 50000 << 50000 << true;
    QTest::newRow("50 mm into 49.999 mm") << 50000 << 49999 << false;
}

void BandGenerationTest::staticBandOutOfSpaceStartsTheNextPage()
{
    QFETCH(std::int32_t, height);
    QFETCH(std::int32_t, room);
    QFETCH(bool, fits);

    LetterReport sheet;
    auto &detail = sheet.Add<TppHeaderBand>();
    detail.SetmmHeight(height);
    sheet.Place<TppShape>(detail, 1000, 2000, 10000, 5000);
    sheet.ResetAll();
    const std::int32_t top = sheet.context.pageBottom - room;
    sheet.context.printTop = top;

    detail.Generate(sheet.context);
    QCOMPARE(detail.OutOfSpace(), !fits);
    QVERIFY(detail.Done());
    QCOMPARE(sheet.context.printTop, fits ? top + height : top);
    QCOMPARE(sheet.context.page->DrawCommandCount(), fits ? 1 : 0);
    if (fits)
        return;

    sheet.NextPage();
    detail.Generate(sheet.context);
    QVERIFY(!detail.OutOfSpace());
    QCOMPARE(detail.PrintTop(), 6350);
    QCOMPARE(sheet.context.printTop, 6350 + height);
    QCOMPARE(Tops(*sheet.context.page), std::vector<std::int32_t>{6350 + 2000});
}

void BandGenerationTest::bottomOffsetNeedsRoomAndMovesDown()
{
    LetterReport sheet;
    auto &band = sheet.Add<TppHeaderBand>();
    band.SetmmHeight(20000);
    band.SetmmBottomOffset(5000);
    sheet.ResetAll();

    sheet.context.printTop = sheet.context.pageBottom - 24999;
    band.Generate(sheet.context);
    QVERIFY(band.OutOfSpace());

    sheet.NextPage();
    sheet.context.printTop = sheet.context.pageBottom - 25000;
    band.Generate(sheet.context);
    QVERIFY(!band.OutOfSpace());
    QCOMPARE(band.HeightUsed(), 25000);
    QCOMPARE(sheet.context.printTop, sheet.context.pageBottom);
}

void BandGenerationTest::fixedPrintPosition_data()
{
    QTest::addColumn<std::int32_t>("firstTop");
    QTest::addColumn<std::int32_t>("secondTop");
    QTest::addColumn<std::int32_t>("printedAt");
    QTest::addColumn<bool>("onFirstPage");

    QTest::newRow("print top above the position") << 6350 << 6350 << 100000 << true;
    QTest::newRow("print top at the position") << 100000 << 6350 << 100000 << true;
    QTest::newRow("print top below: the next page") << 150000 << 6350 << 100000 << false;
    QTest::newRow("still below on the next page: at the print top") << 150000 << 120000 << 120000 << false;
}

void BandGenerationTest::fixedPrintPosition()
{
    QFETCH(std::int32_t, firstTop);
    QFETCH(std::int32_t, secondTop);
    QFETCH(std::int32_t, printedAt);
    QFETCH(bool, onFirstPage);

    LetterReport sheet;
    auto &band = sheet.Add<TppHeaderBand>();
    band.SetmmHeight(10000);
    band.SetmmPrintPosition(100000);
    sheet.ResetAll();

    sheet.context.printTop = firstTop;
    band.Generate(sheet.context);
    QCOMPARE(band.OutOfSpace(), !onFirstPage);
    if (!onFirstPage) {
        QCOMPARE(sheet.context.printTop, firstTop);
        sheet.NextPage();
        sheet.context.printTop = secondTop;
        band.Generate(sheet.context);
        QVERIFY(!band.OutOfSpace());
    }
    QCOMPARE(band.PrintTop(), printedAt);
    QCOMPARE(sheet.context.printTop, printedAt + 10000);
}

void BandGenerationTest::fixedPositionBelowThePageIsAnError()
{
    LetterReport sheet;
    auto &band = sheet.Add<TppHeaderBand>();
    band.SetmmHeight(10000);
    band.SetmmPrintPosition(sheet.context.pageBottom);
    sheet.ResetAll();
    try {
        band.Generate(sheet.context);
        QFAIL("a band placed below the page bottom was generated");
    } catch (const EPrintError &error) {
        const std::string text = error.what();
        QVERIFY(text.starts_with("Cannot generate report.\r\n\r\n"));
        QVERIFY(text.ends_with("."));
    }
}

void BandGenerationTest::bandTallerThanThePageIsAnError()
{
    LetterReport sheet;
    auto &band = sheet.Add<TppDetailBand>();
    band.SetmmHeight(200000);
    sheet.context.pageBottom = 150000;
    sheet.ResetAll();
    QVERIFY_THROWS_EXCEPTION(EPrintError, band.Generate(sheet.context));
}

void BandGenerationTest::bandThatNeverFitsStops()
{
    // A dynamic band whose shape is taller than any page: out of space on
    // every page, from the top of a page too; the second time it meets a
    // page no better than the last, generation stops.
    LetterReport sheet;
    auto &band = sheet.Add<TppDetailBand>();
    band.SetPrintHeight(phDynamic);
    sheet.Place<TppShape>(band, 0, 0, 10000, 300000);
    sheet.ResetAll();
    sheet.context.printTop = 100000;
    band.Generate(sheet.context);
    QVERIFY(band.OutOfSpace());
    sheet.NextPage();
    band.Generate(sheet.context);
    QVERIFY(band.OutOfSpace());
    sheet.NextPage();
    QVERIFY_THROWS_EXCEPTION(EPrintError, band.Generate(sheet.context));
}

void BandGenerationTest::hiddenBandTakesNoSpaceButHearsBeforePrint()
{
    LetterReport sheet;
    auto &band = sheet.Add<TppHeaderBand>();
    band.SetmmHeight(20000);
    sheet.Place<TppShape>(band, 0, 0, 10000, 10000);
    band.SetVisible(false);
    int beforePrint = 0;
    bool reveal = false;
    band.BeforePrint = [&](TppBand &sender) {
        ++beforePrint;
        if (reveal)
            sender.SetVisible(true);
    };
    sheet.ResetAll();

    band.Generate(sheet.context);
    QCOMPARE(beforePrint, 1);
    QVERIFY(band.Done());
    QCOMPARE(band.HeightUsed(), 0);
    QCOMPARE(sheet.context.printTop, 6350);
    QCOMPARE(sheet.context.page->DrawCommandCount(), 0);

    reveal = true;
    sheet.NextPage();
    band.Generate(sheet.context);
    QCOMPARE(beforePrint, 2);
    QCOMPARE(sheet.context.printTop, 6350 + 20000);
    QCOMPARE(sheet.context.page->DrawCommandCount(), 1);
}

void BandGenerationTest::pageStyleLiesBehindFromTheTopMargin()
{
    LetterReport sheet;
    auto &style = sheet.Add<TppPageStyle>();
    style.SetmmHeight(20000);
    sheet.Place<TppShape>(style, 0, 3000, 10000, 10000);
    auto &header = sheet.Add<TppHeaderBand>();
    header.SetmmHeight(30000);
    sheet.Place<TppShape>(header, 0, 0, 10000, 10000);
    sheet.ResetAll();

    style.Generate(sheet.context);
    QCOMPARE(style.PrintTop(), 6350);
    QCOMPARE(sheet.context.printTop, 6350);
    header.Generate(sheet.context);
    QCOMPARE(header.PrintTop(), 6350);
    QCOMPARE(Tops(*sheet.context.page), (std::vector<std::int32_t>{6350 + 3000, 6350}));
}

void BandGenerationTest::pageStyleSelectsItsPages_data()
{
    QTest::addColumn<int>("setting");
    QTest::addColumn<std::int32_t>("pageNo");
    QTest::addColumn<bool>("countKnown");
    QTest::addColumn<bool>("prints");

    QTest::newRow("all") << int(psAll) << 4 << false << true;
    QTest::newRow("list: listed") << int(psPageList) << 3 << false << true;
    QTest::newRow("list: not listed") << int(psPageList) << 2 << false << false;
    QTest::newRow("single: that page") << int(psSinglePage) << 2 << false << true;
    QTest::newRow("single: another") << int(psSinglePage) << 1 << false << false;
    QTest::newRow("first: page 1") << int(psFirstPage) << 1 << false << true;
    QTest::newRow("first: page 2") << int(psFirstPage) << 2 << false << false;
    QTest::newRow("last: known last") << int(psLastPage) << 5 << true << true;
    QTest::newRow("last: count unknown") << int(psLastPage) << 5 << false << false;
    QTest::newRow("last: not last") << int(psLastPage) << 4 << true << false;
    QTest::newRow("range: inside") << int(psPageRange) << 3 << false << true;
    QTest::newRow("range: before") << int(psPageRange) << 1 << false << false;
    QTest::newRow("range: after") << int(psPageRange) << 5 << false << false;
}

void BandGenerationTest::pageStyleSelectsItsPages()
{
    QFETCH(int, setting);
    QFETCH(std::int32_t, pageNo);
    QFETCH(bool, countKnown);
    QFETCH(bool, prints);

    LetterReport sheet;
    auto &style = sheet.Add<TppPageStyle>();
    style.SetmmHeight(20000);
    sheet.Place<TppShape>(style, 0, 0, 10000, 10000);
    style.SetPageSetting(TppPageSettingType(setting));
    style.SetSinglePage(2);
    style.SetPageList({"       1", "       3"});
    style.SetStartPage(2);
    style.SetEndPage(4);
    sheet.ResetAll();
    sheet.context.pageNo = pageNo;
    sheet.context.pageCount = 5;
    sheet.context.countKnown = countKnown;

    style.Generate(sheet.context);
    QCOMPARE(sheet.context.page->DrawCommandCount(), prints ? 1 : 0);
    QCOMPARE(sheet.context.printTop, 6350);
}

void BandGenerationTest::footerSitsAtTheBottom()
{
    LetterReport sheet;
    auto &footer = sheet.Add<TppFooterBand>();
    footer.SetmmHeight(4763);
    sheet.Place<TppShape>(footer, 0, 0, 10000, 4000);
    sheet.ResetAll();
    for (std::int32_t top : {6350, 100000, 268288}) {
        sheet.StartPage();
        sheet.context.printTop = top;
        footer.Generate(sheet.context);
        QVERIFY(!footer.OutOfSpace());
        QCOMPARE(footer.PrintTop(), 268288);
        QCOMPARE(footer.PrintBottom(), 273051);
        QCOMPARE(Tops(*sheet.context.page), std::vector<std::int32_t>{268288});
    }
}

void BandGenerationTest::dynamicBandWithHiddenMemoTakesItsOffsetOnly()
{
    LetterReport sheet;
    auto &band = sheet.Add<TppHeaderBand>();
    auto &memo = sheet.Place<TppMemo>(band, 0, 1000, 50000, 20000);
    memo.SetStretch(true);
    memo.Lines() = {"Texto"};
    band.SetPrintHeight(phDynamic);
    band.SetmmBottomOffset(3000);
    memo.SetVisible(false);
    sheet.ResetAll();

    band.Generate(sheet.context);
    QCOMPARE(band.HeightUsed(), 3000);
    QCOMPARE(sheet.context.printTop, 6350 + 3000);
    QCOMPARE(sheet.context.page->DrawCommandCount(), 0);
}

void BandGenerationTest::componentsGenerateByGroupAndDrawInObjectOrder()
{
    LetterReport sheet;
    auto &band = sheet.Add<TppHeaderBand>();
    band.SetPrintHeight(phDynamic);
    auto &shifted = sheet.Place<TppShape>(band, 0, 0, 1000, 1000);
    shifted.SetShiftWithParent(true);
    auto &withBand = sheet.Place<TppShape>(band, 0, 0, 1000, 1000);
    withBand.SetStretchWithParent(true);
    auto &memo = sheet.Place<TppMemo>(band, 0, 0, 50000, 10000);
    memo.SetStretch(true);
    memo.Lines() = {"Uno"};
    auto &label = sheet.Place<TppLabel>(band, 0, 0, 10000, 4000);
    label.SetCaption("Dos");
    std::vector<std::string> order;
    for (int i = 0; i < band.ObjectCount(); ++i) {
        band.Objects(i)->OnPrint = [&order](TppComponent &sender) { order.push_back(sender.ClassName()); };
    }
    sheet.ResetAll();

    band.Generate(sheet.context);
    const std::vector<std::string> generated{"TppLabel", "TppMemo", "TppShape", "TppShape"};
    QCOMPARE(order, generated);
    QCOMPARE(order.size(), std::size_t(4));
    QCOMPARE(sheet.context.page->DrawCommandCount(), 4);
    const std::vector<std::string> drawn{"TppDrawShape", "TppDrawShape", "TppDrawText", "TppDrawText"};
    for (int i = 0; i < 4; ++i)
        QCOMPARE(std::string(sheet.context.page->DrawCommands(i)->ClassName()), drawn[std::size_t(i)]);
    QVERIFY(static_cast<TppDrawText *>(sheet.context.page->DrawCommands(2))->IsMemo());
    // The shape that stretches with the band reaches the memo's bottom.
    QCOMPARE(sheet.context.page->DrawCommands(1)->Height() > 1000, true);
}

void BandGenerationTest::eventsInOrder()
{
    LetterReport sheet;
    auto &band = sheet.Add<TppHeaderBand>();
    auto &shape = sheet.Place<TppShape>(band, 0, 0, 1000, 1000);
    std::vector<std::string> events;
    band.BeforePrint = [&](TppBand &) { events.push_back("BeforePrint"); };
    band.BeforeGenerate = [&](TppBand &) { events.push_back("BeforeGenerate"); };
    shape.OnPrint = [&](TppComponent &) { events.push_back("OnPrint"); };
    band.AfterGenerate = [&](TppBand &) { events.push_back("AfterGenerate"); };
    shape.OnDrawCommandCreate = [&](TppComponent &, TppDrawCommand &) { events.push_back("OnDrawCommandCreate"); };
    band.AfterPrint = [&](TppBand &) { events.push_back("AfterPrint"); };
    sheet.ResetAll();
    band.Generate(sheet.context);
    const std::vector<std::string> expected{"BeforePrint", "BeforeGenerate", "OnPrint", "AfterGenerate",
                                            "OnDrawCommandCreate", "AfterPrint"};
    QCOMPARE(events, expected);
}

void BandGenerationTest::headerOnFirstAndLastPage_data()
{
    QTest::addColumn<bool>("onFirst");
    QTest::addColumn<bool>("onLast");
    QTest::addColumn<std::int32_t>("pageNo");
    QTest::addColumn<bool>("secondPass");
    QTest::addColumn<bool>("complete");
    QTest::addColumn<bool>("prints");

    QTest::newRow("not on first: page 1") << false << true << 1 << false << false << false;
    QTest::newRow("not on first: page 2") << false << true << 2 << false << false << true;
    QTest::newRow("not on last: first pass, incomplete") << true << false << 2 << false << false << true;
    QTest::newRow("not on last: first pass, complete") << true << false << 2 << false << true << false;
    QTest::newRow("not on last: second pass, last page") << true << false << 3 << true << false << false;
    QTest::newRow("not on last: second pass, page 2") << true << false << 2 << true << false << true;
    QTest::newRow("on last: complete") << true << true << 2 << false << true << true;
}

void BandGenerationTest::headerOnFirstAndLastPage()
{
    QFETCH(bool, onFirst);
    QFETCH(bool, onLast);
    QFETCH(std::int32_t, pageNo);
    QFETCH(bool, secondPass);
    QFETCH(bool, complete);
    QFETCH(bool, prints);

    LetterReport sheet;
    auto &header = sheet.Add<TppHeaderBand>();
    header.SetmmHeight(10000);
    header.SetPrintOnFirstPage(onFirst);
    header.SetPrintOnLastPage(onLast);
    sheet.ResetAll();
    sheet.context.pageNo = pageNo;
    sheet.context.pageCount = 3;
    sheet.context.twoPass = secondPass;
    sheet.context.firstPass = !secondPass;
    sheet.context.secondPass = secondPass;
    sheet.context.countKnown = secondPass;
    sheet.context.reportComplete = complete;

    header.Generate(sheet.context);
    QVERIFY(header.Done());
    QCOMPARE(header.PrintsInCall(), prints ? 1 : 0);
    QCOMPARE(sheet.context.printTop, prints ? 16350 : 6350);
}

void BandGenerationTest::detailPrintsOnceWithAutoStop()
{
    LetterReport sheet;
    auto &detail = sheet.Add<TppDetailBand>();
    detail.SetmmHeight(9790);
    sheet.ResetAll();
    sheet.context.printTop = 241036;
    detail.Generate(sheet.context);
    QCOMPARE(detail.PrintsInCall(), 1);
    QVERIFY(detail.Done());
    QVERIFY(sheet.context.dataFinished);
    QVERIFY(sheet.context.reportComplete);
    QCOMPARE(detail.PrintTop(), 241036);
    QCOMPARE(sheet.context.printTop, 250826);
}

void BandGenerationTest::detailRepeatsUntilThePageIsFull()
{
    LetterReport sheet;
    sheet.report.SetAutoStop(false);
    auto &detail = sheet.Add<TppDetailBand>();
    detail.SetmmHeight(9790);
    sheet.Place<TppShape>(detail, 0, 0, 1000, 1000);
    sheet.ResetAll();
    sheet.context.pageBottom = 268288;
    sheet.context.printTop = 241036;

    detail.Generate(sheet.context);
    QCOMPARE(detail.PrintsInCall(), 2);
    QVERIFY(detail.OutOfSpace());
    QVERIFY(!sheet.context.dataFinished);
    QCOMPARE(Tops(*sheet.context.page), (std::vector<std::int32_t>{241036, 250826}));
    QCOMPARE(sheet.context.printTop, 260616);
}

void BandGenerationTest::printCountEndsThePage()
{
    LetterReport sheet;
    sheet.report.SetAutoStop(false);
    auto &detail = sheet.Add<TppDetailBand>();
    detail.SetmmHeight(10000);
    detail.SetPrintCount(3);
    sheet.ResetAll();
    detail.Generate(sheet.context);
    QCOMPARE(detail.PrintsInCall(), 3);
    QVERIFY(detail.Done());
    QVERIFY(detail.OutOfSpace());
    QCOMPARE(sheet.context.printTop, 6350 + 30000);

    sheet.NextPage();
    detail.Generate(sheet.context);
    QCOMPARE(detail.PrintsInCall(), 3);
    QCOMPARE(detail.PrintTop(), 6350 + 20000);
}

void BandGenerationTest::hiddenDetailStillEndsTheData()
{
    LetterReport sheet;
    auto &detail = sheet.Add<TppDetailBand>();
    detail.SetVisible(false);
    sheet.ResetAll();
    detail.Generate(sheet.context);
    QVERIFY(detail.Done());
    QCOMPARE(detail.PrintsInCall(), 0);
    QVERIFY(sheet.context.dataFinished);
    QVERIFY(sheet.context.reportComplete);

    // Without AutoStop a hidden detail band ends the page rather than being
    // asked again and again on it.
    LetterReport endless;
    endless.report.SetAutoStop(false);
    auto &other = endless.Add<TppDetailBand>();
    other.SetVisible(false);
    endless.ResetAll();
    other.Generate(endless.context);
    QVERIFY(other.Done());
    QVERIFY(!endless.context.dataFinished);
}

void BandGenerationTest::noDrawCommandsUnlessDrawPage()
{
    LetterReport sheet;
    auto &band = sheet.Add<TppHeaderBand>();
    band.SetmmHeight(10000);
    sheet.Place<TppShape>(band, 0, 0, 1000, 1000);
    sheet.context.outputPage = false;
    sheet.ResetAll();
    QVERIFY(!band.DrawPage());
    band.Generate(sheet.context);
    QCOMPARE(sheet.context.page->DrawCommandCount(), 0);
    QCOMPARE(sheet.context.printTop, 16350);
}

void BandGenerationTest::commandsOfABandCanBeRemovedOrMoved()
{
    LetterReport sheet;
    auto &header = sheet.Add<TppHeaderBand>();
    header.SetmmHeight(10000);
    sheet.Place<TppShape>(header, 0, 0, 1000, 1000);
    auto &detail = sheet.Add<TppDetailBand>();
    detail.SetmmHeight(10000);
    sheet.Place<TppShape>(detail, 0, 500, 1000, 1000);
    sheet.Place<TppShape>(detail, 0, 700, 1000, 1000);
    sheet.ResetAll();
    header.Generate(sheet.context);
    detail.Generate(sheet.context);
    QCOMPARE(header.PageDrawCommands().size(), std::size_t(1));
    QCOMPARE(detail.PageDrawCommands().size(), std::size_t(2));

    header.RemovePageDrawCommands(*sheet.context.page);
    detail.MovePageDrawCommands(-header.HeightUsed());
    QCOMPARE(Tops(*sheet.context.page), (std::vector<std::int32_t>{6350 + 500, 6350 + 700}));

    sheet.NextPage();
    QVERIFY(detail.PageDrawCommands().empty());
}

void BandGenerationTest::kindNotActiveEndsTheCall()
{
    LetterReport sheet;
    sheet.report.SetAutoStop(false);
    auto &detail = sheet.Add<TppDetailBand>();
    detail.SetmmHeight(10000);
    sheet.ResetAll();
    sheet.context.kinds = bkHeader;
    detail.Generate(sheet.context);
    QVERIFY(detail.Done());
    QCOMPARE(detail.PrintsInCall(), 1);
}

QTEST_MAIN(BandGenerationTest)
#include "band_generation_test.moc"
