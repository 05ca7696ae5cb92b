// The windows are all built at start-up but shown later: their pictures are
// decoded when they are first painted, not before, and then show at their
// full size.

#include "screen_driver.h"

#include <memory>

class PicturesOnFirstPaintTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void decodedWhenFirstPainted_data();
    void decodedWhenFirstPainted();

private:
    std::unique_ptr<Application> m_app;
};

void PicturesOnFirstPaintTest::init()
{
    m_app = std::make_unique<Application>();
}

void PicturesOnFirstPaintTest::cleanup()
{
    m_app.reset();
}

void PicturesOnFirstPaintTest::decodedWhenFirstPainted_data()
{
    QTest::addColumn<int>("screen");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    QTest::newRow("word mark") << 2 << "Image2" << QSize(332, 68);
    QTest::newRow("logo") << 4 << "Image3" << QSize(398, 236);
    QTest::newRow("confidence formula") << 4 << "Image1" << QSize(192, 52);
    QTest::newRow("design effect ratio") << 4 << "Image2" << QSize(134, 50);
    QTest::newRow("design effect from rho") << 4 << "Image4" << QSize(128, 45);
}

void PicturesOnFirstPaintTest::decodedWhenFirstPainted()
{
    QFETCH(int, screen);
    QFETCH(QString, name);
    QFETCH(QSize, size);

    QWidget *window = screen == 2 ? static_cast<QWidget *>(&m_app->form2()) : static_cast<QWidget *>(&m_app->form4());
    auto *picture = window->findChild<QLabel *>(name);
    QVERIFY(picture);
    QVERIFY(picture->pixmap().isNull());

    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QTRY_COMPARE(picture->pixmap().size(), size);
    // Drawn, not only loaded: the label shows the picture's dark strokes.
    const QImage shown = picture->grab().toImage();
    int dark = 0;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x)
            dark += qGray(shown.pixel(x, y)) < 128 ? 1 : 0;
    }
    QVERIFY2(dark > 20, qPrintable(QString::number(dark)));
    window->hide();
}

QTEST_MAIN(PicturesOnFirstPaintTest)
#include "pictures_on_first_paint_test.moc"
