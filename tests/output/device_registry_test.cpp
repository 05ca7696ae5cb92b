#include "output/device.h"
#include "output/device_registry.h"
#include "output/raster_device.h"

#include <QtTest>

namespace {

// Device kinds of this test only; the registry may already hold the
// program's own kinds, so every check looks at what the test adds.
class ListDevice : public TppDevice {
public:
    static const TppDeviceClass &StaticClass()
    {
        static const TppDeviceClass listClass("TListDevice", "List", &TppDevice::StaticClass(),
                                              []() -> std::unique_ptr<TppDevice> {
                                                  return std::make_unique<ListDevice>();
                                              });
        return listClass;
    }
    const TppDeviceClass &Class() const override { return StaticClass(); }
};

// A second kind answering to the same name, in another case.
const TppDeviceClass gUpperList("TUpperListDevice", "LIST", &TppDevice::StaticClass(), nullptr);
const TppDeviceClass gPaper("TPaperDevice", "Paper", &TppRasterDevice::StaticClass(), nullptr,
                            "Paper Device");

QStringList AddedNames(const TppDeviceClassNames &before)
{
    TppDeviceClassNames now;
    DeviceClassNames(now);
    QStringList added;
    for (std::size_t i = before.size(); i < now.size(); ++i)
        added << QString::fromStdString(now[i].first);
    return added;
}

} // namespace

class DeviceRegistryTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup();

    void registersInOrderOnce();
    void nullClassesAreIgnored();
    void namesAreAppendedWithTheirClasses();
    void find_data();
    void find();
    void firstRegisteredWinsOnEqualNames();
    void unregisteredClassIsNoLongerFound();
    void registeredClassMakesDevices();
    void registrationLastsAsLongAsItsHolder();
};

void DeviceRegistryTest::cleanup()
{
    for (const TppDeviceClass *c : {&ListDevice::StaticClass(), &gUpperList, &gPaper})
        UnregisterDeviceClass(c);
}

void DeviceRegistryTest::registersInOrderOnce()
{
    TppDeviceClassNames before;
    DeviceClassNames(before);
    RegisterDeviceClass(&gPaper);
    RegisterDeviceClass(&ListDevice::StaticClass());
    RegisterDeviceClass(&gPaper);
    QCOMPARE(AddedNames(before), (QStringList{"Paper", "List"}));
}

void DeviceRegistryTest::nullClassesAreIgnored()
{
    TppDeviceClassNames before;
    DeviceClassNames(before);
    RegisterDeviceClass(nullptr);
    UnregisterDeviceClass(nullptr);
    UnregisterDeviceClass(&gPaper); // never registered
    QVERIFY(AddedNames(before).isEmpty());
    TppDeviceClassNames after;
    DeviceClassNames(after);
    QCOMPARE(after.size(), before.size());
}

void DeviceRegistryTest::namesAreAppendedWithTheirClasses()
{
    RegisterDeviceClass(&gPaper);
    TppDeviceClassNames names{{"kept", nullptr}};
    DeviceClassNames(names);
    QVERIFY(names.size() >= 2);
    QCOMPARE(names.front().first, "kept");
    QCOMPARE(names.back().first, "Paper");
    QCOMPARE(names.back().second, &gPaper);
    QCOMPARE(names.back().second->Description(), "Paper Device");
}

void DeviceRegistryTest::find_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("className");
    QTest::newRow("exact") << "Paper" << "TPaperDevice";
    QTest::newRow("lower case") << "paper" << "TPaperDevice";
    QTest::newRow("upper case") << "PAPER" << "TPaperDevice";
    QTest::newRow("other kind") << "list" << "TListDevice";
    QTest::newRow("unknown") << "Plotter" << "";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("longer") << "Papers" << "";
    QTest::newRow("by class name") << "TPaperDevice" << "";
}

void DeviceRegistryTest::find()
{
    QFETCH(QString, name);
    RegisterDeviceClass(&gPaper);
    RegisterDeviceClass(&ListDevice::StaticClass());
    const TppDeviceClass *found = FindDeviceClass(name.toStdString());
    QTEST(QString(found ? found->ClassName() : ""), "className");
}

void DeviceRegistryTest::firstRegisteredWinsOnEqualNames()
{
    RegisterDeviceClass(&gUpperList);
    RegisterDeviceClass(&ListDevice::StaticClass());
    QCOMPARE(FindDeviceClass("List"), &gUpperList);
    UnregisterDeviceClass(&gUpperList);
    QCOMPARE(FindDeviceClass("List"), &ListDevice::StaticClass());
}

void DeviceRegistryTest::unregisteredClassIsNoLongerFound()
{
    RegisterDeviceClass(&gPaper);
    QVERIFY(FindDeviceClass("Paper"));
    UnregisterDeviceClass(&gPaper);
    QVERIFY(!FindDeviceClass("Paper"));
    UnregisterDeviceClass(&gPaper);
    RegisterDeviceClass(&gPaper);
    QCOMPARE(FindDeviceClass("Paper"), &gPaper);
}

void DeviceRegistryTest::registeredClassMakesDevices()
{
    RegisterDeviceClass(&ListDevice::StaticClass());
    const TppDeviceClass *found = FindDeviceClass("List");
    QVERIFY(found);
    const std::unique_ptr<TppDevice> device = found->Create();
    QVERIFY(device);
    QCOMPARE(device->DeviceTypeName(), "List");
    QCOMPARE(&device->Class(), found);
    QVERIFY(found->InheritsFrom(TppDevice::StaticClass()));
    QVERIFY(!found->InheritsFrom(TppRasterDevice::StaticClass()));
    QVERIFY(gPaper.InheritsFrom(TppRasterDevice::StaticClass()));
    // A kind without a factory cannot be made on its own.
    QVERIFY(!gPaper.Create());
}

void DeviceRegistryTest::registrationLastsAsLongAsItsHolder()
{
    {
        const TppDeviceClassRegistration registration(gPaper);
        QCOMPARE(FindDeviceClass("Paper"), &gPaper);
    }
    QVERIFY(!FindDeviceClass("Paper"));
}

QTEST_APPLESS_MAIN(DeviceRegistryTest)
#include "device_registry_test.moc"
