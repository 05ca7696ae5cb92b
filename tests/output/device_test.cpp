#include "publishing_fixtures.h"

#include "output/raster_device.h"

#include <QtTest>

Q_DECLARE_METATYPE(TppPageSettingType)

class DeviceTest : public QObject {
    Q_OBJECT
private slots:
    void startsClosedAndWantingPages();
    void classNames();
    void openAndCloseOnlyChangeWhatTheyMust();
    void abandonMarksTheJobUntilReset();
    void enabledIsFixedWhileAJobIsOpen();
    void groupSettingsOnlyWhileUnconnectedAndClosed();
    void pageRequestSetterCopies();

    void acceptPage_data();
    void acceptPage();
    void pageArrivedSeesTheDecisionBeforeCompletion();
    void requestCompletesOnlyOnFinalOutputPages();

    void drawPageCommandsSkipsCommandsBeyondThePaper();
    void baseDeviceDrawsNothing();
    void requestPagesWithoutPublisherDoesNothing();
};

void DeviceTest::startsClosedAndWantingPages()
{
    const TppDevice device;
    QVERIFY(device.Enabled());
    QVERIFY(!device.JobOpen());
    QVERIFY(!device.JobAbandoned());
    QVERIFY(device.WantsPages());
    QVERIFY(!device.SuppressPage());
    QVERIFY(!device.PageWanted());
    QVERIFY(!device.ExclusiveInGroup());
    QVERIFY(device.GroupName().empty());
    QVERIFY(device.StatusText().empty());
    QVERIFY(device.Publisher() == nullptr);
    QVERIFY(device.StatusWindow() == nullptr);
    QCOMPARE(device.LanguageIndex(), 0);
    QVERIFY(device.PageRequest() == TppPageRequest());
    QVERIFY(device.IgnoresNonFinalPages());
}

void DeviceTest::classNames()
{
    const TppDevice device;
    QCOMPARE(device.ClassName(), "TppDevice");
    QCOMPARE(device.DeviceTypeName(), "TppDevice");

    const TppRasterDevice raster;
    QCOMPARE(raster.ClassName(), "TppRasterDevice");
    QCOMPARE(raster.DeviceTypeName(), "TppRasterDevice");
    QVERIFY(raster.Class().InheritsFrom(TppDevice::StaticClass()));
    QVERIFY(!TppDevice::StaticClass().InheritsFrom(TppRasterDevice::StaticClass()));

    const auto made = TppRasterDevice::StaticClass().Create();
    QVERIFY(made);
    QCOMPARE(made->ClassName(), "TppRasterDevice");
}

void DeviceTest::openAndCloseOnlyChangeWhatTheyMust()
{
    QStringList log;
    RecordingDevice device(&log);

    device.CloseJob(); // closed already: nothing
    QVERIFY(log.isEmpty());

    device.OpenJob();
    device.OpenJob(); // open already: nothing
    QVERIFY(device.JobOpen());
    QCOMPARE(log, QStringList{"device opened"});

    // A device whose request completed wants pages again after the job.
    device.SetPageRequest(MakeRequest(psFirstPage));
    device.AcceptPage(*FinishedPage(1, 3));
    QVERIFY(!device.WantsPages());
    device.CloseJob();
    device.CloseJob();
    QVERIFY(!device.JobOpen());
    QVERIFY(device.WantsPages());
    QCOMPARE(log, (QStringList{"device opened", "device closed"}));
}

void DeviceTest::abandonMarksTheJobUntilReset()
{
    QStringList log;
    RecordingDevice device(&log);
    device.SetPageRequest(MakeRequest(psSinglePage, 3));
    device.OpenJob();
    device.AbandonJob();
    QVERIFY(!device.JobOpen());
    QVERIFY(device.JobAbandoned());
    QCOMPARE(log, (QStringList{"device opened", "device abandoned"}));

    // Closing an abandoned job changes nothing more.
    device.CloseJob();
    QCOMPARE(log.size(), 2);

    device.ResetDevice();
    QVERIFY(!device.JobAbandoned());
    QVERIFY(device.WantsPages());
    QVERIFY(device.PageRequest() == TppPageRequest());
}

void DeviceTest::enabledIsFixedWhileAJobIsOpen()
{
    TppDevice device;
    device.OpenJob();
    device.SetEnabled(false);
    QVERIFY(device.Enabled());
    device.CloseJob();
    device.SetEnabled(false);
    QVERIFY(!device.Enabled());
    device.SetEnabled(true);
    QVERIFY(device.Enabled());
}

void DeviceTest::groupSettingsOnlyWhileUnconnectedAndClosed()
{
    TppDevice device;
    device.SetExclusiveInGroup(true);
    device.SetGroupName("printers");
    QVERIFY(device.ExclusiveInGroup());
    QCOMPARE(device.GroupName(), "printers");

    device.OpenJob();
    device.SetExclusiveInGroup(false);
    device.SetGroupName("other");
    QVERIFY(device.ExclusiveInGroup());
    QCOMPARE(device.GroupName(), "printers");
    device.CloseJob();

    TppPublisher publisher;
    device.SetPublisher(&publisher);
    device.SetExclusiveInGroup(false);
    device.SetGroupName("other");
    QVERIFY(device.ExclusiveInGroup());
    QCOMPARE(device.GroupName(), "printers");

    device.SetPublisher(nullptr);
    device.SetGroupName("other");
    QCOMPARE(device.GroupName(), "other");
}

void DeviceTest::pageRequestSetterCopies()
{
    TppDevice device;
    TppPageRequest request = MakeRequest(psPageList, 1, {"2", "3"});
    device.SetPageRequest(request);
    request.SetPageList({});
    QCOMPARE(ToStringList(device.PageRequest().PageList()), (QStringList{"2", "3"}));
}

void DeviceTest::acceptPage_data()
{
    QTest::addColumn<TppPageSettingType>("setting");
    QTest::addColumn<int>("requested");
    QTest::addColumn<bool>("ignoresNonFinal");
    QTest::addColumn<int>("pageNo");
    QTest::addColumn<bool>("final");
    QTest::addColumn<bool>("calculation");
    QTest::addColumn<bool>("wanted");
    QTest::addColumn<bool>("suppressed");
    QTest::addColumn<bool>("wantsPagesAfter");

    QTest::newRow("wanted final page") << psAll << 1 << true << 2 << true << false << true << false << true;
    QTest::newRow("wanted last page completes") << psAll << 1 << true << 3 << true << false << true << false << false;
    QTest::newRow("page of another request") << psSinglePage << 2 << true << 1 << true << false << false << false << true;
    QTest::newRow("the single page completes") << psSinglePage << 2 << true << 2 << true << false << true << false << false;
    QTest::newRow("counting page is suppressed") << psSinglePage << 2 << true << 2 << true << true << true << true << true;
    QTest::newRow("non-final page is suppressed") << psSinglePage << 2 << true << 2 << false << false << true << true << true;
    // A device that shows pages before they are final (the screen) draws them.
    QTest::newRow("non-final page drawn when allowed") << psSinglePage << 2 << false << 2 << false << false << true << false << true;
    QTest::newRow("counting page stays suppressed when allowed") << psSinglePage << 2 << false << 2 << false << true << true << true << true;
}

void DeviceTest::acceptPage()
{
    QFETCH(TppPageSettingType, setting);
    QFETCH(int, requested);
    QFETCH(bool, ignoresNonFinal);
    QFETCH(int, pageNo);
    QFETCH(bool, final);
    QFETCH(bool, calculation);
    QFETCH(bool, wanted);
    QFETCH(bool, suppressed);

    RecordingDevice device;
    device.ignoresNonFinalPages = ignoresNonFinal;
    device.SetPageRequest(MakeRequest(setting, requested));
    device.OpenJob();
    device.AcceptPage(*MakePage({pageNo, 3, pageNo == 1, pageNo == 3, final, calculation}));
    QCOMPARE(device.PageWanted(), wanted);
    QCOMPARE(device.SuppressPage(), suppressed);
    QTEST(device.WantsPages(), "wantsPagesAfter");
    QCOMPARE(device.drawn, wanted && !suppressed ? QList<int>{pageNo} : QList<int>{});

    // The next page clears the previous decision.
    device.AcceptPage(*MakePage({1, 3, true, false, true, false}));
    QCOMPARE(device.SuppressPage(), false);
}

void DeviceTest::pageArrivedSeesTheDecisionBeforeCompletion()
{
    TppDevice device;
    device.SetPageRequest(MakeRequest(psFirstPage));
    QList<std::tuple<int, bool, bool, bool>> seen;
    device.OnPageArrived = [&](TppDevice &sender, TppPage &page) {
        QCOMPARE(&sender, &device);
        seen << std::make_tuple(page.AbsolutePageNo(), sender.PageWanted(), sender.SuppressPage(), sender.WantsPages());
    };
    device.AcceptPage(*FinishedPage(1, 2));
    device.AcceptPage(*FinishedPage(2, 2));
    QCOMPARE(seen.size(), 2);
    QCOMPARE(seen[0], std::make_tuple(1, true, false, true));
    QCOMPARE(seen[1], std::make_tuple(2, false, false, false));
}

void DeviceTest::requestCompletesOnlyOnFinalOutputPages()
{
    // Pages 2 and 5 of a page list: the list empties only with final pages
    // that are not counting pages.
    TppDevice device;
    device.SetPageRequest(MakeRequest(psPageList, 1, {"2", "5"}));
    device.AcceptPage(*MakePage({2, 5, false, false, true, true}));
    device.AcceptPage(*MakePage({2, 5, false, false, false, false}));
    QCOMPARE(ToStringList(device.PageRequest().PageList()), (QStringList{"2", "5"}));
    device.AcceptPage(*FinishedPage(2, 5));
    QVERIFY(device.WantsPages());
    device.AcceptPage(*FinishedPage(5, 5));
    QVERIFY(!device.WantsPages());
    QVERIFY(device.PageRequest().PageList().empty());
}

void DeviceTest::drawPageCommandsSkipsCommandsBeyondThePaper()
{
    TppPage page;
    const int width = page.PageDef().mmWidth;
    const int height = page.PageDef().mmHeight;
    QVERIFY(width > 0 && height > 0);

    const QList<std::pair<int, int>> corners{
        {0, 0},              // on the paper
        {width, height},     // on the right and bottom edges: drawn
        {width + 1, 0},      // wholly to the right
        {0, height + 1},     // wholly below
        {-5000, -5000},      // partly outside, above and to the left
        {width - 10, 100},   // partly outside on the right
    };
    for (const auto &[left, top] : corners) {
        auto command = std::make_unique<TppDrawShape>();
        command->SetLeft(left);
        command->SetTop(top);
        command->SetWidth(20000);
        command->SetHeight(20000);
        page.AddDrawCommand(std::move(command));
    }
    RecordingDevice device;
    device.DrawPageCommands(page);
    QCOMPARE(device.rendered, (QList<int>{0, width, -5000, width - 10}));
}

void DeviceTest::baseDeviceDrawsNothing()
{
    TppDevice device;
    TppDrawShape shape;
    QVERIFY(!shape.DrawOnDevice(device));
    QVERIFY(!device.RefreshText(shape));
}

void DeviceTest::requestPagesWithoutPublisherDoesNothing()
{
    QStringList log;
    RecordingDevice device(&log);
    device.RequestPages();
    QVERIFY(log.isEmpty());
    QVERIFY(!device.JobOpen());
}

QTEST_GUILESS_MAIN(DeviceTest)
#include "device_test.moc"
