// The engine at the edges of its rules: bands that do not fit at the end of
// the report, the last page's removals with a page style, pictures changed
// from the report's page events, and lengths near the 32-bit limits.

#include "report/engine.h"

#include "output/draw_image.h"
#include "output/draw_text.h"
#include "report/band_kinds.h"
#include "report/image.h"
#include "report/print_error.h"
#include "report/report.h"
#include "tests/report/engine_fixture.h"

#include <QtTest>

#include <limits>

namespace {

TppPicture Square(std::uint32_t colour)
{
    TppBitmap bitmap;
    bitmap.Width = bitmap.Height = 4;
    bitmap.Pixels.assign(16, colour);
    return TppPicture::FromBitmap(bitmap);
}

QStringList ImageNames(const TppPage &page)
{
    QStringList names;
    for (int i = 0; i < page.DrawCommandCount(); ++i) {
        if (const auto *image = dynamic_cast<const TppDrawImage *>(page.DrawCommands(i)))
            names << QString::fromStdString(image->ImageName());
    }
    return names;
}

int LowestTop(const TppPage &page)
{
    int top = std::numeric_limits<int>::max();
    for (int i = 0; i < page.DrawCommandCount(); ++i)
        top = std::min(top, int(page.DrawCommands(i)->Top()));
    return top;
}

} // namespace

class EngineEdgeCasesTest : public QObject {
    Q_OBJECT

private slots:
    void summaryThatDoesNotFitStartsTheNextPage();
    void summaryThatFitsEndsTheReport();
    void pageStyleStaysOnThePaper();
    void pageStyleMovesWithTheBodyWhenItCan();
    void pictureChangedAtPageStart_data();
    void pictureChangedAtPageStart();
    void lengthsNearTheLimits_data();
    void lengthsNearTheLimits();
};

void EngineEdgeCasesTest::summaryThatDoesNotFitStartsTheNextPage()
{
    // The detail band ends the data at 250826; a summary 20000 high needs
    // more than the 17462 left above the page bottom (268288).
    EngineReport r;
    auto *summary = r.Add<TppSummaryBand>(20000);
    r.Place(*summary, "S", 0, 1000);
    r.Request(MakeRequest(psAll));
    QCOMPARE(int(r.device.pages.size()), 2);
    QCOMPARE(EngineReport::Texts(*r.device.pages[0]), QStringList({"H@8350", "D@242036", "F@268788"}));
    QVERIFY(!r.device.pages[0]->LastPage());
    // The summary alone follows the header; the detail band does not repeat.
    QCOMPARE(EngineReport::Texts(*r.device.pages[1]), QStringList({"H@8350", "S@242036", "F@268788"}));
    QVERIFY(r.device.pages[1]->LastPage());
    QCOMPARE(r.report->PageCount(), 2);
}

void EngineEdgeCasesTest::summaryThatFitsEndsTheReport()
{
    EngineReport r;
    auto *summary = r.Add<TppSummaryBand>(10000);
    r.Place(*summary, "S", 0, 1000);
    r.Request(MakeRequest(psAll));
    QCOMPARE(int(r.device.pages.size()), 1);
    QCOMPARE(EngineReport::Texts(*r.device.pages[0]),
             QStringList({"H@8350", "D@242036", "S@251826", "F@268788"}));
    QVERIFY(r.device.pages[0]->LastPage());
}

void EngineEdgeCasesTest::pageStyleStaysOnThePaper()
{
    // The header (234686) leaves the last page; the page style, placed at the
    // top margin, would go far above the paper if it moved up with the body.
    EngineReport r;
    auto *style = r.Add<TppPageStyle>(13229);
    r.Place(*style, "P", 0, 1000);
    r.Pages(2);
    r.header->SetPrintOnLastPage(false);
    r.Request(MakeRequest(psAll));
    QCOMPARE(int(r.device.pages.size()), 2);
    QVERIFY(EngineReport::Texts(*r.device.pages[0]).contains("P@7350"));
    const QStringList last = EngineReport::Texts(*r.device.pages[1]);
    QVERIFY2(last.contains("P@7350"), qPrintable(last.join(' ')));
    QVERIFY(last.contains("D@7350"));
    QVERIFY(LowestTop(*r.device.pages[1]) >= 0);
}

void EngineEdgeCasesTest::pageStyleMovesWithTheBodyWhenItCan()
{
    // A short header: the page style stays on the paper when it moves, and
    // the rule moves it as before.
    EngineReport r;
    r.header->SetmmHeight(5000);
    r.headerLabel->SetBounds(1000, 0, 20000, 4000);
    auto *style = r.Add<TppPageStyle>(13229);
    r.Place(*style, "P", 0, 8000);
    r.report->SetPageLimit(2);
    r.report->SetAutoStop(false);
    r.header->SetPrintOnLastPage(false);
    r.Request(MakeRequest(psAll));
    QCOMPARE(int(r.device.pages.size()), 2);
    QVERIFY(EngineReport::Texts(*r.device.pages[0]).contains("P@14350"));
    QVERIFY(EngineReport::Texts(*r.device.pages[1]).contains("P@9350"));
}

void EngineEdgeCasesTest::pictureChangedAtPageStart_data()
{
    QTest::addColumn<bool>("atStart");
    QTest::newRow("start of page") << true;
    QTest::newRow("end of page") << false;
}

void EngineEdgeCasesTest::pictureChangedAtPageStart()
{
    QFETCH(bool, atStart);
    EngineReport r;
    r.Pages(3);
    auto *image = static_cast<TppImage *>(r.detail->AddObject(std::make_unique<TppImage>()));
    image->SetName("ppImage1");
    image->SetBounds(50000, 0, 4000, 4000);
    image->SetPicture(Square(0xff0000ff));
    // Changed from the report's own events, outside any band's turn.
    const auto change = [&](TppCustomReport &) {
        if (r.report->Engine().PageNo() == (atStart ? 2 : 1))
            image->SetPicture(Square(0xffff0000));
    };
    if (atStart) {
        r.report->OnStartPage = change;
    } else {
        const auto recordPages = r.report->OnEndPage;
        r.report->OnEndPage = [&, recordPages](TppCustomReport &report) {
            change(report);
            recordPages(report);
        };
    }
    r.Request(MakeRequest(psAll));
    QCOMPARE(int(r.device.pages.size()), 3);
    QCOMPARE(ImageNames(*r.device.pages[0]).value(0), QStringLiteral("ppImage10"));
    QCOMPARE(ImageNames(*r.device.pages[1]).value(0), QStringLiteral("ppImage11"));
    QCOMPARE(ImageNames(*r.device.pages[2]).value(0), QStringLiteral("ppImage11"));

    // Pages generated again, and changes between requests, keep the number.
    image->SetPicture(Square(0xff00ff00));
    r.Request(MakeRequest(psSinglePage, 2));
    QCOMPARE(ImageNames(*r.device.pages.back()).value(0), QStringLiteral("ppImage11"));
}

void EngineEdgeCasesTest::lengthsNearTheLimits_data()
{
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("height");
    constexpr int most = std::numeric_limits<int>::max();
    QTest::newRow("top near the upper limit") << most - 1000 << 4000;
    QTest::newRow("height at the limit") << 0 << most;
}

void EngineEdgeCasesTest::lengthsNearTheLimits()
{
    // Set in code, past what a stored definition may hold: the sums of
    // placing stay in range, so nothing lands on the page wrapped round to
    // the other end; the band either fits or is refused with a print error.
    QFETCH(int, top);
    QFETCH(int, height);
    EngineReport r;
    r.detail->SetPrintHeight(phDynamic);
    r.detailLabel->SetBounds(3000, top, 20000, height);
    try {
        r.Request(MakeRequest(psAll));
    } catch (const EPrintError &) {
        QVERIFY(!r.report->Engine().Busy());
        return;
    }
    for (const auto &page : r.device.pages) {
        for (const QString &text : EngineReport::Texts(*page)) {
            if (text.startsWith("D@"))
                QVERIFY2(text.mid(2).toLongLong() >= 0, qPrintable(text));
        }
    }
}

QTEST_MAIN(EngineEdgeCasesTest)
#include "engine_edge_cases_test.moc"
