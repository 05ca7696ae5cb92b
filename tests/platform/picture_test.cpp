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
    void finerSourceChosenBySize_data();
    void finerSourceChosenBySize();
    void finerSourceMustBeItsPictureScaled();
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

void PictureTest::finerSourceChosenBySize_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("scale");
    QTest::newRow("logo shrunk") << ":/assets/logo.jpg" << 355 << 220 << 1;
    QTest::newRow("logo at its size") << ":/assets/logo.jpg" << 398 << 236 << 1;
    QTest::newRow("logo a pixel wider") << ":/assets/logo.jpg" << 399 << 236 << 3;
    QTest::newRow("logo a pixel higher") << ":/assets/logo.jpg" << 398 << 237 << 3;
    QTest::newRow("logo beyond the finest") << ":/assets/logo.jpg" << 5000 << 3000 << 3;
    QTest::newRow("check doubled") << ":/assets/check.jpg" << 96 << 70 << 4;
    QTest::newRow("check at its size") << ":/assets/check.jpg" << 48 << 35 << 1;
    QTest::newRow("formula has one source") << ":/assets/formula_deff_rho.jpg" << 1000 << 1000 << 1;
}

void PictureTest::finerSourceChosenBySize()
{
    QFETCH(QString, path);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, scale);
    const TppPicture picture = platform::LoadPictureResource(path.toStdString());
    const TppPictureSource *source = picture.SourceFor(width, height);
    QVERIFY(source);
    QCOMPARE(source->Scale, scale);
    QCOMPARE(source->Width, picture.Width() * scale);
    QCOMPARE(source->Height, picture.Height() * scale);
    // What the source holds is what it says.
    const TppBitmap pixels = platform::DecodePictureSource(picture.Kind(), *source);
    QCOMPARE(pixels.Width, source->Width);
    QCOMPARE(pixels.Height, source->Height);
    // Copies share the data instead of holding another.
    const TppPicture copy = picture;
    QCOMPARE(copy.SourceFor(width, height)->Data.get(), source->Data.get());
}

void PictureTest::finerSourceMustBeItsPictureScaled()
{
    TppPicture logo = platform::LoadPictureResource(":/assets/logo.jpg");
    const TppPicture check = platform::LoadPictureResource(":/assets/check.jpg");
    const auto dataOf = [](const TppPicture &picture, int scale) {
        for (const TppPictureSource &source : picture.Sources())
            if (source.Scale == scale)
                return *source.Data;
        return std::vector<std::uint8_t>();
    };
    const std::size_t before = logo.Sources().size();
    QVERIFY_THROWS_EXCEPTION(TppPictureError, logo.AddFinerSource(4, dataOf(check, 4)));
    QVERIFY_THROWS_EXCEPTION(TppPictureError, logo.AddFinerSource(5, {1, 2, 3}));
    // A scale no finer than the last is refused, even with fitting data.
    QVERIFY_THROWS_EXCEPTION(TppPictureError, logo.AddFinerSource(3, dataOf(logo, 3)));
    QCOMPARE(logo.Sources().size(), before);
    TppPicture bitmap = TppPicture::FromBitmap(TppBitmap{1, 1, {0xFF000000u}});
    QVERIFY_THROWS_EXCEPTION(TppPictureError, bitmap.AddFinerSource(2, dataOf(logo, 1)));
    QVERIFY(!bitmap.SourceFor(1, 1));
}

QTEST_GUILESS_MAIN(PictureTest)
#include "picture_test.moc"
