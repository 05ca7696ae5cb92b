// Keys on every screen: Enter (and the keypad's Enter) presses the focused
// picture button, as Space does; Enter in a field presses nothing; Escape on
// the variable-selection screen still leaves nothing.

#include "screen_driver.h"

#include <QSignalSpy>
#include <QToolButton>

#include <memory>

class KeyboardTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void enterPressesTheFocusedButton_data();
    void enterPressesTheFocusedButton();
    void spaceStillPresses();
    void enterInAFieldPressesNothing();
    void escapeStillStaysOnTheSelectionScreen();

private:
    QToolButton *button(const QString &screen, const QString &name);
    QWidget *screen(const QString &name);

    std::unique_ptr<Application> m_app;
};

void KeyboardTest::init()
{
    m_app = std::make_unique<Application>();
    m_app->showMainWindow();
    QVERIFY(QTest::qWaitForWindowActive(&m_app->form1()));
}

void KeyboardTest::cleanup()
{
    m_app.reset();
}

QWidget *KeyboardTest::screen(const QString &name)
{
    if (name == QLatin1String("main"))
        return &m_app->form1();
    if (name == QLatin1String("selection"))
        return &m_app->form2();
    if (name == QLatin1String("results"))
        return &m_app->form3();
    return &m_app->form4();
}

QToolButton *KeyboardTest::button(const QString &screenName, const QString &name)
{
    return screen(screenName)->findChild<QToolButton *>(name);
}

void KeyboardTest::enterPressesTheFocusedButton_data()
{
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("opens");  // ModalSeen::Kind, or -1: the screen closes
    const auto row = [](const char *name, const char *screen, const char *button, Qt::Key key, int opens) {
        QTest::newRow(name) << QString(screen) << QString(button) << int(key) << opens;
    };
    row("main CONTINUAR", "main", "BitBtn1", Qt::Key_Return, ModalSeen::Other);
    row("main Definiciones", "main", "BitBtn3", Qt::Key_Return, ModalSeen::Definitions);
    row("main Definiciones, keypad", "main", "BitBtn3", Qt::Key_Enter, ModalSeen::Definitions);
    row("main SALIR", "main", "BitBtn2", Qt::Key_Return, -1);
    row("selection CALCULAR", "selection", "BitBtn3", Qt::Key_Return, ModalSeen::Results);
    row("selection Definiciones", "selection", "BitBtn11", Qt::Key_Return, ModalSeen::Definitions);
    row("selection MENU", "selection", "BitBtn9", Qt::Key_Enter, -1);
    row("results Definiciones", "results", "BitBtn3", Qt::Key_Return, ModalSeen::Definitions);
    row("results close", "results", "BitBtn2", Qt::Key_Return, -1);
    row("definitions Salir", "definitions", "BitBtn1", Qt::Key_Return, -1);
}

void KeyboardTest::enterPressesTheFocusedButton()
{
    QFETCH(QString, screen);
    QFETCH(QString, button);
    QFETCH(int, key);
    QFETCH(int, opens);

    QWidget *window = this->screen(screen);
    if (window != &m_app->form1()) {
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
    }
    QToolButton *pressed = this->button(screen, button);
    QVERIFY(pressed);
    pressed->setFocus(Qt::TabFocusReason);
    QCOMPARE(QApplication::focusWidget(), pressed);

    QSignalSpy clicks(pressed, &QAbstractButton::clicked);
    const Qt::KeyboardModifiers modifiers = key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier;
    const auto seen = HandleModals(*m_app, [&] {
        QTest::keyClick(pressed, Qt::Key(key), modifiers);
        // The press shows for a moment before the click; a modal window it
        // opens is handled meanwhile.
        QTRY_COMPARE_WITH_TIMEOUT(clicks.count(), 1, 2000);
    });
    if (opens < 0) {
        QTRY_VERIFY(!window->isVisible());
        QCOMPARE(int(seen.size()), 0);
    } else {
        QCOMPARE(int(seen.size()), 1);
        QCOMPARE(int(seen.front().kind), opens);
    }
}

void KeyboardTest::spaceStillPresses()
{
    QToolButton *definitions = m_app->form1().ui.BitBtn3;
    definitions->setFocus(Qt::TabFocusReason);
    QSignalSpy clicks(definitions, &QAbstractButton::clicked);
    const auto seen = HandleModals(*m_app, [&] {
        QTest::keyClick(definitions, Qt::Key_Space);
        QTRY_COMPARE_WITH_TIMEOUT(clicks.count(), 1, 2000);
    });
    QCOMPARE(int(seen.size()), 1);
    QCOMPARE(seen.front().kind, ModalSeen::Definitions);
}

void KeyboardTest::enterInAFieldPressesNothing()
{
    QVERIFY(ShowSelectionScreen(*m_app));
    Form2 &form2 = m_app->form2();
    QList<QSignalSpy *> spies;
    for (QToolButton *button : form2.findChildren<QToolButton *>())
        spies.append(new QSignalSpy(button, &QAbstractButton::clicked));
    for (QLineEdit *field : {static_cast<QLineEdit *>(form2.ui.Edit3), static_cast<QLineEdit *>(form2.ui.SpinEdit5)}) {
        field->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(field, Qt::Key_Return);
        QTest::keyClick(field, Qt::Key_Enter, Qt::KeypadModifier);
    }
    QTest::qWait(300);
    QVERIFY(form2.isVisible());
    for (QSignalSpy *spy : spies)
        QCOMPARE(spy->count(), 0);
    qDeleteAll(spies);
}

void KeyboardTest::escapeStillStaysOnTheSelectionScreen()
{
    QVERIFY(ShowSelectionScreen(*m_app));
    m_app->form2().ui.BitBtn3->setFocus(Qt::TabFocusReason);
    QTest::keyClick(m_app->form2().ui.BitBtn3, Qt::Key_Escape);
    QTest::qWait(200);
    QVERIFY(m_app->form2().isVisible());
}

QTEST_MAIN(KeyboardTest)
#include "keyboard_test.moc"
