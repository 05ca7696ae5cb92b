#include "app/transparent_picture.h"

#include <QImage>
#include <QPainter>
#include <QtTest>

// Pictures drawn with a transparent colour: the bottom-left pixel's colour
// and colours close to it vanish, the drawing stays.
class TransparentPictureTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void coverageFollowsTheDistanceToTheBackground_data();
    void coverageFollowsTheDistanceToTheBackground();
    void backgroundIsTakenFromTheBottomLeftPixel();
    void checkMarkKeepsItsStroke();
    void emptyPictureStaysEmpty();
};

void TransparentPictureTest::initTestCase()
{
    // The pictures live in a static library: naming them keeps them linked in.
    Q_INIT_RESOURCE(pictures);
}

void TransparentPictureTest::coverageFollowsTheDistanceToTheBackground_data()
{
    QTest::addColumn<QColor>("background");
    QTest::addColumn<QColor>("pixel");
    QTest::addColumn<int>("minimumAlpha");
    QTest::addColumn<int>("maximumAlpha");

    QTest::newRow("background itself") << QColor(Qt::white) << QColor(Qt::white) << 0 << 0;
    QTest::newRow("JPEG noise near white") << QColor(Qt::white) << QColor(240, 246, 250) << 0 << 0;
    QTest::newRow("pale edge pixel") << QColor(Qt::white) << QColor(205, 205, 205) << 1 << 254;
    QTest::newRow("red stroke") << QColor(Qt::white) << QColor(208, 24, 24) << 255 << 255;
    QTest::newRow("black on grey") << QColor(239, 239, 239) << QColor(Qt::black) << 255 << 255;
}

void TransparentPictureTest::coverageFollowsTheDistanceToTheBackground()
{
    QFETCH(QColor, background);
    QFETCH(QColor, pixel);
    QFETCH(int, minimumAlpha);
    QFETCH(int, maximumAlpha);

    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(background);
    picture.setPixelColor(1, 1, pixel);
    const QImage result = WithTransparentBackground(picture);

    QCOMPARE(result.size(), picture.size());
    QCOMPARE(qAlpha(result.pixel(0, 3)), 0);
    const int alpha = qAlpha(result.pixel(1, 1));
    QVERIFY2(alpha >= minimumAlpha && alpha <= maximumAlpha, qPrintable(QString::number(alpha)));
}

void TransparentPictureTest::backgroundIsTakenFromTheBottomLeftPixel()
{
    // A blue picture with a white top row: blue is the transparent colour.
    QImage picture(6, 3, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    for (int x = 0; x < picture.width(); ++x)
        picture.setPixelColor(x, 0, Qt::white);
    const QImage result = WithTransparentBackground(picture);

    QCOMPARE(qAlpha(result.pixel(3, 2)), 0);
    QCOMPARE(result.pixel(3, 0), qRgb(255, 255, 255));
}

void TransparentPictureTest::checkMarkKeepsItsStroke()
{
    const QImage check = TransparentPicture(QStringLiteral(":/assets/check.jpg")).toImage();
    QCOMPARE(check.size(), QSize(48, 35));
    QCOMPARE(qAlpha(check.pixel(0, 34)), 0);
    QCOMPARE(qAlpha(check.pixel(47, 34)), 0);
    // The stroke's elbow is solid red.
    const QRgb elbow = check.pixel(19, 27);
    QCOMPARE(qAlpha(elbow), 255);
    QVERIFY(qRed(elbow) > 150 && qGreen(elbow) < 90 && qBlue(elbow) < 90);
}

void TransparentPictureTest::emptyPictureStaysEmpty()
{
    QVERIFY(WithTransparentBackground(QImage()).isNull());
    QVERIFY(TransparentPicture(QStringLiteral(":/assets/no-such-picture.jpg")).isNull());
}

QTEST_MAIN(TransparentPictureTest)
#include "transparent_picture_test.moc"
