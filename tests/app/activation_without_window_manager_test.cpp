// The variable-selection screen's activation where no window manager gives
// the activation back when a window opened over it closes: the offscreen
// platform, which never re-activates a window on its own.

#include "screen_driver.h"

#include <memory>

class ActivationWithoutWindowManagerTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void runsOnOpening();
    void runsOnceAfterResults();
    void runsOnceAfterDefinitions();
    void continueAndMenuReturnToMain();

private:
    Ui::Form2 &ui() { return m_app->form2().ui; }
    std::unique_ptr<Application> m_app;
};

void ActivationWithoutWindowManagerTest::init()
{
    QCOMPARE(QGuiApplication::platformName(), QString("offscreen"));
    m_app = std::make_unique<Application>();
    m_app->showMainWindow();
    QVERIFY(QTest::qWaitForWindowExposed(&m_app->form1()));
}

void ActivationWithoutWindowManagerTest::cleanup()
{
    m_app.reset();
}

void ActivationWithoutWindowManagerTest::runsOnOpening()
{
    QVERIFY(ShowSelectionScreen(*m_app));
    QTRY_COMPARE(ui().Edit3->text(), QString("5"));
}

void ActivationWithoutWindowManagerTest::runsOnceAfterResults()
{
    QVERIFY(ShowSelectionScreen(*m_app));
    QTRY_COMPARE(ui().Edit3->text(), QString("5"));
    ui().Edit3->setText("7");
    const auto seen = ClickThroughModals(*m_app, ui().BitBtn3);
    QVERIFY(ResultsOpened(seen));
    QCOMPARE(seen.back().results.Error, QString("7"));
    QTRY_COMPARE(ui().Edit3->text(), QString("5"));
    ui().Edit3->setText("9");
    QTest::qWait(100);
    QCOMPARE(ui().Edit3->text(), QString("9"));
}

void ActivationWithoutWindowManagerTest::runsOnceAfterDefinitions()
{
    QVERIFY(ShowSelectionScreen(*m_app));
    QTRY_COMPARE(ui().Edit3->text(), QString("5"));
    ui().Edit3->setText("7");
    ClickThroughModals(*m_app, ui().BitBtn11);
    QTRY_COMPARE(ui().Edit3->text(), QString("5"));
    ui().Edit3->setText("9");
    QTest::qWait(100);
    QCOMPARE(ui().Edit3->text(), QString("9"));
}

void ActivationWithoutWindowManagerTest::continueAndMenuReturnToMain()
{
    Form2 &form2 = m_app->form2();
    bool opened = false;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (QApplication::activeModalWidget() != &form2 || ui().Edit3->text() != QLatin1String("5"))
            return;
        poll.stop();
        opened = true;
        QTest::mouseClick(ui().BitBtn9, Qt::LeftButton);
    });
    poll.start();
    QTest::mouseClick(m_app->form1().ui.BitBtn1, Qt::LeftButton);
    QVERIFY(opened);
    QVERIFY(!form2.isVisible());
}

int main(int argc, char *argv[])
{
    // This test is about the setup without a window manager.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ActivationWithoutWindowManagerTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "activation_without_window_manager_test.moc"
