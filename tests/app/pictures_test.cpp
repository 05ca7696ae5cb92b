#include <QImage>
#include <QImageReader>
#include <QtTest>

#include <algorithm>

// Every picture the program shows is compiled in and decodes through the
// JPEG reader to the size the screens and the results sheet are laid out for.
class PicturesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void jpegReaderIsAvailable();
    void decodesToItsSize_data();
    void decodesToItsSize();
};

void PicturesTest::initTestCase()
{
    // The pictures live in a static library: naming them keeps them linked in.
    Q_INIT_RESOURCE(pictures);
}

void PicturesTest::jpegReaderIsAvailable()
{
    QVERIFY(QImageReader::supportedImageFormats().contains("jpeg"));
}

void PicturesTest::decodesToItsSize_data()
{
    QTest::addColumn<QString>("resource");
    QTest::addColumn<QSize>("size");

    QTest::newRow("background") << ":/assets/background.jpg" << QSize(795, 541);
    QTest::newRow("logo") << ":/assets/logo.jpg" << QSize(398, 236);
    QTest::newRow("wordmark") << ":/assets/wordmark.jpg" << QSize(332, 68);
    QTest::newRow("check") << ":/assets/check.jpg" << QSize(48, 35);
    QTest::newRow("door") << ":/assets/door.jpg" << QSize(31, 25);
    QTest::newRow("book") << ":/assets/book.jpg" << QSize(21, 22);
    QTest::newRow("calculator") << ":/assets/calculator.jpg" << QSize(30, 28);
    QTest::newRow("back_arrow") << ":/assets/back_arrow.jpg" << QSize(27, 22);
    QTest::newRow("arrow_up") << ":/assets/arrow_up.jpg" << QSize(9, 5);
    QTest::newRow("arrow_down") << ":/assets/arrow_down.jpg" << QSize(9, 5);
    QTest::newRow("printer") << ":/assets/printer.jpg" << QSize(29, 22);
    QTest::newRow("formula_confidence") << ":/assets/formula_confidence.jpg" << QSize(192, 52);
    QTest::newRow("formula_deff_ratio") << ":/assets/formula_deff_ratio.jpg" << QSize(134, 50);
    QTest::newRow("formula_deff_rho") << ":/assets/formula_deff_rho.jpg" << QSize(128, 45);
}

void PicturesTest::decodesToItsSize()
{
    QFETCH(QString, resource);
    QFETCH(QSize, size);

    QImageReader reader(resource);
    QCOMPARE(reader.format(), QByteArray("jpeg"));
    const QImage picture = reader.read();
    QVERIFY2(!picture.isNull(), qPrintable(reader.errorString()));
    QCOMPARE(picture.size(), size);
    // A drawn picture, not an empty box: its grey levels spread out.
    int darkest = 255;
    int lightest = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const int grey = qGray(picture.pixel(x, y));
            darkest = std::min(darkest, grey);
            lightest = std::max(lightest, grey);
        }
    }
    QVERIFY2(lightest - darkest >= 32, qPrintable(QString::number(lightest - darkest)));
}

QTEST_GUILESS_MAIN(PicturesTest)
#include "pictures_test.moc"
