#include "platform/picture.h"

#include <QtTest>

class PictureTest : public QObject {
    Q_OBJECT

private slots:
    void loadsCompiledInJpeg();
    void refusesMissingOrForeignResources_data();
    void refusesMissingOrForeignResources();
    void rendersAtAnySize_data();
    void rendersAtAnySize();
    void bitmapsMustMatchTheirSize();
    void copiesAreIndependent();
};

void PictureTest::loadsCompiledInJpeg()
{
    const TppPicture check = platform::LoadPictureResource(":/assets/check.jpg");
    QCOMPARE(check.Kind(), gkJpeg);
    QVERIFY(check.Width() > 0 && check.Height() > 0);
    QVERIFY(!check.EncodedData().empty());
    QVERIFY(check.Bitmap().IsEmpty());
}

void PictureTest::refusesMissingOrForeignResources_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing") << ":/assets/none.jpg" << "There is no picture \":/assets/none.jpg\" in the program.";
    QTest::newRow("not a picture") << ":/assets/results_sheet.json"
                                   << "The picture \":/assets/results_sheet.json\" is not a JPEG image.";
    QTest::newRow("empty path") << "" << "There is no picture \"\" in the program.";
    // Files are never pictures of the program: a device would never end.
    QTest::newRow("device") << "/dev/zero" << "There is no picture \"/dev/zero\" in the program.";
    QTest::newRow("file") << QFINDTESTDATA("picture_test.cpp") << "There is no picture \"" + QFINDTESTDATA("picture_test.cpp") + "\" in the program.";
}

void PictureTest::refusesMissingOrForeignResources()
{
    QFETCH(QString, path);
    QFETCH(QString, message);
    try {
        platform::LoadPictureResource(path.toStdString());
        QFAIL("no error");
    } catch (const TppPictureError &error) {
        QCOMPARE(QString::fromUtf8(error.what()), message);
    }
}

void PictureTest::rendersAtAnySize_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("own size") << 0 << 0;
    QTest::newRow("quarter") << -4 << -4;
    QTest::newRow("stretched") << 300 << 20;
}

void PictureTest::rendersAtAnySize()
{
    QFETCH(int, width);
    QFETCH(int, height);
    const TppPicture logo = platform::LoadPictureResource(":/assets/logo.jpg");
    const int w = width == 0 ? logo.Width() : width < 0 ? logo.Width() / -width : width;
    const int h = height == 0 ? logo.Height() : height < 0 ? logo.Height() / -height : height;
    const TppBitmap bitmap = platform::RenderPicture(logo, w, h);
    QCOMPARE(bitmap.Width, w);
    QCOMPARE(bitmap.Height, h);
    QCOMPARE(bitmap.Pixels.size(), std::size_t(w) * h);
}

void PictureTest::bitmapsMustMatchTheirSize()
{
    QVERIFY(TppPicture::FromBitmap(TppBitmap{2, 2, {1, 2, 3}}).IsEmpty());
    QVERIFY(TppPicture::FromBitmap(TppBitmap{0, 2, {}}).IsEmpty());
    const TppPicture two = TppPicture::FromBitmap(TppBitmap{2, 1, {0xFF000000u, 0xFFFFFFFFu}});
    QCOMPARE(two.Kind(), gkBitmap);
    const TppBitmap doubled = platform::RenderPicture(two, 4, 2);
    QCOMPARE(doubled.Width, 4);
    QVERIFY_THROWS_EXCEPTION(TppPictureError, platform::RenderPicture(two, 0, 5));
    QVERIFY_THROWS_EXCEPTION(TppPictureError, platform::RenderPicture(TppPicture(), 5, 5));
}

void PictureTest::copiesAreIndependent()
{
    TppPicture original = TppPicture::FromBitmap(TppBitmap{1, 1, {0xFF112233u}});
    TppPicture copy = original;
    original = TppPicture();
    QCOMPARE(copy.Bitmap().PixelAt(0, 0), 0xFF112233u);
}

QTEST_GUILESS_MAIN(PictureTest)
#include "picture_test.moc"
