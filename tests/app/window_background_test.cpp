// Every screen with the stucco background is painted with it edge to edge:
// the picture starts at its control's corner and repeats beyond its edges, so
// no strip of plain window colour is left along the bottom or the right.

#include "screen_driver.h"

#include <memory>

class WindowBackgroundTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void paintedEdgeToEdge_data();
    void paintedEdgeToEdge();

private:
    std::unique_ptr<Application> m_app;
};

void WindowBackgroundTest::init()
{
    m_app = std::make_unique<Application>();
}

void WindowBackgroundTest::cleanup()
{
    m_app.reset();
}

void WindowBackgroundTest::paintedEdgeToEdge_data()
{
    QTest::addColumn<int>("screen");
    QTest::newRow("main") << 1;
    QTest::newRow("selection") << 2;
    QTest::newRow("results") << 3;
}

void WindowBackgroundTest::paintedEdgeToEdge()
{
    QFETCH(int, screen);
    QWidget *window = screen == 1 ? static_cast<QWidget *>(&m_app->form1())
        : screen == 2             ? static_cast<QWidget *>(&m_app->form2())
                                  : static_cast<QWidget *>(&m_app->form3());
    const auto *place = window->findChild<QLabel *>(QStringLiteral("Image1"));
    QVERIFY(place);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));

    const QImage stucco(QStringLiteral(":/assets/background.jpg"));
    QVERIFY(!stucco.isNull());
    const QImage shown = window->grab().toImage();
    const QPoint corner = place->pos();
    const auto expected = [&](int x, int y) {
        const int u = ((x - corner.x()) % stucco.width() + stucco.width()) % stucco.width();
        const int v = ((y - corner.y()) % stucco.height() + stucco.height()) % stucco.height();
        return stucco.pixelColor(u, v);
    };

    // Where the picture itself lies it shows unchanged.
    QCOMPARE(shown.pixelColor(2, 2), expected(2, 2));
    // Along the bottom and the right edge, below and beside the picture.
    const int pictureBottom = corner.y() + stucco.height();
    const int pictureRight = corner.x() + stucco.width();
    QVERIFY2(pictureBottom < window->height(), "the picture reaches the bottom: nothing to check");
    int checked = 0;
    for (int y = window->height() - 1; y >= pictureBottom; y -= 3) {
        for (int x = 0; x < window->width(); x += 5) {
            QCOMPARE(shown.pixelColor(x, y), expected(x, y));
            ++checked;
        }
    }
    for (int y = 0; y < window->height() && pictureRight < window->width(); y += 5) {
        for (int x = pictureRight; x < window->width(); x += 3) {
            // Controls may lie there; the texture shows where none does.
            if (window->childAt(x, y) && window->childAt(x, y) != place)
                continue;
            QCOMPARE(shown.pixelColor(x, y), expected(x, y));
            ++checked;
        }
    }
    QVERIFY(checked > 100);
    window->hide();
}

QTEST_MAIN(WindowBackgroundTest)
#include "window_background_test.moc"
