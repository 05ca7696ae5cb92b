#include "report/engine.h"

#include "output/draw_text.h"
#include "report/band_kinds.h"
#include "report/memo.h"
#include "report/print_error.h"
#include "report/report.h"
#include "report/state_cache.h"
#include "tests/report/engine_fixture.h"

#include <QtTest>

#include <stdexcept>

Q_DECLARE_METATYPE(TppPageSettingType)
Q_DECLARE_METATYPE(TppPassSettingType)

namespace {

QList<int> Numbers(const QString &text)
{
    QList<int> numbers;
    for (const QString &part : text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        numbers << part.toInt();
    return numbers;
}

} // namespace

class EngineTest : public QObject {
    Q_OBJECT

private slots:
    void pageChoice_data();
    void pageChoice();
    void pageHeaderFields_data();
    void pageHeaderFields();
    void laterRequestsRegenerateFromSavedState();
    void detailBandsFillEachPage();
    void resultsSheetPlacing();
    void headerSkipsFirstPage();
    void headerRemovedFromLastPage();
    void regeneratedPageShowsCurrentValues();
    void memoContinuesFromSavedState();
    void footerRemovedFromLastPage();
    void servedFromPublisherCache();
    void messagesProcessedBetweenBands_data();
    void messagesProcessedBetweenBands();
    void changeResetsEngine();
    void eventsInOrder();
    void twoPassEvents();
    void errorsBecomePrintErrors_data();
    void errorsBecomePrintErrors();
    void cancelStopsAtPageBoundary();
    void requestWhileBusyReturns();
    void publisherRequestWhileBusyKeepsPrinting();
    void pageRangeEndsAtOnce();
    void hiddenDetailEnds();
    void bandTallerThanPageFails();
    void pageBottom_data();
    void pageBottom();
    void pageBottomWithoutReport();
    void stateCacheSharesEqualPages();
};

void EngineTest::pageChoice_data()
{
    QTest::addColumn<TppPageSettingType>("setting");
    QTest::addColumn<int>("requested");
    QTest::addColumn<QStringList>("list");
    QTest::addColumn<TppPassSettingType>("pass");
    QTest::addColumn<bool>("cache");
    QTest::addColumn<QString>("generated");
    QTest::addColumn<QString>("output");

    // A fresh three-page report each time.
    QTest::newRow("all") << psAll << 1 << QStringList() << psOnePass << false << "1 2 3" << "1 2 3";
    QTest::newRow("first page") << psFirstPage << 1 << QStringList() << psOnePass << false << "1" << "1";
    QTest::newRow("single 2") << psSinglePage << 2 << QStringList() << psOnePass << false << "1 2" << "2";
    QTest::newRow("single 0 is page 1") << psSinglePage << 0 << QStringList() << psOnePass << false << "1" << "1";
    QTest::newRow("single beyond the end: last page again")
        << psSinglePage << 7 << QStringList() << psOnePass << false << "1 2 3 3" << "3";
    QTest::newRow("single 2 cached: every page output")
        << psSinglePage << 2 << QStringList() << psOnePass << true << "1 2" << "1 2";
    QTest::newRow("last page: only the last is output")
        << psLastPage << 1 << QStringList() << psOnePass << false << "1 2 3 3" << "3";
    QTest::newRow("last page cached: every page output")
        << psLastPage << 1 << QStringList() << psOnePass << true << "1 2 3" << "1 2 3";
    QTest::newRow("list 3, 1") << psPageList << 1 << QStringList{"3", "1"} << psOnePass << false << "1 2 3 1"
                               << "3 1";
    QTest::newRow("list skips non-pages and pages beyond the end")
        << psPageList << 1 << QStringList{"0", "x", "2", "9", "-1"} << psOnePass << false << "1 2 3" << "2";
    QTest::newRow("empty list") << psPageList << 1 << QStringList() << psOnePass << false << "" << "";
    QTest::newRow("range names no page") << psPageRange << 1 << QStringList() << psOnePass << false << "" << "";
    QTest::newRow("two pass single 2: counting pass, then page 2")
        << psSinglePage << 2 << QStringList() << psTwoPass << false << "1 2 3 2" << "2 2";
    QTest::newRow("two pass all") << psAll << 1 << QStringList() << psTwoPass << false << "1 2 3 1 2 3"
                                  << "1 1 2 3";
    QTest::newRow("two pass last page") << psLastPage << 1 << QStringList() << psTwoPass << false
                                        << "1 2 3 3" << "1 3";
}

void EngineTest::pageChoice()
{
    QFETCH(TppPageSettingType, setting);
    QFETCH(int, requested);
    QFETCH(QStringList, list);
    QFETCH(TppPassSettingType, pass);
    QFETCH(bool, cache);
    QFETCH(QString, generated);
    QFETCH(QString, output);

    EngineReport r;
    r.Pages(3);
    r.report->SetPassSetting(pass);
    r.CachePages(cache);
    r.Request(MakeRequest(setting, requested, list));
    QCOMPARE(r.generated, Numbers(generated));
    QCOMPARE(r.output, Numbers(output));
    QVERIFY(!r.report->Engine().Busy());
    QVERIFY(!r.report->Printing());
}

void EngineTest::pageHeaderFields_data()
{
    QTest::addColumn<TppPassSettingType>("pass");
    QTest::addColumn<bool>("final");
    QTest::newRow("one pass") << psOnePass << true;
    QTest::newRow("two pass") << psTwoPass << true;
}

void EngineTest::pageHeaderFields()
{
    QFETCH(TppPassSettingType, pass);
    QFETCH(bool, final);
    EngineReport r;
    r.Pages(3);
    r.report->SetPassSetting(pass);
    r.report->PrinterSetup().SetDocumentName("Hoja");
    r.Request(MakeRequest(psAll));
    QCOMPARE(int(r.device.pages.size()), 3);
    for (int i = 0; i < 3; ++i) {
        const TppPage &page = *r.device.pages[std::size_t(i)];
        const int no = i + 1;
        QCOMPARE(page.AbsolutePageNo(), no);
        QCOMPARE(page.PageNo(), no);
        QCOMPARE(page.FirstPage(), no == 1);
        QCOMPARE(page.LastPage(), no == 3);
        QCOMPARE(page.Final(), final);
        QVERIFY(!page.Calculation());
        QCOMPARE(page.PassSetting(), pass);
        QCOMPARE(page.DocumentName(), std::string("Hoja"));
        QCOMPARE(page.PrintDateTime(), r.report->PrintDateTime());
        QVERIFY(page.PrintDateTime() > 40000); // after the year 2009
        // One pass learns the count page by page; two passes know it first.
        QCOMPARE(page.AbsolutePageCount(), pass == psOnePass ? no : 3);
        QCOMPARE(page.PageCount(), page.AbsolutePageCount());
        QCOMPARE(page.PageDef().mmHeight, LetterSheet::kPaperHeight);
    }
    QCOMPARE(r.report->PageCount(), 3);
    QVERIFY(r.report->Engine().CountKnown());
}

void EngineTest::laterRequestsRegenerateFromSavedState()
{
    EngineReport r;
    r.Pages(3);
    r.Request(MakeRequest(psSinglePage, 2));
    QCOMPARE(r.generated, QList<int>({1, 2}));
    const QStringList page2 = EngineReport::Texts(*r.device.Last());

    // Page 2 again: from the state saved after page 1, without page 1.
    r.Request(MakeRequest(psSinglePage, 2));
    QCOMPARE(r.generated, QList<int>({2}));
    QCOMPARE(EngineReport::Texts(*r.device.Last()), page2);

    // Page 3 follows from the state after page 2.
    r.Request(MakeRequest(psSinglePage, 3));
    QCOMPARE(r.generated, QList<int>({3}));
    QVERIFY(r.device.Last()->LastPage());

    // The count is known: a page beyond it is the last page, at once.
    r.Request(MakeRequest(psSinglePage, 9));
    QCOMPARE(r.generated, QList<int>({3}));
    QCOMPARE(r.device.Last()->AbsolutePageNo(), 3);
}

void EngineTest::detailBandsFillEachPage()
{
    // Below a header that ends at 241036, two 9790 high detail bands fit
    // above the page bottom 268288, then the footer at the bottom.
    EngineReport r;
    r.Pages(3);
    r.Request(MakeRequest(psAll));
    QCOMPARE(int(r.device.pages.size()), 3);
    const QStringList expected{"H@8350", "D@242036", "D@251826", "F@268788"};
    for (const auto &page : r.device.pages)
        QCOMPARE(EngineReport::Texts(*page), expected);
}

void EngineTest::resultsSheetPlacing()
{
    // Without a data source the detail band prints once and ends the report.
    EngineReport r;
    r.Request(MakeRequest(psAll));
    QCOMPARE(r.generated, QList<int>({1}));
    QCOMPARE(EngineReport::Texts(*r.device.Last()), QStringList({"H@8350", "D@242036", "F@268788"}));
    QCOMPARE(r.detail->PrintTop(), 241036);
    QCOMPARE(r.detail->PrintBottom(), 250826);
    QCOMPARE(r.footer->PrintTop(), 268288);
    QVERIFY(r.device.Last()->FirstPage());
    QVERIFY(r.device.Last()->LastPage());
    QCOMPARE(r.report->PageCount(), 1);
}

void EngineTest::headerSkipsFirstPage()
{
    EngineReport r;
    r.Pages(2);
    r.header->SetPrintOnFirstPage(false);
    r.Request(MakeRequest(psAll));
    QCOMPARE(int(r.device.pages.size()), 2);
    const QStringList page1 = EngineReport::Texts(*r.device.pages[0]);
    QVERIFY(!page1.contains("H@8350"));
    QVERIFY(page1.startsWith("D@7350"));
    QVERIFY(EngineReport::Texts(*r.device.pages[1]).startsWith("H@8350"));
}

void EngineTest::headerRemovedFromLastPage()
{
    EngineReport r;
    r.Pages(2);
    r.header->SetPrintOnLastPage(false);
    r.Request(MakeRequest(psAll));
    QCOMPARE(int(r.device.pages.size()), 2);
    QCOMPARE(EngineReport::Texts(*r.device.pages[0]), QStringList({"H@8350", "D@242036", "D@251826", "F@268788"}));
    // On the last page the header's commands go and the detail bands move up
    // by its height; the footer stays.
    QCOMPARE(EngineReport::Texts(*r.device.pages[1]),
             QStringList({"D@7350", "D@17140", "F@268788"}));
}

void EngineTest::regeneratedPageShowsCurrentValues()
{
    EngineReport r;
    r.Pages(2);
    r.Request(MakeRequest(psSinglePage, 1));
    const int resets = r.report->Engine().ResetCount();
    const double started = r.report->PrintDateTime();

    // Captions of labels that do not size themselves announce nothing.
    r.headerLabel->SetCaption("H2");
    r.Request(MakeRequest(psSinglePage, 1));
    QCOMPARE(r.report->Engine().ResetCount(), resets);
    QCOMPARE(r.report->PrintDateTime(), started);
    QCOMPARE(r.generated, QList<int>({1}));
    QVERIFY(EngineReport::Texts(*r.device.Last()).startsWith("H2@8350"));
}

namespace {

const TppDrawText *MemoCommand(const TppPage &page)
{
    for (int i = 0; i < page.DrawCommandCount(); ++i) {
        const auto *text = dynamic_cast<const TppDrawText *>(page.DrawCommands(i));
        if (text && text->IsMemo())
            return text;
    }
    return nullptr;
}

} // namespace

void EngineTest::memoContinuesFromSavedState()
{
    // A stretching memo of 150 lines runs over several pages; each page
    // generated again resumes it where the page before left it.
    EngineReport r;
    r.header->SetmmHeight(20000);
    auto *memo = static_cast<TppMemo *>(r.detail->AddObject(std::make_unique<TppMemo>()));
    memo->SetBounds(0, 0, 150000, 10000);
    memo->SetStretch(true);
    r.detail->SetPrintHeight(phDynamic);
    TppStringList lines;
    for (int i = 1; i <= 150; ++i)
        lines.push_back("Línea " + std::to_string(i));
    memo->SetLines(lines);

    r.Request(MakeRequest(psAll));
    const int pages = int(r.device.pages.size());
    QVERIFY(pages >= 2);
    QVERIFY(r.device.Last()->LastPage());
    std::vector<TppStringList> shown;
    for (const auto &page : r.device.pages) {
        QVERIFY(MemoCommand(*page));
        shown.push_back(MemoCommand(*page)->WrappedText());
    }
    QCOMPARE(shown.front().front(), std::string("Línea 1"));
    QCOMPARE(shown.back().back(), std::string("Línea 150"));

    r.Request(MakeRequest(psSinglePage, 2));
    QCOMPARE(r.generated, QList<int>({2}));
    QCOMPARE(MemoCommand(*r.device.Last())->WrappedText(), shown[1]);

    // Lines changed in place announce nothing; page 2 shows them, still
    // starting where page 1 ended.
    const std::string first = shown[1].front();
    const auto it = std::find(memo->Lines().begin(), memo->Lines().end(), first);
    QVERIFY(it != memo->Lines().end());
    *it = "Cambiada";
    r.Request(MakeRequest(psSinglePage, 2));
    QCOMPARE(r.generated, QList<int>({2}));
    QCOMPARE(MemoCommand(*r.device.Last())->WrappedText().front(), std::string("Cambiada"));
    QCOMPARE(MemoCommand(*r.device.Last())->WrappedText().size(), shown[1].size());
}

void EngineTest::footerRemovedFromLastPage()
{
    EngineReport r;
    r.Pages(2);
    r.footer->SetPrintOnLastPage(false);
    r.Request(MakeRequest(psAll));
    QCOMPARE(int(r.device.pages.size()), 2);
    QVERIFY(EngineReport::Texts(*r.device.pages[0]).contains("F@268788"));
    QCOMPARE(EngineReport::Texts(*r.device.pages[1]), QStringList({"H@8350", "D@242036", "D@251826"}));
}

void EngineTest::servedFromPublisherCache()
{
    EngineReport r;
    r.Pages(3);
    r.CachePages(true);
    r.Request(MakeRequest(psAll));
    QCOMPARE(r.generated, QList<int>({1, 2, 3}));
    // The publisher keeps the pages: the engine is not asked again.
    r.device.pages.clear();
    r.Request(MakeRequest(psSinglePage, 2));
    QVERIFY(r.generated.isEmpty());
    QCOMPARE(int(r.device.pages.size()), 1);
    QCOMPARE(r.device.Last()->AbsolutePageNo(), 2);
    QCOMPARE(r.device.Last()->AbsolutePageCount(), 3);
}

void EngineTest::messagesProcessedBetweenBands_data()
{
    QTest::addColumn<bool>("enabled");
    QTest::newRow("enabled") << true;
    QTest::newRow("disabled") << false;
}

void EngineTest::messagesProcessedBetweenBands()
{
    QFETCH(bool, enabled);
    EngineReport r;
    r.report->SetEnableProcessMessages(enabled);
    bool handled = false;
    bool handledBeforePageEnd = false;
    QMetaObject::invokeMethod(qApp, [&] { handled = true; }, Qt::QueuedConnection);
    r.report->OnEndPage = [&](TppCustomReport &) { handledBeforePageEnd = handled; };
    r.Request(MakeRequest(psAll));
    QCOMPARE(handledBeforePageEnd, enabled);
    QCoreApplication::processEvents();
    QVERIFY(handled);
}

void EngineTest::changeResetsEngine()
{
    EngineReport r;
    r.Pages(3);
    r.Request(MakeRequest(psSinglePage, 2));
    const double started = r.report->PrintDateTime();
    const int resets = r.report->Engine().ResetCount();
    QTest::qWait(5);

    r.footer->SetVisible(false);
    QCOMPARE(r.report->Engine().ResetCount(), resets + 1);
    QVERIFY(!r.report->Engine().Started());
    QCOMPARE(r.report->PageNo(), 0);

    r.Request(MakeRequest(psSinglePage, 2));
    QCOMPARE(r.generated, QList<int>({1, 2}));
    QVERIFY(r.report->PrintDateTime() > started);
    QVERIFY(!EngineReport::Texts(*r.device.Last()).contains("F@268788"));

    // A print request under way keeps the engine.
    r.report->SetProducing(true);
    r.footer->SetVisible(true);
    QCOMPARE(r.report->Engine().ResetCount(), resets + 1);
    r.report->SetProducing(false);
}

void EngineTest::eventsInOrder()
{
    EngineReport r;
    QStringList log;
    TppCustomReport &report = *r.report;
    report.OnStartFirstPass = [&](TppCustomReport &) { log << "start first pass"; };
    report.OnStartSecondPass = [&](TppCustomReport &) { log << "start second pass"; };
    report.OnStartPage = [&](TppCustomReport &) { log << QStringLiteral("start page %1").arg(report.PageNo()); };
    report.OnEndPage = [&](TppCustomReport &) { log << QStringLiteral("end page %1").arg(report.PageNo()); };
    report.OnEndFirstPass = [&](TppCustomReport &) { log << "end first pass"; };
    report.OnEndSecondPass = [&](TppCustomReport &) { log << "end second pass"; };
    for (TppBand *band : {static_cast<TppBand *>(r.header), static_cast<TppBand *>(r.detail)}) {
        const QString name = QString::fromStdString(band->UserName());
        band->BeforePrint = [&log, name](TppBand &) { log << name + " before print"; };
        band->BeforeGenerate = [&log, name](TppBand &) { log << name + " before generate"; };
        band->AfterGenerate = [&log, name](TppBand &) { log << name + " after generate"; };
        band->AfterPrint = [&log, name](TppBand &) { log << name + " after print"; };
    }
    r.headerLabel->OnPrint = [&](TppComponent &) { log << "label print"; };
    r.headerLabel->OnDrawCommandCreate = [&](TppComponent &, TppDrawCommand &) { log << "label draw command"; };

    r.Request(MakeRequest(psAll));
    const QStringList expected{"start first pass", "start page 1",
                               "Header before print", "Header before generate", "label print",
                               "Header after generate", "label draw command", "Header after print",
                               "Detail before print", "Detail before generate", "Detail after generate",
                               "Detail after print", "end page 1", "end first pass"};
    QCOMPARE(log, expected);

    // The pass events come once per run.
    log.clear();
    r.Request(MakeRequest(psAll));
    QVERIFY(!log.contains("start first pass"));
    QVERIFY(!log.contains("end first pass"));
    QVERIFY(log.contains("start page 1"));
}

void EngineTest::twoPassEvents()
{
    EngineReport r;
    r.Pages(2);
    r.report->SetPassSetting(psTwoPass);
    QStringList log;
    TppCustomReport &report = *r.report;
    report.OnStartFirstPass = [&](TppCustomReport &) { log << "start first"; };
    report.OnStartSecondPass = [&](TppCustomReport &) { log << "start second"; };
    report.OnStartPage = [&](TppCustomReport &) {
        log << QStringLiteral("page %1%2").arg(report.PageNo()).arg(report.FirstPass() ? " counting" : "");
    };
    report.OnEndFirstPass = [&](TppCustomReport &) { log << "end first"; };
    report.OnEndSecondPass = [&](TppCustomReport &) { log << "end second"; };
    r.Request(MakeRequest(psAll));
    QCOMPARE(log, QStringList({"start first", "page 1 counting", "page 2 counting", "end first", "start second",
                               "page 1", "page 2", "end second"}));
    QVERIFY(r.report->SecondPass());
}

void EngineTest::errorsBecomePrintErrors_data()
{
    QTest::addColumn<bool>("printError");
    QTest::addColumn<QString>("message");
    QTest::newRow("other error wrapped") << false << "Cannot generate report.\r\n\r\nboom";
    QTest::newRow("print error unchanged") << true << "boom";
}

void EngineTest::errorsBecomePrintErrors()
{
    QFETCH(bool, printError);
    QFETCH(QString, message);
    EngineReport r;
    r.Pages(3);
    r.detail->BeforePrint = [&](TppBand &) {
        if (r.report->PageNo() == 2) {
            if (printError)
                throw EPrintError("boom");
            throw std::runtime_error("boom");
        }
    };
    const int resets = r.report->Engine().ResetCount();
    try {
        r.Request(MakeRequest(psAll));
        QFAIL("no error reached the caller");
    } catch (const EPrintError &error) {
        QCOMPARE(QString::fromStdString(error.what()), message);
    }
    QVERIFY(!r.report->Engine().Busy());
    QVERIFY(!r.report->Printing());
    QCOMPARE(r.report->Engine().ResetCount(), resets + 1);
    QVERIFY(!r.report->Engine().Started());

    // The next request starts afresh and completes.
    r.detail->BeforePrint = nullptr;
    r.Request(MakeRequest(psAll));
    QCOMPARE(r.generated, QList<int>({1, 2, 3}));
}

void EngineTest::cancelStopsAtPageBoundary()
{
    EngineReport r;
    r.Pages(3);
    r.report->OnStartPage = [&](TppCustomReport &report) {
        if (report.PageNo() == 2)
            report.Cancel();
    };
    const int resets = r.report->Engine().ResetCount();
    r.Request(MakeRequest(psAll));
    QCOMPARE(r.generated, QList<int>({1}));
    QCOMPARE(int(r.device.pages.size()), 1);
    QVERIFY(r.report->CancelRequested());
    QVERIFY(!r.report->Printing());
    // A cancelled request leaves the engine reset.
    QCOMPARE(r.report->Engine().ResetCount(), resets + 1);

    r.report->OnStartPage = nullptr;
    r.Request(MakeRequest(psAll));
    QCOMPARE(r.generated, QList<int>({1, 2, 3}));
}

void EngineTest::requestWhileBusyReturns()
{
    EngineReport r;
    r.Pages(2);
    int nested = 0;
    r.report->OnStartPage = [&](TppCustomReport &report) {
        QVERIFY(report.Engine().Busy());
        const QList<int> before = r.generated;
        report.Engine().GeneratePages(MakeRequest(psAll));
        QCOMPARE(r.generated, before);
        ++nested;
    };
    r.Request(MakeRequest(psAll));
    QCOMPARE(nested, 2);
    QCOMPARE(r.generated, QList<int>({1, 2}));
}

void EngineTest::publisherRequestWhileBusyKeepsPrinting()
{
    EngineReport r;
    r.Pages(2);
    int pageRequests = 0;
    r.report->OnPageRequest = [&](TppPublisher &, const TppPageRequest &) { ++pageRequests; };
    r.report->OnStartPage = [&](TppCustomReport &report) {
        report.PagesNeeded(report.Publisher(), MakeRequest(psSinglePage, 1));
        QVERIFY(report.Printing());
    };
    r.Request(MakeRequest(psAll));
    QCOMPARE(pageRequests, 1);
    QCOMPARE(r.generated, QList<int>({1, 2}));
    QVERIFY(!r.report->Printing());
}

void EngineTest::pageRangeEndsAtOnce()
{
    EngineReport r;
    r.Pages(3);
    r.report->Engine().GeneratePages(MakeRequest(psPageRange));
    QVERIFY(r.report->Engine().DonePrinting());
    QCOMPARE(r.report->PageNo(), 0);
    QVERIFY(r.generated.isEmpty());
}

void EngineTest::hiddenDetailEnds()
{
    // No page limit and a detail band that never prints: the report ends
    // with its first page instead of running for ever.
    EngineReport r;
    r.report->SetAutoStop(false);
    r.detail->SetVisible(false);
    r.Request(MakeRequest(psAll));
    QCOMPARE(r.generated, QList<int>({1}));
    QVERIFY(r.device.Last()->LastPage());
}

void EngineTest::bandTallerThanPageFails()
{
    EngineReport r;
    r.header->SetmmHeight(100000);
    r.detail->SetPrintHeight(phStatic);
    // Taller than the space left below the header on any page.
    r.detail->SetmmHeight(200000);
    try {
        r.Request(MakeRequest(psAll));
        QFAIL("a band that fits no page was generated");
    } catch (const EPrintError &error) {
        QVERIFY(QString::fromStdString(error.what()).startsWith("Cannot generate report.\r\n\r\n"));
    }
    QVERIFY(r.generated.size() <= 3);
    QVERIFY(!r.report->Engine().Busy());
}

void EngineTest::pageBottom_data()
{
    QTest::addColumn<bool>("footerVisible");
    QTest::addColumn<bool>("columnFooter");
    QTest::addColumn<int>("bottom");
    QTest::newRow("footer") << true << false << 268288;
    QTest::newRow("hidden footer") << false << false << 273051;
    QTest::newRow("footer and column footer") << true << true << 268288 - 5000;
}

void EngineTest::pageBottom()
{
    QFETCH(bool, footerVisible);
    QFETCH(bool, columnFooter);
    QFETCH(int, bottom);
    EngineReport r;
    r.footer->SetVisible(footerVisible);
    if (columnFooter)
        r.Add<TppColumnFooterBand>(5000);
    QCOMPARE(r.report->Engine().PageBottom(), bottom);
}

void EngineTest::pageBottomWithoutReport()
{
    TppEngine engine(nullptr);
    try {
        engine.PageBottom();
        QFAIL("a page bottom without a report");
    } catch (const std::exception &error) {
        QCOMPARE(QString::fromLatin1(error.what()),
                 QStringLiteral("TppEngine.GetPageBottom: No Report assigned to this engine."));
    }
    // Nothing to generate for.
    engine.GeneratePages(MakeRequest(psAll));
    QCOMPARE(engine.PageNo(), 0);
}

void EngineTest::stateCacheSharesEqualPages()
{
    TppStateCache cache;
    EngineReport r;
    const TppCacheable &owner = *r.header;
    for (int page = 0; page < 4; ++page) {
        cache.BeginPage(page);
        cache.Save(owner, MakeSavedState(page < 3 ? 7 : 8));
        cache.Commit();
    }
    QCOMPARE(cache.LastSavedPage(), 3);
    QCOMPARE(*SavedValue<int>(*cache.Find(2, owner)), 7);
    QCOMPARE(*SavedValue<int>(*cache.Find(3, owner)), 8);
    // Equal pages share one state.
    QCOMPARE(cache.Find(0, owner), cache.Find(2, owner));
    QVERIFY(cache.Find(2, owner) != cache.Find(3, owner));
    QVERIFY(!cache.Find(4, owner));
    QVERIFY(!cache.Find(1, *r.footer));

    // A page out of order would leave a hole: it is not kept.
    cache.BeginPage(6);
    cache.Save(owner, MakeSavedState(1));
    cache.Commit();
    QCOMPARE(cache.LastSavedPage(), 3);
    cache.Clear();
    QCOMPARE(cache.LastSavedPage(), -1);
}

QTEST_MAIN(EngineTest)
#include "engine_test.moc"
