// What assistive technology hears on the four screens: every control a user
// can reach has a name and sits in no panel that passes for a window, the controls whose caption does not say what they
// are (spin fields, check boxes, picture buttons) have a description, and
// the results say each value with its caption, also after a new calculation.

#include "screen_driver.h"

#include "../support/accessible_tree.h"

#include <memory>

class AccessibleNamesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void everyControlNamed_data();
    void everyControlNamed();
    void describedWhereTheCaptionDoesNotSay();
    void resultsSayTheirValues();
    void screensSayWhatTheyAre();

private:
    Ui::Form2 &selection() { return m_app->form2().ui; }
    void checkEveryElement(bool checked);
    bool calculate();

    std::unique_ptr<Application> m_app;
};

void AccessibleNamesTest::initTestCase()
{
    accessible::Activate();
}

void AccessibleNamesTest::init()
{
    m_app = std::make_unique<Application>();
    m_app->showMainWindow();
    QVERIFY(QTest::qWaitForWindowActive(&m_app->form1()));
}

void AccessibleNamesTest::cleanup()
{
    m_app.reset();
}

void AccessibleNamesTest::checkEveryElement(bool checked)
{
    const Ui::Form1 &main = m_app->form1().ui;
    for (QCheckBox *box : {main.CheckBox3, main.CheckBox4, main.CheckBox5, main.CheckBox6})
        box->setChecked(checked);
}

bool AccessibleNamesTest::calculate()
{
    return ResultsOpened(ClickThroughModals(*m_app, selection().BitBtn3));
}

void AccessibleNamesTest::everyControlNamed_data()
{
    QTest::addColumn<bool>("everyElement");
    QTest::newRow("error and confidence only") << false;
    QTest::newRow("every element") << true;
}

// The selection screen enables its fields by the main screen's marks: both
// ways, every control it shows has a name.
void AccessibleNamesTest::everyControlNamed()
{
    QFETCH(bool, everyElement);
    checkEveryElement(everyElement);
    QCOMPARE(accessible::NamelessControls(m_app->form1()), QStringList());
    QCOMPARE(accessible::ControlsInsideInnerWindows(m_app->form1()), QStringList());

    QVERIFY(ShowSelectionScreen(*m_app));
    QVERIFY(!accessible::ReachableControls(m_app->form2()).isEmpty());
    QCOMPARE(accessible::NamelessControls(m_app->form2()), QStringList());
    QCOMPARE(accessible::ControlsInsideInnerWindows(m_app->form2()), QStringList());

    QStringList namelessOnResults;
    const auto seen = ClickThroughModals(*m_app, selection().BitBtn3, [&](Form3 &results) {
        namelessOnResults = accessible::NamelessControls(results)
            + accessible::ControlsInsideInnerWindows(results);
    });
    QVERIFY(ResultsOpened(seen));
    QCOMPARE(namelessOnResults, QStringList());

    Form4 &definitions = m_app->form4();
    definitions.show();
    QVERIFY(QTest::qWaitForWindowExposed(&definitions));
    QCOMPARE(accessible::NamelessControls(definitions), QStringList());
    QCOMPARE(accessible::ControlsInsideInnerWindows(definitions), QStringList());
    definitions.close();
}

void AccessibleNamesTest::describedWhereTheCaptionDoesNotSay()
{
    checkEveryElement(true);
    QVERIFY(ShowSelectionScreen(*m_app));
    const Ui::Form1 &main = m_app->form1().ui;
    const Ui::Form2 &form2 = selection();
    const Ui::Form3 &form3 = m_app->form3().ui;
    const QList<QWidget *> described{
        main.CheckBox1, main.CheckBox2, main.CheckBox3, main.CheckBox4, main.CheckBox5, main.CheckBox6,
        form2.SpinEdit2, form2.SpinEdit3, form2.SpinEdit4, form2.SpinEdit5,
        form2.CheckBox1, form2.CheckBox2, form2.CheckBox3, form2.CheckBox4,
        form2.RadioButton3, form2.RadioButton4, form2.RadioButton7, form2.RadioButton8,
        form2.BitBtn1, form2.BitBtn2, form3.BitBtn1, form3.BitBtn2, form3.Memo1,
    };
    for (QWidget *widget : described) {
        QAccessibleInterface *node = QAccessible::queryAccessibleInterface(widget);
        QVERIFY(node);
        QVERIFY2(!node->text(QAccessible::Description).isEmpty(), qPrintable(widget->objectName()));
    }
    // The four "Contemplar en el Cálculo" boxes do not sound alike.
    QSet<QString> considered;
    for (QCheckBox *box : {form2.CheckBox1, form2.CheckBox2, form2.CheckBox3, form2.CheckBox4})
        considered.insert(QAccessible::queryAccessibleInterface(box)->text(QAccessible::Name));
    QCOMPARE(considered.size(), 4);
    // A spin field's arrows say which way they go.
    QStringList arrows;
    for (QToolButton *arrow : form2.SpinEdit5->findChildren<QToolButton *>())
        arrows << QAccessible::queryAccessibleInterface(arrow)->text(QAccessible::Name);
    arrows.sort();
    QCOMPARE(arrows, QStringList({"Aumentar", "Disminuir"}));
}

// Each value is read with its caption and unit, and says whether the user
// gave it; a second calculation renames them.
void AccessibleNamesTest::resultsSayTheirValues()
{
    const auto nameOf = [](QWidget *widget) {
        return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
    };
    const auto descriptionOf = [](QWidget *widget) {
        return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Description);
    };
    const Ui::Form3 &results = m_app->form3().ui;

    QVERIFY(ShowSelectionScreen(*m_app));
    TypeInto(selection().SpinEdit5, QStringLiteral("95"));
    QVERIFY(calculate());
    QCOMPARE(nameOf(results.Label2), QString("Tamaño de la Muestra: 384"));
    QCOMPARE(nameOf(results.Label3), QString("Error Máximo: 5 %"));
    QCOMPARE(nameOf(results.Label4), QString("Confianza: 95 %"));
    QCOMPARE(nameOf(results.Label5), QString("Tamaño Aproximado de la Proporción: 50 %"));
    QCOMPARE(nameOf(results.Label16), QString("Efecto de Diseño: 1"));
    QCOMPARE(nameOf(results.Label17), QString("Tasa de Respuesta: 100 %"));
    // Not considered: the population row is empty and says nothing.
    QCOMPARE(nameOf(results.Label18).trimmed(), QString());
    QCOMPARE(descriptionOf(results.Label3), QString("Dato proporcionado por el usuario"));
    QCOMPARE(descriptionOf(results.Label5), QString("Dato considerado por el sistema"));
    m_app->form2().close();

    checkEveryElement(true);
    QVERIFY(ShowSelectionScreen(*m_app));
    TypeInto(selection().SpinEdit5, QStringLiteral("95"));
    TypeInto(selection().Edit10, QStringLiteral("1000"));
    TypeInto(selection().SpinEdit3, QStringLiteral("80"));
    QVERIFY(calculate());
    QCOMPARE(nameOf(results.Label2), QString("Tamaño de la Muestra: 347"));
    // The window says the result as it opens.
    QCOMPARE(descriptionOf(results.Label2->window()), QString("Tamaño de la Muestra: 347"));
    QCOMPARE(nameOf(results.Label17), QString("Tasa de Respuesta: 80 %"));
    QCOMPARE(nameOf(results.Label18), QString("Tamaño de la Población: 1000"));
    QCOMPARE(descriptionOf(results.Label5), QString("Dato proporcionado por el usuario"));
    QCOMPARE(descriptionOf(results.Label18), QString("Dato proporcionado por el usuario"));
}

// The main screen is a window, not a filler; a caption hidden under the
// logo says what the panel is, not its name in the layout; each check mark
// of the results says what it marks.
void AccessibleNamesTest::screensSayWhatTheyAre()
{
    const auto node = [](QWidget *widget) { return QAccessible::queryAccessibleInterface(widget); };
    QCOMPARE(node(&m_app->form1())->role(), QAccessible::Window);
    QCOMPARE(node(m_app->form1().ui.Panel2Caption)->text(QAccessible::Name), QString("Presentación de VALDORA"));

    QVERIFY(ShowSelectionScreen(*m_app));
    TypeInto(selection().SpinEdit5, QStringLiteral("95"));
    QStringList marks;
    const auto seen = ClickThroughModals(*m_app, selection().BitBtn3, [&](Form3 &results) {
        for (QLabel *mark : {results.ui.Image8, results.ui.Image2, results.ui.Image3}) {
            QVERIFY(mark->isVisible());
            marks << node(mark)->text(QAccessible::Name);
        }
    });
    QVERIFY(ResultsOpened(seen));
    QCOMPARE(marks, QStringList(3, QString("Dato proporcionado por el usuario")));
}

QTEST_MAIN(AccessibleNamesTest)
#include "accessible_names_test.moc"
