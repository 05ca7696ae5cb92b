#include "publishing_fixtures.h"

#include <QtTest>

Q_DECLARE_METATYPE(TppPageSettingType)
Q_DECLARE_METATYPE(TppPageRangeType)

class PageRequestTest : public QObject {
    Q_OBJECT
private slots:
    void startsWithInitialValues();
    void clearRestoresInitialValues();
    void assignCopiesEveryField();

    void covers_data();
    void covers();
    void parityFilterOnAll_data();
    void parityFilterOnAll();
    void singlePageBeyondEndFallsBackToLastPage();

    void completedBy_data();
    void completedBy();
    void pageListCompletesAfterEveryListedPage();

    void mergeWith_data();
    void mergeWith();
    void mergeKeepsParityAndRequestedPage();
};

void PageRequestTest::startsWithInitialValues()
{
    const TppPageRequest request;
    QCOMPARE(request.PageSetting(), psAll);
    QCOMPARE(request.PageRange(), prAll);
    QCOMPARE(request.PageRequested(), 1);
    QVERIFY(request.PageList().empty());
}

void PageRequestTest::clearRestoresInitialValues()
{
    TppPageRequest request = MakeRequest(psPageList, 4, {"2", "3"}, prEvenPages);
    request.Clear();
    QVERIFY(request == TppPageRequest());
}

void PageRequestTest::assignCopiesEveryField()
{
    const TppPageRequest source = MakeRequest(psSinglePage, 7, {"1", "9"}, prOddPages);
    TppPageRequest target = MakeRequest(psLastPage, 2, {"5"});
    target.Assign(source);
    QVERIFY(target == source);

    // The copy is independent of its source.
    target.SetPageList(Lines({"4"}));
    QCOMPARE(ToStringList(source.PageList()), QStringList({"1", "9"}));

    target.Assign(target);
    QCOMPARE(ToStringList(target.PageList()), QStringList({"4"}));
}

void PageRequestTest::covers_data()
{
    QTest::addColumn<TppPageSettingType>("setting");
    QTest::addColumn<int>("requested");
    QTest::addColumn<QStringList>("list");
    QTest::addColumn<TppPageRangeType>("range");
    QTest::addColumn<int>("pageNo");
    QTest::addColumn<int>("pageCount");
    QTest::addColumn<bool>("lastPage");
    QTest::addColumn<bool>("covered");
    QTest::addColumn<int>("requestedAfter");

    QTest::newRow("all") << psAll << 1 << QStringList() << prAll << 4 << 5 << false << true << 1;
    QTest::newRow("list holds the page") << psPageList << 1 << QStringList{"2", "4"} << prAll << 4 << 5 << false << true << 1;
    QTest::newRow("list lacks the page") << psPageList << 1 << QStringList{"2", "5"} << prAll << 4 << 5 << false << false << 1;
    // Lines are compared as written: only plain decimal names a page.
    QTest::newRow("list line with a blank") << psPageList << 1 << QStringList{" 4"} << prAll << 4 << 5 << false << false << 1;
    QTest::newRow("single, that page") << psSinglePage << 3 << QStringList() << prAll << 3 << 5 << false << true << 3;
    QTest::newRow("single, another page") << psSinglePage << 3 << QStringList() << prAll << 2 << 5 << false << false << 3;
    QTest::newRow("single 7, last page 5") << psSinglePage << 7 << QStringList() << prAll << 5 << 5 << true << true << 5;
    QTest::newRow("single 7, page 5 not yet last") << psSinglePage << 7 << QStringList() << prAll << 5 << 5 << false << false << 7;
    QTest::newRow("single 0, page 1") << psSinglePage << 0 << QStringList() << prAll << 1 << 5 << false << true << 1;
    QTest::newRow("single -3, page 1") << psSinglePage << -3 << QStringList() << prAll << 1 << 5 << false << true << 1;
    QTest::newRow("single 0, page 2") << psSinglePage << 0 << QStringList() << prAll << 2 << 5 << false << false << 0;
    QTest::newRow("first, first page") << psFirstPage << 1 << QStringList() << prAll << 1 << 5 << false << true << 1;
    QTest::newRow("first, page 2") << psFirstPage << 1 << QStringList() << prAll << 2 << 5 << false << false << 1;
    QTest::newRow("last, last page") << psLastPage << 1 << QStringList() << prAll << 5 << 5 << true << true << 1;
    QTest::newRow("last, page 4") << psLastPage << 1 << QStringList() << prAll << 4 << 5 << false << false << 1;
    QTest::newRow("range covers nothing") << psPageRange << 1 << QStringList() << prAll << 1 << 5 << false << false << 1;
    QTest::newRow("list, odd filter, even page") << psPageList << 1 << QStringList{"2"} << prOddPages << 2 << 5 << false << false << 1;
    QTest::newRow("single, even filter, even page") << psSinglePage << 2 << QStringList() << prEvenPages << 2 << 5 << false << true << 2;
    QTest::newRow("single 7, last page 5, even filter") << psSinglePage << 7 << QStringList() << prEvenPages << 5 << 5 << true << false << 5;
}

void PageRequestTest::covers()
{
    QFETCH(TppPageSettingType, setting);
    QFETCH(int, requested);
    QFETCH(QStringList, list);
    QFETCH(TppPageRangeType, range);
    QFETCH(int, pageNo);
    QFETCH(int, pageCount);
    QFETCH(bool, lastPage);

    TppPageRequest request = MakeRequest(setting, requested, list, range);
    const auto page = MakePage({pageNo, pageCount, pageNo == 1, lastPage});
    QTEST(request.Covers(*page), "covered");
    QTEST(int(request.PageRequested()), "requestedAfter");
    QCOMPARE(ToStringList(request.PageList()), list);
}

void PageRequestTest::parityFilterOnAll_data()
{
    QTest::addColumn<TppPageRangeType>("range");
    QTest::addColumn<QList<int>>("covered");
    QTest::newRow("all") << prAll << QList<int>{1, 2, 3, 4, 5};
    QTest::newRow("odd") << prOddPages << QList<int>{1, 3, 5};
    QTest::newRow("even") << prEvenPages << QList<int>{2, 4};
}

void PageRequestTest::parityFilterOnAll()
{
    QFETCH(TppPageRangeType, range);
    TppPageRequest request = MakeRequest(psAll, 1, {}, range);
    QList<int> covered;
    for (int no = 1; no <= 5; ++no) {
        if (request.Covers(*FinishedPage(no, 5)))
            covered << no;
    }
    QTEST(covered, "covered");
}

void PageRequestTest::singlePageBeyondEndFallsBackToLastPage()
{
    // A request for page 7 of a five-page report: pages 1 to 4 are not
    // covered, page 5 arrives as the last page and is.
    TppPageRequest request = MakeRequest(psSinglePage, 7);
    QList<int> covered;
    for (int no = 1; no <= 5; ++no) {
        const auto page = FinishedPage(no, 5);
        if (request.Covers(*page))
            covered << no;
    }
    QCOMPARE(covered, QList<int>{5});
    QCOMPARE(request.PageRequested(), 5);
    QVERIFY(request.CompletedBy(*FinishedPage(5, 5)));
}

void PageRequestTest::completedBy_data()
{
    QTest::addColumn<TppPageSettingType>("setting");
    QTest::addColumn<int>("requested");
    QTest::addColumn<QStringList>("list");
    QTest::addColumn<TppPageRangeType>("range");
    QTest::addColumn<int>("pageNo");
    QTest::addColumn<bool>("lastPage");
    QTest::addColumn<bool>("completed");
    QTest::addColumn<QStringList>("listAfter");

    QTest::newRow("all, middle page") << psAll << 1 << QStringList() << prAll << 3 << false << false << QStringList();
    QTest::newRow("all, last page") << psAll << 1 << QStringList() << prAll << 5 << true << true << QStringList();
    // The parity filter plays no part: an odd request completes with an even last page.
    QTest::newRow("odd, even last page") << psAll << 1 << QStringList() << prOddPages << 4 << true << true << QStringList();
    QTest::newRow("last, last page") << psLastPage << 1 << QStringList() << prAll << 5 << true << true << QStringList();
    QTest::newRow("last, other page") << psLastPage << 1 << QStringList() << prAll << 4 << false << false << QStringList();
    QTest::newRow("list, one of two") << psPageList << 1 << QStringList{"2", "5"} << prAll << 2 << false << false << QStringList{"5"};
    QTest::newRow("list, the only one") << psPageList << 1 << QStringList{"5"} << prAll << 5 << true << true << QStringList();
    QTest::newRow("list, not listed") << psPageList << 1 << QStringList{"2", "5"} << prAll << 3 << false << false << QStringList{"2", "5"};
    QTest::newRow("list, only the first equal line goes") << psPageList << 1 << QStringList{"2", "2"} << prAll << 2 << false << false << QStringList{"2"};
    QTest::newRow("list, empty") << psPageList << 1 << QStringList() << prAll << 3 << false << true << QStringList();
    QTest::newRow("single, that page") << psSinglePage << 3 << QStringList() << prAll << 3 << false << true << QStringList();
    QTest::newRow("single, other page") << psSinglePage << 3 << QStringList() << prAll << 2 << false << false << QStringList();
    QTest::newRow("first, page 1") << psFirstPage << 1 << QStringList() << prAll << 1 << false << true << QStringList();
    QTest::newRow("first, page 2") << psFirstPage << 1 << QStringList() << prAll << 2 << false << false << QStringList();
    QTest::newRow("range never completes") << psPageRange << 1 << QStringList() << prAll << 5 << true << false << QStringList();
}

void PageRequestTest::completedBy()
{
    QFETCH(TppPageSettingType, setting);
    QFETCH(int, requested);
    QFETCH(QStringList, list);
    QFETCH(TppPageRangeType, range);
    QFETCH(int, pageNo);
    QFETCH(bool, lastPage);

    TppPageRequest request = MakeRequest(setting, requested, list, range);
    const auto page = MakePage({pageNo, 5, pageNo == 1, lastPage});
    QTEST(request.CompletedBy(*page), "completed");
    QTEST(ToStringList(request.PageList()), "listAfter");
}

void PageRequestTest::pageListCompletesAfterEveryListedPage()
{
    TppPageRequest request = MakeRequest(psPageList, 1, {"2", "5"});
    QList<int> completedAt;
    for (int no = 1; no <= 5; ++no) {
        if (request.CompletedBy(*FinishedPage(no, 5)))
            completedAt << no;
    }
    QCOMPARE(completedAt, QList<int>{5});
    QVERIFY(request.PageList().empty());
}

void PageRequestTest::mergeWith_data()
{
    QTest::addColumn<TppPageSettingType>("setting");
    QTest::addColumn<int>("requested");
    QTest::addColumn<QStringList>("list");
    QTest::addColumn<TppPageSettingType>("otherSetting");
    QTest::addColumn<int>("otherRequested");
    QTest::addColumn<TppPageSettingType>("settingAfter");
    QTest::addColumn<QStringList>("listAfter");

    // Any request other than a single or first page widens to all pages.
    const QList<std::pair<const char *, TppPageSettingType>> widening{
        {"all", psAll}, {"last", psLastPage}, {"list", psPageList}, {"range", psPageRange}};
    for (const auto &[name, other] : widening) {
        QTest::addRow("single merged with %s", name) << psSinglePage << 4 << QStringList() << other << 1 << psAll << QStringList();
        QTest::addRow("first merged with %s", name) << psFirstPage << 1 << QStringList() << other << 1 << psAll << QStringList();
        QTest::addRow("list merged with %s", name) << psPageList << 1 << QStringList{"3"} << other << 1 << psAll << QStringList{"3"};
    }
    QTest::newRow("single 4 with single 2") << psSinglePage << 4 << QStringList() << psSinglePage << 2 << psPageList << QStringList{"4", "2"};
    QTest::newRow("single 4 with single 4") << psSinglePage << 4 << QStringList() << psSinglePage << 4 << psSinglePage << QStringList();
    QTest::newRow("single 4 with first") << psSinglePage << 4 << QStringList() << psFirstPage << 1 << psPageList << QStringList{"4", "1"};
    QTest::newRow("single 1 with first") << psSinglePage << 1 << QStringList() << psFirstPage << 1 << psSinglePage << QStringList();
    QTest::newRow("first with single 1") << psFirstPage << 1 << QStringList() << psSinglePage << 1 << psFirstPage << QStringList();
    QTest::newRow("first with single 3") << psFirstPage << 1 << QStringList() << psSinglePage << 3 << psPageList << QStringList{"1", "3"};
    QTest::newRow("first with first") << psFirstPage << 1 << QStringList() << psFirstPage << 1 << psFirstPage << QStringList();
    QTest::newRow("list with a new single") << psPageList << 1 << QStringList{"4", "2"} << psSinglePage << 6 << psPageList << QStringList{"4", "2", "6"};
    QTest::newRow("list with a listed single") << psPageList << 1 << QStringList{"4", "2"} << psSinglePage << 4 << psPageList << QStringList{"4", "2"};
    QTest::newRow("list with first") << psPageList << 1 << QStringList{"4"} << psFirstPage << 1 << psPageList << QStringList{"4", "1"};
    QTest::newRow("all with single") << psAll << 1 << QStringList() << psSinglePage << 3 << psAll << QStringList();
    QTest::newRow("last with single") << psLastPage << 1 << QStringList() << psSinglePage << 3 << psLastPage << QStringList();
    QTest::newRow("range with first") << psPageRange << 1 << QStringList() << psFirstPage << 1 << psPageRange << QStringList();
}

void PageRequestTest::mergeWith()
{
    QFETCH(TppPageSettingType, setting);
    QFETCH(int, requested);
    QFETCH(QStringList, list);
    QFETCH(TppPageSettingType, otherSetting);
    QFETCH(int, otherRequested);

    TppPageRequest request = MakeRequest(setting, requested, list);
    request.MergeWith(MakeRequest(otherSetting, otherRequested));
    QTEST(request.PageSetting(), "settingAfter");
    QTEST(ToStringList(request.PageList()), "listAfter");
}

void PageRequestTest::mergeKeepsParityAndRequestedPage()
{
    TppPageRequest request = MakeRequest(psSinglePage, 4, {}, prOddPages);
    request.MergeWith(MakeRequest(psSinglePage, 2, {}, prEvenPages));
    QCOMPARE(request.PageRange(), prOddPages);
    QCOMPARE(request.PageRequested(), 4);

    // Merging a request for page 4 again changes nothing.
    const TppPageRequest before = request;
    request.MergeWith(MakeRequest(psSinglePage, 4));
    QVERIFY(request == before);
}

QTEST_GUILESS_MAIN(PageRequestTest)
#include "page_request_test.moc"
