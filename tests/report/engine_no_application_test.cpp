#include "report/band_kinds.h"
#include "report/engine.h"
#include "report/report.h"
#include "tests/output/publishing_fixtures.h"

#include <QtTest>

// Pages are generated without any application object: handling pending
// window messages between bands then does nothing.
class EngineNoApplicationTest : public QObject {
    Q_OBJECT

private slots:
    void generatesWithoutApplication();
};

void EngineNoApplicationTest::generatesWithoutApplication()
{
    QVERIFY(!QCoreApplication::instance());
    TppReport report;
    report.CreateDefaultBands();
    report.SetAutoStop(false);
    report.SetPageLimit(3);
    QVERIFY(report.EnableProcessMessages());
    RecordingDevice device;
    device.SetPublisher(&report.Publisher());
    device.RequestPages();
    QCOMPARE(device.drawn, QList<int>({1, 2, 3}));
    QCOMPARE(report.PageCount(), 3);
    device.SetPublisher(nullptr);
}

QTEST_APPLESS_MAIN(EngineNoApplicationTest)
#include "engine_no_application_test.moc"
