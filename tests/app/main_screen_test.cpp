// The main screen: its layout, the two marks that cannot be removed, the way
// on to the variable-selection and definitions screens, and leaving.

#include "app/window_frame.h"
#include "screen_driver.h"

#include <memory>

class MainScreenTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void windowAsLaidOut();
    void controlsAsLaidOut_data();
    void controlsAsLaidOut();
    void tabOrder();
    void startsWithOnlyTheForcedMarks();
    void forcedMarksStay_data();
    void forcedMarksStay();
    void continueOpensSelectionModally();
    void marksMirrorTheSelectionScreen_data();
    void marksMirrorTheSelectionScreen();
    void definitionsOpenModally();
    void exitEndsTheProgram();
    void otherWindowsComeOneATurnAfterTheFirstPaint();

private:
    QCheckBox *mainBox(int number) const;
    QCheckBox *selectionBox(int number) const;

    std::unique_ptr<Application> m_app;
};

void MainScreenTest::init()
{
    m_app = std::make_unique<Application>();
    m_app->showMainWindow();
    QVERIFY(QTest::qWaitForWindowActive(&m_app->form1()));
}

void MainScreenTest::cleanup()
{
    m_app.reset();
}

QCheckBox *MainScreenTest::mainBox(int number) const
{
    return m_app->form1().findChild<QCheckBox *>(QStringLiteral("CheckBox%1").arg(number));
}

QCheckBox *MainScreenTest::selectionBox(int number) const
{
    return m_app->form2().findChild<QCheckBox *>(QStringLiteral("CheckBox%1").arg(number));
}

void MainScreenTest::windowAsLaidOut()
{
    Form1 &form1 = m_app->form1();
    QCOMPARE(form1.windowTitle(), QString("VALDORA"));
    QCOMPARE(form1.size(), ClientSize(QSize(812, 612)));
    QCOMPARE(form1.font().pixelSize(), 11);
}

void MainScreenTest::controlsAsLaidOut_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("mayWiden");
    const auto row = [](const char *name, QRect geometry, const char *text, bool mayWiden = false) {
        QTest::newRow(name) << QString(name) << geometry << QString::fromUtf8(text) << mayWiden;
    };
    row("Image1", {0, 0, 809, 553}, "");
    row("Panel1", {86, 280, 515, 217}, "");
    row("Label2", {7, 1, 319, 36}, "Marca los elementos a utilizar para el Cálculo");
    row("Panel4", {9, 39, 378, 1}, "");
    row("CheckBox1", {8, 48, 393, 17}, "ERROR MÁXIMO ACEPTABLE PARA EL ESTIMADOR", true);
    row("CheckBox2", {8, 64, 193, 17}, "CONFIANZA REQUERIDA", true);
    row("CheckBox3", {8, 80, 377, 17}, "TAMAÑO APROXIMADO DE LA PROPORCIÓN A ESTIMAR", true);
    row("CheckBox4", {8, 96, 145, 17}, "EFECTO DE DISEÑO", true);
    row("CheckBox5", {8, 112, 145, 17}, "TASA DE RESPUESTA", true);
    row("CheckBox6", {8, 128, 201, 17}, "TAMAÑO DE LA POBLACIÓN", true);
    row("BitBtn1", {24, 152, 345, 62}, "CONTINUAR");
    row("Panel2", {32, 16, 705, 249}, "");
    row("Image2", {8, 8, 393, 241}, "");
    row("Panel3", {410, 48, 289, 153}, "");
    row("Label1", {32, 8, 222, 75}, "VALDORA ");
    row("Label3", {53, 83, 184, 60}, "(Muestreo Aleatorio Simple para Proporciones)");
    row("BitBtn2", {656, 328, 113, 81}, "SALIR");
    row("BitBtn3", {467, 449, 121, 41}, "Definiciones");
}

void MainScreenTest::controlsAsLaidOut()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);
    QFETCH(bool, mayWiden);
    auto *control = m_app->form1().findChild<QWidget *>(name);
    QVERIFY(control);
    const QRect actual = control->geometry();
    QCOMPARE(actual.topLeft(), geometry.topLeft());
    QCOMPARE(actual.height(), geometry.height());
    if (mayWiden)
        QVERIFY(actual.width() >= geometry.width());
    else
        QCOMPARE(actual.width(), geometry.width());
    if (auto *label = qobject_cast<QLabel *>(control); label && !text.isEmpty())
        QCOMPARE(label->text(), text);
    if (auto *button = qobject_cast<QAbstractButton *>(control))
        QCOMPARE(button->text(), text);
}

void MainScreenTest::tabOrder()
{
    const Ui::Form1 &ui = m_app->form1().ui;
    const QList<QWidget *> expected{ui.CheckBox1, ui.CheckBox2, ui.CheckBox3, ui.CheckBox4, ui.CheckBox5,
                                    ui.CheckBox6, ui.BitBtn1, ui.BitBtn2, ui.BitBtn3};
    QList<QWidget *> chain;
    QWidget *w = ui.CheckBox1;
    do {
        if (w->focusPolicy() & Qt::TabFocus)
            chain << w;
        w = w->nextInFocusChain();
    } while (w != ui.CheckBox1 && chain.size() < 20);
    QCOMPARE(chain, expected);
}

void MainScreenTest::startsWithOnlyTheForcedMarks()
{
    for (int n = 1; n <= 6; ++n)
        QCOMPARE(mainBox(n)->isChecked(), n <= 2);
}

void MainScreenTest::forcedMarksStay_data()
{
    QTest::addColumn<int>("box");
    QTest::addColumn<bool>("byClick");
    QTest::newRow("error, clicked") << 1 << true;
    QTest::newRow("confidence, clicked") << 2 << true;
    QTest::newRow("error, from code") << 1 << false;
    QTest::newRow("confidence, from code") << 2 << false;
}

void MainScreenTest::forcedMarksStay()
{
    QFETCH(int, box);
    QFETCH(bool, byClick);
    QCheckBox *check = mainBox(box);
    if (byClick)
        QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(6, check->height() / 2));
    else
        check->setChecked(false);
    QVERIFY(check->isChecked());
}

void MainScreenTest::continueOpensSelectionModally()
{
    Form2 &form2 = m_app->form2();
    bool checked = false;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (QApplication::activeModalWidget() != &form2 || !form2.isActiveWindow())
            return;
        poll.stop();
        QVERIFY(form2.isModal());
        // The activation has run: the fields hold their starting values.
        QTRY_COMPARE(form2.ui.Edit3->text(), QString("5"));
        QCOMPARE(form2.ui.Edit10->text(), QString("100"));
        // It runs once: a later change is not reset again.
        form2.ui.Edit3->setText("7");
        QTest::qWait(100);
        QCOMPARE(form2.ui.Edit3->text(), QString("7"));
        checked = true;
        QTest::mouseClick(form2.ui.BitBtn9, Qt::LeftButton);
    });
    poll.start();
    QTest::mouseClick(m_app->form1().ui.BitBtn1, Qt::LeftButton);
    QVERIFY(checked);
    QVERIFY(!form2.isVisible());
    QVERIFY(m_app->form1().isVisible());
}

void MainScreenTest::marksMirrorTheSelectionScreen_data()
{
    QTest::addColumn<int>("mainNumber");
    QTest::addColumn<int>("selectionNumber");
    QTest::newRow("proportion") << 3 << 3;
    QTest::newRow("design effect") << 4 << 1;
    QTest::newRow("response rate") << 5 << 2;
    QTest::newRow("population") << 6 << 4;
}

void MainScreenTest::marksMirrorTheSelectionScreen()
{
    QFETCH(int, mainNumber);
    QFETCH(int, selectionNumber);
    QTest::mouseClick(mainBox(mainNumber), Qt::LeftButton, {}, QPoint(6, 8));
    QVERIFY(mainBox(mainNumber)->isChecked());
    QVERIFY(ShowSelectionScreen(*m_app));
    QTRY_COMPARE(m_app->form2().ui.Edit3->text(), QString("5"));
    QVERIFY(selectionBox(selectionNumber)->isChecked());

    QCheckBox *box = selectionBox(selectionNumber);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    QVERIFY(!box->isChecked());
    QVERIFY(!mainBox(mainNumber)->isChecked());
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    QVERIFY(mainBox(mainNumber)->isChecked());
}

void MainScreenTest::definitionsOpenModally()
{
    const auto seen = ClickThroughModals(*m_app, m_app->form1().ui.BitBtn3);
    QCOMPARE(int(seen.size()), 1);
    QCOMPARE(seen.front().kind, ModalSeen::Definitions);
    QVERIFY(!m_app->form4().isVisible());
}

void MainScreenTest::exitEndsTheProgram()
{
    // The event loop ends when its last window closes; that was the main one.
    QVERIFY(m_app->form1().testAttribute(Qt::WA_QuitOnClose));
    QTest::mouseClick(m_app->form1().ui.BitBtn2, Qt::LeftButton);
    QVERIFY(!m_app->form1().isVisible());
    for (QWidget *window : QApplication::topLevelWidgets())
        QVERIFY2(!window->isVisible(), qPrintable(window->objectName()));
}

void MainScreenTest::otherWindowsComeOneATurnAfterTheFirstPaint()
{
    m_app.reset();
    m_app = std::make_unique<Application>();
    const auto made = [] {
        QStringList names;
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (window->objectName().startsWith(QStringLiteral("Form")) && window->objectName() != QStringLiteral("Form1"))
                names << window->objectName();
        }
        names.sort();
        return names;
    };
    m_app->showMainWindow();
    QCOMPARE(made(), QStringList());

    // Each turn of the event loop makes at most one more, in their order.
    QList<QStringList> seen;
    QElapsedTimer waited;
    waited.start();
    while (made().size() < 3 && waited.elapsed() < 10000) {
        QCoreApplication::processEvents();
        if (seen.isEmpty() || seen.last() != made())
            seen << made();
    }
    const QList<QStringList> expected = {{QStringLiteral("Form2")},
                                         {QStringLiteral("Form2"), QStringLiteral("Form3")},
                                         {QStringLiteral("Form2"), QStringLiteral("Form3"), QStringLiteral("Form4")}};
    QCOMPARE(seen.mid(seen.size() - 3), expected);
    QVERIFY(seen.size() == 3 || seen.first().isEmpty());
    QVERIFY(m_app->form1().isVisible());
}

QTEST_MAIN(MainScreenTest)
#include "main_screen_test.moc"
