#include "publishing_fixtures.h"

#include <QtTest>

#include <QRandomGenerator>

#include <algorithm>
#include <map>
#include <stdexcept>

Q_DECLARE_METATYPE(TppPageSettingType)

namespace {

QList<int> CachedPageNumbers(const TppPublisher &publisher, int upTo = 20)
{
    QList<int> numbers;
    for (int no = 1; no <= upTo; ++no) {
        if (publisher.CachedPage(no))
            numbers << no;
    }
    return numbers;
}

// A device of a class the publisher takes for the screen device; the class
// name is spelt in another case on purpose.
class ScreenNamedDevice : public TppDevice {
public:
    static const TppDeviceClass &StaticClass()
    {
        static const TppDeviceClass screenClass("TPPScreenDevice", "Screen", &TppDevice::StaticClass(), nullptr);
        return screenClass;
    }
    const TppDeviceClass &Class() const override { return StaticClass(); }
};

} // namespace


class PublisherTest : public QObject {
    Q_OBJECT
private slots:
    void startsEmpty();

    void servingRequests_data();
    void servingRequests();
    void allPagesNotServedWithoutPageOne();
    void allPagesNotServedWhileCacheIsIncomplete();
    void noCacheMeansTheProducerRunsForEveryRequest();

    void cacheKeys_data();
    void cacheKeys();
    void cachedCountsFollowLaterPages_data();
    void cachedCountsFollowLaterPages();
    void cachedCountsMatchRaisingEveryCopy_data();
    void cachedCountsMatchRaisingEveryCopy();
    void cacheKeepsIndependentCopiesOfFinalPagesOnly();
    void republishedPageReplacesItsCopy();
    void lastPageBecomesKnownAfterItsDelivery();
    void resetCacheAndResetAll();

    void mergedRequest_data();
    void mergedRequest();
    void firstDeviceRequestReplacesThePreviousOne();
    void completedDeviceGetsNoFurtherPages();
    void oddPagesCompleteWithTheLastPage();
    void disabledDevicesTakeNoPart();

    void jobSequence();
    void errorFromProducerStillClosesTheJob();
    void errorFromRequestDueStopsCollecting();
    void requestFromRequestDueProducesOnce();
    void abandonEndsEveryOpenJob();
    void resetDevicesResetsEnabledDevices();

    void exclusiveDevicesOfOneGroup();
    void exclusiveDevicesOfDifferentGroups();
    void reconnectingMovesTheDeviceToTheEnd();
    void publisherChangeIsAnnounced();

    void destroyedDeviceIsForgotten();
    void destroyedServedMemberBringsBackThePrevious();
    void destroyedPublisherIsForgottenByEveryDevice();
    void deviceLeavingDuringDeliveryIsSkipped();
    void deviceDestroyedWhileThePublisherDies();

    void statusText();
    void hasOnlyScreenDevices();
};

void PublisherTest::startsEmpty()
{
    const TppPublisher publisher;
    QCOMPARE(publisher.LastPageNo(), 0);
    QVERIFY(!publisher.CachePages());
    QVERIFY(publisher.Devices().empty());
    QVERIFY(!publisher.RequestResetPending());
    QVERIFY(publisher.Request() == TppPageRequest());
    QVERIFY(!publisher.RequestSatisfied());
    QVERIFY(!publisher.ServingFromCache());
    QVERIFY(!publisher.LastPageKnown());
    QVERIFY(!publisher.CollectingRequests());
    QVERIFY(!publisher.RequestOpen());
    QCOMPARE(publisher.CachedPageCount(), 0);
    QCOMPARE(publisher.ClassName(), "TppPublisher");
}

void PublisherTest::servingRequests_data()
{
    // A five-page report. A first job with `prime` runs (unless it is the
    // range setting, which stands for none); then the job under test.
    QTest::addColumn<bool>("cache");
    QTest::addColumn<TppPageSettingType>("prime");
    QTest::addColumn<TppPageSettingType>("setting");
    QTest::addColumn<int>("requested");
    QTest::addColumn<QStringList>("list");
    QTest::addColumn<int>("producerCalls");
    QTest::addColumn<QList<int>>("produced");
    QTest::addColumn<QList<int>>("drawn");
    QTest::addColumn<QList<int>>("cached");

    const QList<int> all{1, 2, 3, 4, 5};
    const QList<int> none;
    QTest::newRow("no cache, all") << false << psPageRange << psAll << 1 << QStringList() << 1 << all << all << none;
    QTest::newRow("no cache, single after all") << false << psAll << psSinglePage << 3 << QStringList() << 1 << QList<int>{3} << QList<int>{3} << none;
    QTest::newRow("cache, all after all") << true << psAll << psAll << 1 << QStringList() << 0 << none << all << all;
    QTest::newRow("cache, single after all") << true << psAll << psSinglePage << 3 << QStringList() << 0 << none << QList<int>{3} << all;
    QTest::newRow("cache, first after all") << true << psAll << psFirstPage << 1 << QStringList() << 0 << none << QList<int>{1} << all;
    QTest::newRow("cache, last after all") << true << psAll << psLastPage << 1 << QStringList() << 0 << none << QList<int>{5} << all;
    QTest::newRow("cache, list after all") << true << psAll << psPageList << 1 << QStringList{"5", "2"} << 0 << none << QList<int>{5, 2} << all;
    QTest::newRow("cache, range after all") << true << psAll << psPageRange << 1 << QStringList() << 1 << none << none << all;
    QTest::newRow("cache, list partly cached") << true << psFirstPage << psPageList << 1 << QStringList{"1", "3"} << 1 << QList<int>{2, 3} << QList<int>{1, 3} << QList<int>{1, 2, 3};
    QTest::newRow("cache, list with a line that is no number") << true << psAll << psPageList << 1 << QStringList{"2", "x"} << 1 << none << QList<int>{2} << all;
    QTest::newRow("cache, all before the last page is known") << true << psFirstPage << psAll << 1 << QStringList() << 1 << all << all << all;
    QTest::newRow("cache, last before the last page is known") << true << psFirstPage << psLastPage << 1 << QStringList() << 1 << QList<int>{2, 3, 4, 5} << QList<int>{5} << all;
    QTest::newRow("cache, single not cached") << true << psFirstPage << psSinglePage << 4 << QStringList() << 1 << QList<int>{2, 3, 4} << QList<int>{4} << QList<int>{1, 2, 3, 4};
}

void PublisherTest::servingRequests()
{
    QFETCH(bool, cache);
    QFETCH(TppPageSettingType, prime);
    QFETCH(TppPageSettingType, setting);
    QFETCH(int, requested);
    QFETCH(QStringList, list);

    TppPublisher publisher;
    publisher.SetCachePages(cache);
    PageProducer producer(publisher, 5);
    RecordingDevice device;
    device.SetPublisher(&publisher);
    if (prime != psPageRange) {
        device.SetPageRequest(MakeRequest(prime));
        device.RequestPages();
    }
    producer.calls = 0;
    producer.produced.clear();
    device.drawn.clear();

    device.SetPageRequest(MakeRequest(setting, requested, list));
    device.RequestPages();
    QTEST(producer.calls, "producerCalls");
    QTEST(producer.produced, "produced");
    QTEST(device.drawn, "drawn");
    QTEST(CachedPageNumbers(publisher), "cached");
    QVERIFY(!publisher.ServingFromCache());
    QVERIFY(!publisher.RequestOpen());
}

void PublisherTest::allPagesNotServedWithoutPageOne()
{
    TppPublisher publisher;
    publisher.SetCachePages(true);
    publisher.PublishPage(*MakePage({2, 3}));
    publisher.PublishPage(*MakePage({3, 3, false, true}));
    QVERIFY(publisher.LastPageKnown());
    QCOMPARE(CachedPageNumbers(publisher), (QList<int>{2, 3}));

    PageProducer producer(publisher, 3);
    RecordingDevice device;
    device.SetPublisher(&publisher);
    device.RequestPages();
    QCOMPARE(producer.calls, 1);
    QCOMPARE(device.drawn, (QList<int>{1, 2, 3}));
}

void PublisherTest::allPagesNotServedWhileCacheIsIncomplete()
{
    // Page 1 says there are three pages, but page 2 is missing.
    TppPublisher publisher;
    publisher.SetCachePages(true);
    publisher.PublishPage(*MakePage({1, 3, true}));
    publisher.PublishPage(*MakePage({3, 3, false, true}));
    QCOMPARE(publisher.CachedPage(1)->AbsolutePageCount(), 3);

    PageProducer producer(publisher, 3);
    RecordingDevice device;
    device.SetPublisher(&publisher);
    device.RequestPages();
    QCOMPARE(producer.calls, 1);
    QCOMPARE(device.drawn, (QList<int>{1, 2, 3}));
}

void PublisherTest::noCacheMeansTheProducerRunsForEveryRequest()
{
    TppPublisher publisher;
    PageProducer producer(publisher, 2);
    RecordingDevice device;
    device.SetPublisher(&publisher);
    for (int round = 1; round <= 3; ++round) {
        device.RequestPages();
        QCOMPARE(producer.calls, round);
    }
    QCOMPARE(publisher.CachedPageCount(), 0);
    QCOMPARE(device.drawn, (QList<int>{1, 2, 1, 2, 1, 2}));
}

void PublisherTest::cacheKeys_data()
{
    QTest::addColumn<int>("pageNo");
    QTest::addColumn<QString>("key");
    QTest::newRow("1") << 1 << "       1";
    QTest::newRow("12") << 12 << "      12";
    QTest::newRow("eight digits") << 12345678 << "12345678";
    QTest::newRow("nine digits") << 123456789 << "123456789";
}

void PublisherTest::cacheKeys()
{
    QFETCH(int, pageNo);
    QTEST(QString::fromStdString(TppPublisher::PageCacheKey(pageNo)), "key");

    // Keys sort as the numbers do.
    QVERIFY(TppPublisher::PageCacheKey(9) < TppPublisher::PageCacheKey(10));
    QVERIFY(TppPublisher::PageCacheKey(99999) < TppPublisher::PageCacheKey(100000));
}

void PublisherTest::cachedCountsFollowLaterPages_data()
{
    // Each page published: number, page count, set page count, group break.
    QTest::addColumn<QList<QList<int>>>("pages");
    // Each cached page afterwards: page count, set page count.
    QTest::addColumn<QList<QList<int>>>("expected");

    QTest::newRow("count grows page by page")
        << QList<QList<int>>{{1, 1, 1, 0}, {2, 2, 2, 0}, {3, 3, 3, 0}}
        << QList<QList<int>>{{3, 3}, {3, 3}, {3, 3}};
    QTest::newRow("other group break keeps its page count")
        << QList<QList<int>>{{1, 1, 1, 0}, {2, 2, 1, 1}}
        << QList<QList<int>>{{2, 1}, {2, 1}};
    QTest::newRow("a larger page count stays")
        << QList<QList<int>>{{1, 1, 5, 0}, {2, 2, 2, 0}}
        << QList<QList<int>>{{2, 5}, {2, 2}};
    QTest::newRow("a larger count is not lowered")
        << QList<QList<int>>{{1, 5, 5, 0}, {2, 3, 3, 0}}
        << QList<QList<int>>{{5, 5}, {3, 3}};
    QTest::newRow("an earlier page published later raises nothing")
        << QList<QList<int>>{{2, 2, 2, 0}, {1, 1, 1, 0}}
        << QList<QList<int>>{{1, 1}, {2, 2}};
    QTest::newRow("a single page") << QList<QList<int>>{{1, 1, 1, 0}} << QList<QList<int>>{{1, 1}};
}

void PublisherTest::cachedCountsFollowLaterPages()
{
    QFETCH(QList<QList<int>>, pages);
    TppPublisher publisher;
    publisher.SetCachePages(true);
    for (const QList<int> &p : pages)
        publisher.PublishPage(*MakePage({p[0], p[1], p[0] == 1, false, true, false, p[2], p[3]}));

    QList<QList<int>> counts;
    for (int no = 1; no <= publisher.CachedPageCount(); ++no) {
        const TppPage *cached = publisher.CachedPage(no);
        QVERIFY(cached);
        counts << QList<int>{cached->AbsolutePageCount(), cached->PageCount()};
    }
    QTEST(counts, "expected");
}

void PublisherTest::cachedCountsMatchRaisingEveryCopy_data()
{
    QTest::addColumn<quint32>("seed");
    for (quint32 seed : {1u, 2u, 3u, 4u, 5u})
        QTest::addRow("seed %u", seed) << seed;
}

// Random runs of stored pages, reads and resets against the plain rule: on
// each store every other cached page with a smaller count is raised at once.
void PublisherTest::cachedCountsMatchRaisingEveryCopy()
{
    QFETCH(quint32, seed);
    QRandomGenerator random(seed);
    struct Model {
        int count, pageCount, groupBreak;
    };
    std::map<int, Model> model;
    TppPublisher publisher;
    publisher.SetCachePages(true);

    const auto checkPage = [&](int no) {
        const TppPage *cached = publisher.CachedPage(no);
        const auto it = model.find(no);
        QCOMPARE(cached != nullptr, it != model.end());
        if (cached) {
            QCOMPARE(cached->AbsolutePageCount(), it->second.count);
            QCOMPARE(cached->PageCount(), it->second.pageCount);
        }
    };
    for (int step = 0; step < 3000; ++step) {
        const int action = random.bounded(100);
        if (action < 2) {
            publisher.ResetCache();
            model.clear();
        } else if (action < 20) {
            checkPage(random.bounded(1, 41));
            if (QTest::currentTestFailed())
                return;
        } else {
            const int no = random.bounded(1, 41);
            const Model page{random.bounded(1, 61), random.bounded(1, 61), random.bounded(2)};
            publisher.PublishPage(*MakePage({no, page.count, no == 1, false, true, false, page.pageCount, page.groupBreak}));
            model[no] = page;
            if (model.size() > 1) {
                for (auto &[otherNo, other] : model) {
                    if (other.count >= page.count)
                        continue;
                    other.count = page.count;
                    if (other.groupBreak == page.groupBreak && other.pageCount < page.pageCount)
                        other.pageCount = page.pageCount;
                }
            }
        }
    }
    for (int no = 1; no <= 40; ++no)
        checkPage(no);
    QCOMPARE(publisher.CachedPageCount(), int(model.size()));
}

void PublisherTest::cacheKeepsIndependentCopiesOfFinalPagesOnly()
{
    TppPublisher publisher;
    publisher.SetCachePages(true);
    publisher.PublishPage(*MakePage({1, 1, true, false, false, false})); // not final
    publisher.PublishPage(*MakePage({2, 2, false, false, true, true}));  // counting page
    QCOMPARE(publisher.CachedPageCount(), 0);

    auto page = FinishedPage(3, 5);
    page->AddDrawCommand(std::make_unique<TppDrawShape>());
    page->SetDocumentName("Report");
    publisher.PublishPage(*page);
    page->ResetPage();

    const TppPage *cached = publisher.CachedPage(3);
    QVERIFY(cached && cached != page.get());
    QCOMPARE(cached->AbsolutePageNo(), 3);
    QCOMPARE(cached->DocumentName(), "Report");
    QCOMPARE(cached->DrawCommandCount(), 1);
    QCOMPARE(cached->DrawCommands(0)->Page(), cached);

    publisher.SetCachePages(false);
    publisher.PublishPage(*FinishedPage(4, 5));
    QCOMPARE(publisher.CachedPageCount(), 1);
}

void PublisherTest::republishedPageReplacesItsCopy()
{
    TppPublisher publisher;
    publisher.SetCachePages(true);
    publisher.PublishPage(*FinishedPage(2, 5));
    auto again = FinishedPage(2, 5);
    again->AddDrawCommand(std::make_unique<TppDrawShape>());
    again->AddDrawCommand(std::make_unique<TppDrawShape>());
    publisher.PublishPage(*again);
    QCOMPARE(publisher.CachedPageCount(), 1);
    QCOMPARE(publisher.CachedPage(2)->DrawCommandCount(), 2);
}

void PublisherTest::lastPageBecomesKnownAfterItsDelivery()
{
    TppPublisher publisher;
    TppDevice device;
    device.SetPublisher(&publisher);
    QList<std::pair<int, bool>> seen;
    device.OnPageArrived = [&](TppDevice &, TppPage &page) {
        seen << std::make_pair(page.AbsolutePageNo(), publisher.LastPageKnown());
    };
    for (int no = 1; no <= 3; ++no)
        publisher.PublishPage(*FinishedPage(no, 3));
    QCOMPARE(seen, (QList<std::pair<int, bool>>{{1, false}, {2, false}, {3, false}}));
    QVERIFY(publisher.LastPageKnown());
    QCOMPARE(publisher.LastPageNo(), 3);

    // The first last page seen stays the last page until a reset.
    publisher.PublishPage(*FinishedPage(4, 4));
    QCOMPARE(publisher.LastPageNo(), 3);
}

void PublisherTest::resetCacheAndResetAll()
{
    TppPublisher publisher;
    publisher.SetCachePages(true);
    PageProducer producer(publisher, 2);
    RecordingDevice device;
    device.SetPublisher(&publisher);
    device.RequestPages();
    QCOMPARE(publisher.CachedPageCount(), 2);
    QVERIFY(publisher.LastPageKnown());

    publisher.ResetCache();
    QCOMPARE(publisher.CachedPageCount(), 0);
    QVERIFY(!publisher.LastPageKnown());
    QCOMPARE(publisher.LastPageNo(), 0);
    QVERIFY(!publisher.RequestSatisfied());
    QVERIFY(publisher.CachePages());

    // ResetAll also lets the next device request replace the merged one.
    publisher.OpenJob();
    device.SetPageRequest(MakeRequest(psSinglePage, 2));
    publisher.RequestPages();
    QCOMPARE(publisher.Request().PageSetting(), psSinglePage);
    publisher.ResetAll();
    QVERIFY(publisher.Request() == TppPageRequest());
    QVERIFY(publisher.RequestResetPending());
    QCOMPARE(publisher.CachedPageCount(), 0);
    publisher.CloseJob();
}

void PublisherTest::mergedRequest_data()
{
    QTest::addColumn<TppPageSettingType>("first");
    QTest::addColumn<int>("firstPage");
    QTest::addColumn<TppPageSettingType>("second");
    QTest::addColumn<int>("secondPage");
    QTest::addColumn<TppPageSettingType>("merged");
    QTest::addColumn<QStringList>("mergedList");

    QTest::newRow("two single pages") << psSinglePage << 4 << psSinglePage << 2 << psPageList << QStringList{"4", "2"};
    QTest::newRow("the same single page") << psSinglePage << 4 << psSinglePage << 4 << psSinglePage << QStringList();
    QTest::newRow("single and all") << psSinglePage << 4 << psAll << 1 << psAll << QStringList();
    QTest::newRow("all and single") << psAll << 1 << psSinglePage << 4 << psAll << QStringList();
    QTest::newRow("first and single 1") << psFirstPage << 1 << psSinglePage << 1 << psFirstPage << QStringList();
    QTest::newRow("first and last") << psFirstPage << 1 << psLastPage << 1 << psAll << QStringList();
}

void PublisherTest::mergedRequest()
{
    QFETCH(TppPageSettingType, first);
    QFETCH(int, firstPage);
    QFETCH(TppPageSettingType, second);
    QFETCH(int, secondPage);

    TppPublisher publisher;
    PageProducer producer(publisher, 5);
    RecordingDevice a;
    RecordingDevice b;
    a.SetPublisher(&publisher);
    b.SetPublisher(&publisher);
    a.SetPageRequest(MakeRequest(first, firstPage));
    b.SetPageRequest(MakeRequest(second, secondPage));
    a.RequestPages();

    QCOMPARE(producer.requests.size(), 1);
    QTEST(producer.requests[0].PageSetting(), "merged");
    QTEST(ToStringList(producer.requests[0].PageList()), "mergedList");
    // The devices' own requests are untouched by the merge.
    QCOMPARE(a.PageRequest().PageSetting(), first);
    QCOMPARE(b.PageRequest().PageSetting(), second);
    // After the job the merged request is cleared.
    QVERIFY(publisher.Request() == TppPageRequest());
    QVERIFY(publisher.RequestResetPending());
}

void PublisherTest::firstDeviceRequestReplacesThePreviousOne()
{
    TppPublisher publisher;
    PageProducer producer(publisher, 5);
    RecordingDevice device;
    device.SetPublisher(&publisher);
    // A range request never completes, so the device still wants pages
    // when the second request of the same job is collected; merged, the
    // range would stay as it is.
    publisher.OpenJob();
    device.SetPageRequest(MakeRequest(psPageRange));
    publisher.RequestPages();
    device.SetPageRequest(MakeRequest(psSinglePage, 2));
    publisher.RequestPages();
    publisher.CloseJob();
    QCOMPARE(producer.requests.size(), 2);
    QCOMPARE(producer.requests[0].PageSetting(), psPageRange);
    QCOMPARE(producer.requests[1].PageSetting(), psSinglePage);
    QCOMPARE(producer.requests[1].PageRequested(), 2);
    QVERIFY(producer.requests[1].PageList().empty());
}

void PublisherTest::completedDeviceGetsNoFurtherPages()
{
    TppPublisher publisher;
    PageProducer producer(publisher, 7);
    RecordingDevice listed;
    RecordingDevice everything;
    listed.SetPublisher(&publisher);
    everything.SetPublisher(&publisher);
    listed.SetPageRequest(MakeRequest(psPageList, 1, {"2", "5"}));
    listed.RequestPages();

    QCOMPARE(producer.requests[0].PageSetting(), psAll);
    QCOMPARE(listed.drawn, (QList<int>{2, 5}));
    QCOMPARE(*std::max_element(listed.offered.begin(), listed.offered.end()), 5);
    QCOMPARE(everything.drawn, (QList<int>{1, 2, 3, 4, 5, 6, 7}));
    QVERIFY(listed.WantsPages()); // again, after the job
}

void PublisherTest::oddPagesCompleteWithTheLastPage()
{
    for (const int pages : {5, 4}) {
        TppPublisher publisher;
        PageProducer producer(publisher, pages);
        RecordingDevice device;
        device.SetPublisher(&publisher);
        device.SetPageRequest(MakeRequest(psAll, 1, {}, prOddPages));
        publisher.OpenJob();
        publisher.RequestPages();
        QCOMPARE(device.drawn, pages == 5 ? (QList<int>{1, 3, 5}) : (QList<int>{1, 3}));
        QVERIFY(!device.WantsPages());
        QVERIFY(publisher.RequestSatisfied());
        publisher.CloseJob();
    }
}

void PublisherTest::disabledDevicesTakeNoPart()
{
    QStringList log;
    TppPublisher publisher;
    PageProducer producer(publisher, 2);
    RecordingDevice on(&log, "on");
    RecordingDevice off(&log, "off");
    on.SetPublisher(&publisher);
    off.SetPublisher(&publisher);
    off.SetEnabled(false);
    off.SetPageRequest(MakeRequest(psAll));
    on.SetPageRequest(MakeRequest(psSinglePage, 2));
    on.RequestPages();
    QCOMPARE(log, (QStringList{"on opened", "on request due", "on closed"}));
    QVERIFY(off.offered.isEmpty());
    QCOMPARE(producer.requests[0].PageSetting(), psSinglePage);
}

void PublisherTest::jobSequence()
{
    QStringList log;
    TppPublisher publisher;
    RecordingDevice a(&log, "a");
    RecordingDevice b(&log, "b");
    a.SetPublisher(&publisher);
    b.SetPublisher(&publisher);
    b.SetPageRequest(MakeRequest(psSinglePage, 2));

    bool collectingSeen = false;
    a.OnPageRequestDue = [&](TppDevice &) {
        log << "a request due";
        collectingSeen = publisher.CollectingRequests() && !publisher.RequestOpen();
    };
    publisher.OnPagesNeeded = [&](TppPublisher &sender, const TppPageRequest &request) {
        QCOMPARE(&sender, &publisher);
        QVERIFY(&request == &publisher.Request());
        QVERIFY(publisher.RequestOpen());
        QVERIFY(!publisher.CollectingRequests());
        log << QString("pages needed %1").arg(int(request.PageSetting()));
        for (int no = 1; no <= 2; ++no)
            publisher.PublishPage(*FinishedPage(no, 2));
    };
    a.RequestPages();

    QVERIFY(collectingSeen);
    QCOMPARE(log, (QStringList{"a opened", "b opened", "a request due", "b request due",
                               QString("pages needed %1").arg(int(psAll)), "a closed", "b closed"}));
    QCOMPARE(a.drawn, (QList<int>{1, 2}));
    QCOMPARE(b.drawn, QList<int>{2});
    QVERIFY(!publisher.RequestOpen());
    QVERIFY(!a.JobOpen() && !b.JobOpen());
}

void PublisherTest::errorFromProducerStillClosesTheJob()
{
    QStringList log;
    TppPublisher publisher;
    PageProducer producer(publisher, 3);
    producer.beforePage = [](int no) {
        if (no == 2)
            throw std::runtime_error("no paper");
    };
    RecordingDevice device(&log);
    device.SetPublisher(&publisher);
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, device.RequestPages());
    QCOMPARE(log, (QStringList{"device opened", "device request due", "device closed"}));
    QVERIFY(!device.JobOpen());
    QVERIFY(!publisher.RequestOpen());
    QCOMPARE(device.drawn, QList<int>{1});

    // The next job runs normally.
    producer.beforePage = nullptr;
    device.RequestPages();
    QCOMPARE(device.drawn, (QList<int>{1, 1, 2, 3}));
}

void PublisherTest::errorFromRequestDueStopsCollecting()
{
    TppPublisher publisher;
    PageProducer producer(publisher, 1);
    RecordingDevice device;
    device.SetPublisher(&publisher);
    device.OnPageRequestDue = [](TppDevice &) { throw std::runtime_error("not now"); };
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, device.RequestPages());
    QVERIFY(!publisher.CollectingRequests());
    QVERIFY(!device.JobOpen());
    QCOMPARE(producer.calls, 0);
}

void PublisherTest::requestFromRequestDueProducesOnce()
{
    TppPublisher publisher;
    PageProducer producer(publisher, 2);
    RecordingDevice device;
    device.SetPublisher(&publisher);
    bool inner = false;
    device.OnPageRequestDue = [&](TppDevice &) {
        if (inner)
            return;
        inner = true;
        publisher.RequestPages();
        QVERIFY(publisher.CollectingRequests());
    };
    device.RequestPages();
    QCOMPARE(producer.calls, 1);
    QCOMPARE(device.drawn, (QList<int>{1, 2}));
    QVERIFY(!publisher.CollectingRequests());
}

void PublisherTest::abandonEndsEveryOpenJob()
{
    // A device that had all its pages abandons too: it may still owe copies
    // or a document not yet delivered. A closed device is left alone.
    QStringList log;
    TppPublisher publisher;
    RecordingDevice done(&log, "done");
    RecordingDevice waiting(&log, "waiting");
    RecordingDevice closed(&log, "closed");
    done.SetPublisher(&publisher);
    waiting.SetPublisher(&publisher);
    closed.SetPublisher(&publisher);
    done.SetPageRequest(MakeRequest(psFirstPage));
    waiting.SetPageRequest(MakeRequest(psAll));
    publisher.OpenJob();
    publisher.PublishPage(*FinishedPage(1, 3));
    closed.CloseJob();
    log.clear();
    publisher.AbandonJob();
    QCOMPARE(log, (QStringList{"done abandoned", "waiting abandoned"}));
    QVERIFY(waiting.JobAbandoned() && !waiting.JobOpen());
    QVERIFY(done.JobAbandoned() && !done.JobOpen());
    QVERIFY(!closed.JobAbandoned());
    QVERIFY(!publisher.RequestOpen());
    publisher.CloseJob();
    QCOMPARE(log.size(), 2);
}

void PublisherTest::resetDevicesResetsEnabledDevices()
{
    TppPublisher publisher;
    TppDevice on;
    TppDevice off;
    on.SetPublisher(&publisher);
    off.SetPublisher(&publisher);
    on.SetPageRequest(MakeRequest(psSinglePage, 3));
    off.SetPageRequest(MakeRequest(psSinglePage, 3));
    off.SetEnabled(false);
    publisher.ResetDevices();
    QVERIFY(on.PageRequest() == TppPageRequest());
    QCOMPARE(off.PageRequest().PageRequested(), 3);
}

void PublisherTest::exclusiveDevicesOfOneGroup()
{
    TppPublisher publisher;
    PageProducer producer(publisher, 1);
    RecordingDevice plain, first, second, third;
    for (RecordingDevice *device : {&first, &second, &third}) {
        device->SetExclusiveInGroup(true);
        device->SetGroupName("printer");
    }
    plain.SetPublisher(&publisher);
    first.SetPublisher(&publisher);
    second.SetPublisher(&publisher);
    QCOMPARE(publisher.Devices(), (std::vector<TppDevice *>{&plain, &second}));
    QCOMPARE(publisher.DeviceGroup("printer"), (std::vector<TppDevice *>{&second, &first}));

    plain.RequestPages();
    QCOMPARE(second.drawn, QList<int>{1});
    QVERIFY(first.offered.isEmpty());

    third.SetPublisher(&publisher);
    QCOMPARE(publisher.Devices(), (std::vector<TppDevice *>{&plain, &third}));
    // Taking out a member that is not served changes nothing served.
    second.SetPublisher(nullptr);
    QCOMPARE(publisher.Devices(), (std::vector<TppDevice *>{&plain, &third}));
    QCOMPARE(publisher.DeviceGroup("printer"), (std::vector<TppDevice *>{&third, &first}));
    // Disconnecting the served one serves the previous member again.
    third.SetPublisher(nullptr);
    QCOMPARE(publisher.Devices(), (std::vector<TppDevice *>{&plain, &first}));
    plain.RequestPages();
    QCOMPARE(first.drawn, QList<int>{1});

    first.SetPublisher(nullptr);
    QCOMPARE(publisher.Devices(), std::vector<TppDevice *>{&plain});
    QVERIFY(publisher.DeviceGroup("printer").empty());
}

void PublisherTest::exclusiveDevicesOfDifferentGroups()
{
    TppPublisher publisher;
    TppDevice a, b;
    a.SetExclusiveInGroup(true);
    a.SetGroupName("one");
    b.SetExclusiveInGroup(true);
    b.SetGroupName("two");
    a.SetPublisher(&publisher);
    b.SetPublisher(&publisher);
    QCOMPARE(publisher.Devices(), (std::vector<TppDevice *>{&a, &b}));
    QVERIFY(publisher.DeviceGroup("three").empty());
}

void PublisherTest::reconnectingMovesTheDeviceToTheEnd()
{
    TppPublisher publisher;
    TppDevice a, b;
    a.SetPublisher(&publisher);
    b.SetPublisher(&publisher);
    a.SetPublisher(&publisher);
    QCOMPARE(publisher.Devices(), (std::vector<TppDevice *>{&b, &a}));

    TppPublisher other;
    a.SetPublisher(&other);
    QCOMPARE(publisher.Devices(), std::vector<TppDevice *>{&b});
    QCOMPARE(other.Devices(), std::vector<TppDevice *>{&a});
    QCOMPARE(a.Publisher(), &other);
}

void PublisherTest::publisherChangeIsAnnounced()
{
    TppPublisher publisher;
    TppDevice device;
    QList<TppPublisher *> seen;
    device.OnPublisherChanged = [&](TppDevice &sender) { seen << sender.Publisher(); };
    device.SetPublisher(&publisher);
    device.SetPublisher(nullptr);
    QCOMPARE(seen, (QList<TppPublisher *>{&publisher, nullptr}));
}

void PublisherTest::destroyedDeviceIsForgotten()
{
    TppPublisher publisher;
    PageProducer producer(publisher, 2);
    RecordingDevice kept;
    kept.SetPublisher(&publisher);
    {
        RecordingDevice gone;
        gone.SetPublisher(&publisher);
        QCOMPARE(publisher.Devices().size(), std::size_t(2));
    }
    QCOMPARE(publisher.Devices(), std::vector<TppDevice *>{&kept});
    kept.RequestPages();
    QCOMPARE(kept.drawn, (QList<int>{1, 2}));
}

void PublisherTest::destroyedServedMemberBringsBackThePrevious()
{
    TppPublisher publisher;
    TppDevice older;
    older.SetExclusiveInGroup(true);
    older.SetPublisher(&publisher);
    {
        TppDevice newer;
        newer.SetExclusiveInGroup(true);
        newer.SetPublisher(&publisher);
        QCOMPARE(publisher.Devices(), std::vector<TppDevice *>{&newer});
    }
    QCOMPARE(publisher.Devices(), std::vector<TppDevice *>{&older});

    // A waiting member that is destroyed never comes back.
    {
        auto waiting = std::make_unique<TppDevice>();
        waiting->SetExclusiveInGroup(true);
        waiting->SetPublisher(&publisher);
        TppDevice served;
        served.SetExclusiveInGroup(true);
        older.SetPublisher(nullptr);
        served.SetPublisher(&publisher);
        waiting.reset();
        served.SetPublisher(nullptr);
        QVERIFY(publisher.Devices().empty());
    }
}

void PublisherTest::destroyedPublisherIsForgottenByEveryDevice()
{
    TppDevice plain, waiting, served;
    waiting.SetExclusiveInGroup(true);
    served.SetExclusiveInGroup(true);
    QList<TppDevice *> told;
    for (TppDevice *device : {&plain, &waiting, &served})
        device->OnPublisherChanged = [&](TppDevice &sender) {
            if (!sender.Publisher())
                told << &sender;
        };
    auto publisher = std::make_unique<TppPublisher>();
    plain.SetPublisher(publisher.get());
    waiting.SetPublisher(publisher.get());
    served.SetPublisher(publisher.get());
    publisher.reset();

    QCOMPARE(told.size(), 3);
    for (TppDevice *device : {&plain, &waiting, &served}) {
        QVERIFY(told.contains(device));
        QVERIFY(device->Publisher() == nullptr);
    }
    // Nothing is left to reach the destroyed publisher.
    plain.RequestPages();
    plain.SetPublisher(nullptr);
    QCOMPARE(told.size(), 4);
}

void PublisherTest::deviceLeavingDuringDeliveryIsSkipped()
{
    TppPublisher publisher;
    RecordingDevice first, last;
    auto middle = std::make_unique<RecordingDevice>();
    first.SetPublisher(&publisher);
    middle->SetPublisher(&publisher);
    last.SetPublisher(&publisher);
    // The first device destroys the second while page 1 is delivered, and the
    // last one disconnects itself when it sees page 2.
    first.OnPageArrived = [&](TppDevice &, TppPage &page) {
        if (page.AbsolutePageNo() == 1)
            middle.reset();
    };
    last.OnPageArrived = [&](TppDevice &sender, TppPage &page) {
        if (page.AbsolutePageNo() == 2)
            sender.SetPublisher(nullptr);
    };
    publisher.OpenJob();
    for (int no = 1; no <= 3; ++no)
        publisher.PublishPage(*FinishedPage(no, 3));
    publisher.CloseJob();
    QCOMPARE(first.drawn, (QList<int>{1, 2, 3}));
    QCOMPARE(last.drawn, (QList<int>{1, 2}));
    QCOMPARE(publisher.Devices(), std::vector<TppDevice *>{&first});
}

void PublisherTest::deviceDestroyedWhileThePublisherDies()
{
    auto publisher = std::make_unique<TppPublisher>();
    auto doomed = std::make_unique<TppDevice>();
    TppDevice owner;
    int told = 0;
    doomed->OnPublisherChanged = [&](TppDevice &) { ++told; };
    doomed->SetPublisher(publisher.get());
    owner.SetPublisher(publisher.get());
    told = 0;
    // Told first, the owner frees the other device before it is told.
    owner.OnPublisherChanged = [&](TppDevice &sender) {
        if (!sender.Publisher())
            doomed.reset();
    };
    publisher.reset();
    QVERIFY(!doomed);
    QCOMPARE(told, 0);
    QVERIFY(owner.Publisher() == nullptr);
}

void PublisherTest::statusText()
{
    TppPublisher publisher;
    QVERIFY(publisher.StatusText().empty());
    TppDevice a, b;
    a.SetPublisher(&publisher);
    b.SetPublisher(&publisher);
    b.SetStatusText("Page 2");
    QCOMPARE(publisher.StatusText(), "Page 2");
    a.SetStatusText("Page 1");
    QCOMPARE(publisher.StatusText(), "Page 1");

    publisher.SetStatusText("Accessing data...");
    QCOMPARE(a.StatusText(), "Accessing data...");
    QCOMPARE(b.StatusText(), "Accessing data...");
}

void PublisherTest::hasOnlyScreenDevices()
{
    TppPublisher publisher;
    QVERIFY(publisher.HasOnlyScreenDevices());
    ScreenNamedDevice screen;
    screen.SetPublisher(&publisher);
    QVERIFY(publisher.HasOnlyScreenDevices());
    TppDevice other;
    other.SetPublisher(&publisher);
    QVERIFY(!publisher.HasOnlyScreenDevices());
    other.SetPublisher(nullptr);
    QVERIFY(publisher.HasOnlyScreenDevices());
}

QTEST_GUILESS_MAIN(PublisherTest)
#include "publisher_test.moc"
