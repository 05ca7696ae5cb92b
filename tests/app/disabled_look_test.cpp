// Disabled controls of the variable-selection screen look disabled: with the
// design effect not considered, "DEFF", "RHO", their fields and the cluster
// size are drawn as the disabled controls of the proportion area are; the
// cluster-size field disabled by "DEFF" shows grey digits and arrows; the
// population caption follows its box. Checked on the drawn pixels.

#include "app/system_colors.h"
#include "screen_driver.h"

#include <memory>

namespace {

// The darkest grey level a control draws: its text (and arrows) where they
// are drawn in full.
int Darkest(QWidget *control)
{
    const QImage image = control->grab().toImage();
    int darkest = 255;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            darkest = std::min(darkest, qGray(image.pixel(x, y)));
    }
    return darkest;
}

int PixelsNear(QWidget *control, const QColor &color, int tolerance)
{
    const QImage image = control->grab().toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            count += std::abs(pixel.red() - color.red()) <= tolerance
                    && std::abs(pixel.green() - color.green()) <= tolerance
                    && std::abs(pixel.blue() - color.blue()) <= tolerance
                ? 1
                : 0;
        }
    }
    return count;
}

// Black text stays well below this; the screens' disabled grey, red 128,
// green 128, blue 128, and its softer edges stay above.
constexpr int kDarkerThanDisabled = 100;

} // namespace

class DisabledLookTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void designEffectNotConsidered_data();
    void designEffectNotConsidered();
    void clusterSizeDisabledByDeff();
    void populationCaptionFollowsItsBox();

private:
    Ui::Form2 &ui() { return m_app->form2().ui; }

    std::unique_ptr<Application> m_app;
};

void DisabledLookTest::init()
{
    m_app = std::make_unique<Application>();
    m_app->showMainWindow();
    QVERIFY(QTest::qWaitForWindowActive(&m_app->form1()));
    QVERIFY(ShowSelectionScreen(*m_app));
}

void DisabledLookTest::cleanup()
{
    m_app.reset();
}

void DisabledLookTest::designEffectNotConsidered_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("likeProportion");
    // Each disabled control of the design effect beside its like in the
    // proportion area, also disabled while the proportion is not considered.
    QTest::newRow("DEFF") << "RadioButton7" << "RadioButton5";
    QTest::newRow("RHO") << "RadioButton8" << "RadioButton6";
    QTest::newRow("DEFF field") << "Edit1" << "SpinEdit2";
    QTest::newRow("RHO field") << "Edit2" << "SpinEdit2";
    QTest::newRow("cluster size") << "SpinEdit4" << "SpinEdit2";
    QTest::newRow("cluster-size caption") << "Label1" << "RadioButton5";
}

void DisabledLookTest::designEffectNotConsidered()
{
    QFETCH(QString, name);
    QFETCH(QString, likeProportion);

    QVERIFY(!ui().CheckBox1->isChecked());
    QVERIFY(!ui().CheckBox3->isChecked());
    auto *control = m_app->form2().findChild<QWidget *>(name);
    auto *reference = m_app->form2().findChild<QWidget *>(likeProportion);
    QVERIFY(control && reference);
    QVERIFY(!control->isEnabled());
    QVERIFY(!reference->isEnabled());

    QCOMPARE(control->palette().color(QPalette::Disabled, control->foregroundRole()),
             reference->palette().color(QPalette::Disabled, reference->foregroundRole()));
    const int darkest = Darkest(control);
    QVERIFY2(darkest >= kDarkerThanDisabled, qPrintable(QString::number(darkest)));
    QVERIFY2(std::abs(darkest - Darkest(reference)) <= 24,
             qPrintable(QStringLiteral("%1 against %2").arg(darkest).arg(Darkest(reference))));
}

void DisabledLookTest::clusterSizeDisabledByDeff()
{
    QTest::mouseClick(ui().CheckBox1, Qt::LeftButton, {}, QPoint(6, 16));
    QVERIFY(ui().CheckBox1->isChecked());
    // Considered, with "RHO": the cluster size is enabled and black.
    QVERIFY(ui().SpinEdit4->isEnabled());
    QVERIFY(Darkest(ui().SpinEdit4) < 60);

    QTest::mouseClick(ui().RadioButton7, Qt::LeftButton, {}, QPoint(6, 8));
    QVERIFY(ui().RadioButton7->isChecked());
    QVERIFY(!ui().SpinEdit4->isEnabled());
    QVERIFY(!ui().Label1->isEnabled());
    QVERIFY(!ui().Edit2->isEnabled());
    for (QWidget *disabled : {static_cast<QWidget *>(ui().SpinEdit4), static_cast<QWidget *>(ui().Label1),
                              static_cast<QWidget *>(ui().Edit2)}) {
        const int darkest = Darkest(disabled);
        QVERIFY2(darkest >= kDarkerThanDisabled, qPrintable(disabled->objectName() + QString::number(darkest)));
    }
    // Digits and arrows alike: nothing of the field is drawn black.
    QCOMPARE(ui().SpinEdit4->palette().color(QPalette::Disabled, QPalette::ButtonText),
             ui().SpinEdit2->palette().color(QPalette::Disabled, QPalette::ButtonText));
    QCOMPARE(ui().SpinEdit4->palette().color(QPalette::Disabled, QPalette::Text),
             ui().SpinEdit2->palette().color(QPalette::Disabled, QPalette::Text));
    // The enabled DEFF field and "DEFF" itself stay black.
    QVERIFY(ui().Edit1->isEnabled());
    QVERIFY(Darkest(ui().Edit1) < 60);
    QVERIFY(Darkest(ui().RadioButton7) < 60);
}

void DisabledLookTest::populationCaptionFollowsItsBox()
{
    const QColor title = ToColor(SystemColor::Desktop);
    QVERIFY(!ui().CheckBox4->isChecked());
    QVERIFY(!ui().Label8->isEnabled());
    QCOMPARE(PixelsNear(ui().Label8, title, 12), 0);
    QVERIFY(PixelsNear(ui().Label8, kGrey, 12) > 10);

    QTest::mouseClick(ui().CheckBox4, Qt::LeftButton, {}, QPoint(6, 12));
    QVERIFY(ui().CheckBox4->isChecked());
    QVERIFY(ui().Label8->isEnabled());
    QVERIFY(PixelsNear(ui().Label8, title, 12) > 10);
    QCOMPARE(PixelsNear(ui().Label8, kGrey, 12), 0);
}

QTEST_MAIN(DisabledLookTest)
#include "disabled_look_test.moc"
