#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QtTest>

#include <algorithm>

namespace {

struct Picture {
    const char *name;
    QSize size;
};

// The pictures with the sizes the screens and the results sheet are laid out for.
const Picture kPictures[] = {
    {"background.jpg", {795, 541}},
    {"logo.jpg", {398, 236}},
    {"wordmark.jpg", {332, 68}},
    {"check.jpg", {48, 35}},
    {"door.jpg", {31, 25}},
    {"book.jpg", {21, 22}},
    {"calculator.jpg", {30, 28}},
    {"back_arrow.jpg", {27, 22}},
    {"arrow_up.jpg", {9, 5}},
    {"arrow_down.jpg", {9, 5}},
    {"printer.jpg", {29, 22}},
    {"formula_confidence.jpg", {192, 52}},
    {"formula_deff_ratio.jpg", {134, 50}},
    {"formula_deff_rho.jpg", {128, 45}},
};

} // namespace

// Every picture the program shows is compiled in and decodes through the
// JPEG reader to the size the screens and the results sheet are laid out for.
class PicturesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void jpegReaderIsAvailable();
    void decodesToItsSize_data();
    void decodesToItsSize();
    void everyCompiledPictureIsChecked();
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
    for (const Picture &picture : kPictures)
        QTest::newRow(picture.name) << QStringLiteral(":/assets/") + QLatin1String(picture.name) << picture.size;
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

void PicturesTest::everyCompiledPictureIsChecked()
{
    // A picture added to the resources without a stated size shows up here.
    QStringList checked;
    for (const Picture &picture : kPictures)
        checked.append(QLatin1String(picture.name));
    checked.sort();
    QStringList compiled =
        QDir(QStringLiteral(":/assets")).entryList({QStringLiteral("*.jpg")}, QDir::Files, QDir::Name);
    // Finer sources ("logo@3x.jpg") belong to their picture, whose size is stated.
    compiled.removeIf([](const QString &name) { return name.contains(QLatin1Char('@')); });
    QCOMPARE(compiled, checked);
}

QTEST_GUILESS_MAIN(PicturesTest)
#include "pictures_test.moc"
