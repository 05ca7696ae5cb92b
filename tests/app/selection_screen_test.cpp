// The variable-selection screen: its activation, the "Contemplar en el
// Cálculo" boxes, the confidence and proportion choices, and the way the
// calculation run leaves and finds the screen.

#include "app/system_colors.h"
#include "app/window_frame.h"
#include "screen_driver.h"

#include <memory>

class SelectionScreenTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void windowAsLaidOut();
    void controlsAsLaidOut_data();
    void controlsAsLaidOut();
    void tabOrder();
    void firstActivationDefaults();
    void activationRunsAgainAfterResults();
    void activationRunsAgainAfterDefinitions();
    void messageBoxIsNoActivation();
    void escapeDoesNotLeave();
    void considerDesignEffect();
    void designEffectWithoutResponseRate();
    void designEffectChoices();
    void responseRateBoxResets();
    void populationBox();
    void populationCorrections_data();
    void populationCorrections();
    void specialConfidenceLevels();
    void spinFieldClampsBeforeCalculation_data();
    void spinFieldClampsBeforeCalculation();
    void knownProportionFallsBackAfterActivation();
    void unmarkingProportionSelectsUnknown();

private:
    Form2 &form2() { return m_app->form2(); }
    Ui::Form2 &ui() { return m_app->form2().ui; }
    SampleSizeParams &record() { return m_app->params(); }
    void openSelection();
    std::vector<ModalSeen> calculate();

    std::unique_ptr<Application> m_app;
};

void SelectionScreenTest::init()
{
    m_app = std::make_unique<Application>();
    m_app->showMainWindow();
    QVERIFY(QTest::qWaitForWindowActive(&m_app->form1()));
}

void SelectionScreenTest::cleanup()
{
    m_app.reset();
}

void SelectionScreenTest::openSelection()
{
    QVERIFY(ShowSelectionScreen(*m_app));
    QTRY_COMPARE(ui().Edit3->text(), QString("5"));
}

std::vector<ModalSeen> SelectionScreenTest::calculate()
{
    return ClickThroughModals(*m_app, ui().BitBtn3);
}

void SelectionScreenTest::windowAsLaidOut()
{
    QCOMPARE(form2().windowTitle(), QString::fromUtf8("Selección de Variables"));
    QCOMPARE(form2().size(), ClientSize(QSize(751, 543)));
    QCOMPARE(ui().Image1->geometry(), QRect(-66, -56, 795, 537));
    QCOMPARE(ui().Edit3->geometry(), QRect(24, 14, 49, 21));
    QCOMPARE(ui().Edit3->parentWidget(), ui().Panel1);
    QCOMPARE(ui().SpinEdit3->parentWidget(), &form2());
    QCOMPARE(ui().RadioButton4->text(), QString("99.7  %"));
    QCOMPARE(ui().Label6->text(), QString::fromUtf8("Error Máximo Aceptable para el  Estimador"));
    QCOMPARE(ui().Label8->text(), QString::fromUtf8("Tamaño de la  Población"));
    QCOMPARE(ui().Label1->text(), QString::fromUtf8("Tamaño del    Conglomerado"));
    QCOMPARE(ui().BitBtn9->text(), QString::fromUtf8("MENÚ"));
    QCOMPARE(ui().GroupBox5->title(), QString::fromUtf8("Efecto de Diseño"));
    QVERIFY(!ui().GroupBox4->isEnabled());
    QVERIFY(!ui().GroupBox5->isEnabled());
    QVERIFY(ui().Edit3->text().isEmpty());
    QVERIFY(ui().Edit10->text().isEmpty());
}

void SelectionScreenTest::controlsAsLaidOut_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("mayWiden");
    const auto row = [](const char *name, const char *parent, QRect geometry, const char *text = "",
                        bool mayWiden = false) {
        QTest::newRow(name) << QString(name) << QString(parent) << geometry << QString::fromUtf8(text)
                            << mayWiden;
    };
    row("BitBtn3", "Form2", {584, 248, 113, 129}, "CALCULAR");
    row("GroupBox1", "Form2", {40, 17, 137, 152});
    row("Label6", "GroupBox1", {10, -2, 108, 48}, "Error Máximo Aceptable para el  Estimador");
    row("Panel1", "GroupBox1", {8, 64, 121, 59});
    row("Edit3", "Panel1", {24, 14, 49, 21});
    row("BitBtn1", "Panel1", {72, 8, 17, 17});
    row("BitBtn2", "Panel1", {72, 24, 17, 17});
    row("Label5", "Panel1", {89, 15, 16, 20}, "%");
    row("GroupBox2", "Form2", {200, 16, 137, 153});
    row("Panel3", "GroupBox2", {16, 19, 97, 41});
    row("SpinEdit5", "GroupBox2", {32, 28, 57, 22});
    row("Label10", "Panel3", {74, 10, 16, 20}, "%");
    row("Panel4", "GroupBox2", {17, 76, 94, 33});
    row("Panel5", "GroupBox2", {18, 115, 94, 32});
    row("RadioButton3", "Form2", {232, 98, 57, 17}, "99.5 %", true);
    row("RadioButton4", "Form2", {231, 139, 57, 17}, "99.7  %", true);
    row("GroupBox7", "Form2", {363, 16, 161, 153});
    row("Label8", "GroupBox7", {32, 0, 94, 32}, "Tamaño de la  Población");
    row("Edit10", "GroupBox7", {53, 40, 57, 21});
    row("CheckBox4", "Form2", {365, 141, 156, 25}, "Contemplar en el Cálculo", true);
    row("Panel2", "Form2", {136, 176, 338, 72});
    row("Image2", "Panel2", {3, 3, 337, 65});
    row("GroupBox5", "Form2", {24, 256, 161, 201});
    row("RadioButton7", "GroupBox5", {24, 40, 49, 17}, "DEFF", true);
    row("Edit1", "GroupBox5", {80, 36, 65, 21});
    row("RadioButton8", "GroupBox5", {24, 88, 57, 17}, "RHO", true);
    row("Edit2", "GroupBox5", {80, 88, 65, 21});
    row("Label1", "GroupBox5", {8, 128, 68, 26}, "Tamaño del    Conglomerado", true);
    row("SpinEdit4", "GroupBox5", {80, 131, 65, 22});
    row("CheckBox1", "Form2", {27, 421, 155, 33}, "Contemplar en el Cálculo", true);
    row("GroupBox4", "Form2", {192, 256, 153, 201});
    row("Label4", "GroupBox4", {96, 88, 16, 20}, "%");
    row("SpinEdit3", "Form2", {235, 344, 49, 22});
    row("CheckBox2", "Form2", {195, 421, 147, 33}, "Contemplar en el Cálculo", true);
    row("GroupBox3", "Form2", {352, 256, 177, 201});
    row("Label9", "GroupBox3", {12, 0, 133, 64}, "Tamaño Aproximado de la Proporción a Estimar");
    row("RadioButton5", "GroupBox3", {8, 77, 121, 21}, "Conocida Aproximado", true);
    row("RadioButton6", "GroupBox3", {8, 138, 113, 21}, "Desconocida", true);
    row("Label3", "GroupBox3", {96, 98, 16, 20}, "%");
    row("SpinEdit2", "Form2", {388, 354, 57, 22});
    row("CheckBox3", "Form2", {355, 421, 170, 33}, "Contemplar en el Cálculo", true);
    row("BitBtn9", "Form2", {584, 32, 113, 129}, "MENÚ");
    row("BitBtn11", "Form2", {584, 184, 117, 41}, "Definiciones");
}

void SelectionScreenTest::controlsAsLaidOut()
{
    QFETCH(QString, name);
    QFETCH(QString, parent);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);
    QFETCH(bool, mayWiden);
    auto *control = form2().findChild<QWidget *>(name);
    QVERIFY(control);
    QCOMPARE(control->parentWidget()->objectName(), parent);
    const QRect actual = control->geometry();
    QCOMPARE(actual.topLeft(), geometry.topLeft());
    QCOMPARE(actual.height(), geometry.height());
    if (mayWiden)
        QVERIFY(actual.width() >= geometry.width());
    else
        QCOMPARE(actual.width(), geometry.width());
    if (auto *label = qobject_cast<QLabel *>(control))
        QCOMPARE(label->text(), text);
    if (auto *button = qobject_cast<QAbstractButton *>(control))
        QCOMPARE(button->text(), text);
}

void SelectionScreenTest::tabOrder()
{
    const Ui::Form2 &u = ui();
    const QList<QWidget *> expected{u.BitBtn1, u.BitBtn2, u.Edit3, u.SpinEdit5, u.RadioButton3, u.RadioButton4,
                                    u.SpinEdit4, u.RadioButton7, u.RadioButton8, u.Edit1, u.Edit2,
                                    u.SpinEdit3, u.RadioButton5, u.RadioButton6, u.BitBtn3, u.BitBtn9,
                                    u.SpinEdit2, u.Edit10, u.CheckBox2, u.CheckBox1, u.CheckBox3,
                                    u.CheckBox4, u.BitBtn11};
    QList<QWidget *> chain;
    QWidget *w = u.BitBtn1;
    do {
        if (w->focusPolicy() & Qt::TabFocus)
            chain << w;
        w = w->nextInFocusChain();
    } while (w != u.BitBtn1 && chain.size() < 40);
    QCOMPARE(chain, expected);
}

void SelectionScreenTest::firstActivationDefaults()
{
    openSelection();
    QCOMPARE(ui().Edit10->text(), QString("100"));
    QVERIFY(!ui().Edit10->isEnabled());
    QCOMPARE(ui().Edit2->text(), QString("0"));
    QVERIFY(!ui().Edit2->isEnabled());
    QCOMPARE(ui().Edit1->text(), QString("1"));
    QVERIFY(!ui().Edit1->isEnabled());
    QCOMPARE(ui().SpinEdit4->text(), QString("10"));
    QVERIFY(!ui().SpinEdit4->isEnabled());
    QCOMPARE(ui().SpinEdit3->text(), QString("100"));
    QVERIFY(!ui().SpinEdit3->isEnabled());
    QCOMPARE(ui().SpinEdit2->text(), QString("50"));
    QVERIFY(!ui().SpinEdit2->isEnabled());
    QVERIFY(ui().RadioButton6->isChecked());
    QCOMPARE(ui().SpinEdit5->text(), QString("50"));
    QCOMPARE(ui().Panel3->palette().color(QPalette::Window), kGrey);
    for (QCheckBox *box : {ui().CheckBox1, ui().CheckBox2, ui().CheckBox3, ui().CheckBox4}) {
        QVERIFY(!box->isChecked());
        QVERIFY(box->isEnabled());
    }
    // Disabled fields take the menu colour.
    QCOMPARE(ui().Edit10->palette().color(QPalette::Disabled, QPalette::Base), ToColor(SystemColor::Menu));
    QCOMPARE(ui().GroupBox3->palette().color(QPalette::WindowText), kGrey);

    QCOMPARE(record().ErrorPercent, 5.0);
    QCOMPARE(record().ErrorFraction, 0.05);
    QCOMPARE(record().ProportionUnknown, 1);
    QCOMPARE(record().ProportionKnown, 0);
    QCOMPARE(record().UnknownProportion, 0.5);
    QCOMPARE(record().KnownProportion, 0.15);
    QCOMPARE(record().PopulationSize, 100.0);
    QCOMPARE(record().Z, 0.67);
    QCOMPARE(record().ConfidenceText, std::string("50"));
    QCOMPARE(record().DesignEffectOn, 0);
}

void SelectionScreenTest::activationRunsAgainAfterResults()
{
    m_app->form1().ui.CheckBox4->setChecked(true);
    m_app->form1().ui.CheckBox6->setChecked(true);
    openSelection();
    ui().SpinEdit5->setText("95");
    ui().Edit3->setText("7");
    ui().Edit2->setText("0");
    ui().SpinEdit4->setText("20");
    ui().Edit10->setText("250");

    const auto seen = calculate();
    QVERIFY(ResultsOpened(seen));
    QCOMPARE(CountMessages(seen), 0);

    QTRY_COMPARE(ui().Edit3->text(), QString("5"));
    QCOMPARE(ui().Edit10->text(), QString("100"));
    QCOMPARE(ui().SpinEdit4->text(), QString("10"));
    QCOMPARE(ui().Edit2->text(), QString("0"));
    QCOMPARE(ui().SpinEdit5->text(), QString("95"));
    QCOMPARE(record().ConfidenceText, std::string("50"));

    // Exactly once: what is typed after coming back stays.
    ui().Edit3->setText("9");
    QTest::qWait(100);
    QCOMPARE(ui().Edit3->text(), QString("9"));
}

void SelectionScreenTest::activationRunsAgainAfterDefinitions()
{
    openSelection();
    ui().Edit3->setText("8");
    const auto seen = ClickThroughModals(*m_app, ui().BitBtn11);
    QCOMPARE(int(seen.size()), 1);
    QCOMPARE(seen.front().kind, ModalSeen::Definitions);
    QTRY_COMPARE(ui().Edit3->text(), QString("5"));
    ui().Edit3->setText("9");
    QTest::qWait(100);
    QCOMPARE(ui().Edit3->text(), QString("9"));
}

void SelectionScreenTest::messageBoxIsNoActivation()
{
    openSelection();
    ui().Edit3->setText("7");
    const auto seen = HandleModals(*m_app, [&] { ui().Edit10->setText("x"); });
    QCOMPARE(CountMessages(seen), 1);
    QTest::qWait(100);
    QCOMPARE(ui().Edit3->text(), QString("7"));
}

void SelectionScreenTest::escapeDoesNotLeave()
{
    openSelection();
    QTest::keyClick(&form2(), Qt::Key_Escape);
    QVERIFY(form2().isVisible());
    QTest::mouseClick(ui().BitBtn9, Qt::LeftButton);
    QVERIFY(!form2().isVisible());
}

void SelectionScreenTest::considerDesignEffect()
{
    openSelection();
    QTest::mouseClick(ui().CheckBox1, Qt::LeftButton, {}, QPoint(6, 16));
    QVERIFY(ui().CheckBox1->isChecked());
    QVERIFY(m_app->form1().ui.CheckBox4->isChecked());
    QCOMPARE(record().DesignEffectOn, 1);
    QVERIFY(ui().GroupBox5->isEnabled());
    QVERIFY(ui().RadioButton8->isChecked());
    QVERIFY(ui().Edit2->isEnabled());
    QVERIFY(!ui().Edit1->isEnabled());
    QVERIFY(ui().SpinEdit4->isEnabled());
    QCOMPARE(ui().GroupBox5->palette().color(QPalette::WindowText), QColor(Qt::black));

    QTest::mouseClick(ui().CheckBox1, Qt::LeftButton, {}, QPoint(6, 16));
    QCOMPARE(record().DesignEffectOn, 0);
    QVERIFY(!m_app->form1().ui.CheckBox4->isChecked());
    QVERIFY(!ui().RadioButton7->isEnabled());
    QVERIFY(!ui().RadioButton8->isEnabled());
    QVERIFY(!ui().Edit2->isEnabled());
    QVERIFY(!ui().SpinEdit4->isEnabled());
    // Once enabled, the group stays enabled.
    QVERIFY(ui().GroupBox5->isEnabled());
    QCOMPARE(ui().GroupBox5->palette().color(QPalette::WindowText), kGrey);
}

void SelectionScreenTest::designEffectWithoutResponseRate()
{
    m_app->form1().ui.CheckBox4->setChecked(true);
    openSelection();
    QCOMPARE(record().DesignEffectOn, 1);
    QVERIFY(!ui().SpinEdit3->isEnabled());
    QTest::mouseClick(ui().RadioButton7, Qt::LeftButton, {}, QPoint(6, 8));
    QVERIFY(ui().Edit1->isEnabled());
    ui().Edit1->setText("2");
    // Error 5 %, level 50: 0.67² × 0.25 / 0.0025 = 44.89, doubled 89.78.
    const auto seen = calculate();
    QVERIFY(ResultsOpened(seen));
    QCOMPARE(seen.back().results.SampleSize, QString("90"));
    QCOMPARE(seen.back().results.DesignEffect, QString("2"));
    QVERIFY(seen.back().results.DesignEffectMark);
    QVERIFY(!seen.back().results.ResponseRateMark);
}

void SelectionScreenTest::designEffectChoices()
{
    m_app->form1().ui.CheckBox4->setChecked(true);
    openSelection();
    QTest::mouseClick(ui().RadioButton7, Qt::LeftButton, {}, QPoint(6, 8));
    QVERIFY(!ui().RadioButton8->isChecked());
    QVERIFY(ui().Edit1->isEnabled());
    QVERIFY(!ui().Edit2->isEnabled());
    QVERIFY(!ui().Label1->isEnabled());
    QVERIFY(!ui().SpinEdit4->isEnabled());
    QTest::mouseClick(ui().RadioButton8, Qt::LeftButton, {}, QPoint(6, 8));
    QVERIFY(!ui().RadioButton7->isChecked());
    QVERIFY(!ui().Edit1->isEnabled());
    QVERIFY(ui().Edit2->isEnabled());
    QVERIFY(ui().SpinEdit4->isEnabled());
    // The cluster size is read on a click into its field.
    ui().SpinEdit4->setText("30");
    QTest::mouseClick(ui().SpinEdit4, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(record().ClusterSize, 30.0);
}

void SelectionScreenTest::responseRateBoxResets()
{
    m_app->form1().ui.CheckBox5->setChecked(true);
    openSelection();
    QVERIFY(ui().CheckBox2->isChecked());
    QVERIFY(ui().SpinEdit3->isEnabled());
    ui().SpinEdit3->setText("80");
    QTest::mouseClick(ui().SpinEdit3, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(record().ResponseRate, 0.8);
    ui().CheckBox2->setChecked(false);
    QCOMPARE(ui().SpinEdit3->text(), QString("100"));
    QVERIFY(!ui().SpinEdit3->isEnabled());
    QVERIFY(!m_app->form1().ui.CheckBox5->isChecked());
}

void SelectionScreenTest::populationBox()
{
    openSelection();
    ui().CheckBox4->setChecked(true);
    QVERIFY(ui().Edit10->isEnabled());
    QVERIFY(m_app->form1().ui.CheckBox6->isChecked());
    ui().Edit10->setText("5000");
    QCOMPARE(record().PopulationSize, 5000.0);
    ui().CheckBox4->setChecked(false);
    QVERIFY(!ui().Edit10->isEnabled());
    QCOMPARE(ui().Edit10->text(), QString("5000"));
    ui().CheckBox4->setChecked(true);
    QCOMPARE(ui().Edit10->text(), QString("100"));
    QCOMPARE(record().PopulationSize, 100.0);
}

void SelectionScreenTest::populationCorrections_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<double>("population");
    QTest::newRow("zero") << "0" << "100" << 100.0;
    QTest::newRow("negative zero") << "-0" << "100" << 100.0;
    QTest::newRow("empty") << "" << "100" << 100.0;
    QTest::newRow("dash") << "-" << "100" << 100.0;
    QTest::newRow("blanks") << "   " << "100" << 100.0;
    QTest::newRow("kept") << "250" << "250" << 250.0;
    QTest::newRow("huge") << "1E308" << "1E308" << 1e308;
}

void SelectionScreenTest::populationCorrections()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(double, population);
    m_app->form1().ui.CheckBox6->setChecked(true);
    openSelection();
    ui().Edit10->setText("12");
    ui().Edit10->setText(typed);
    QCOMPARE(ui().Edit10->text(), shown);
    QCOMPARE(record().PopulationSize, population);
}

void SelectionScreenTest::specialConfidenceLevels()
{
    openSelection();
    const QColor menu = ToColor(SystemColor::Menu);
    QTest::mouseClick(ui().RadioButton3, Qt::LeftButton, {}, QPoint(6, 8));
    QCOMPARE(record().Z, 2.81);
    QCOMPARE(record().ConfidenceText, std::string("99.5"));
    QCOMPARE(ui().Panel4->palette().color(QPalette::Window), kGrey);
    QCOMPARE(ui().Panel3->palette().color(QPalette::Window), menu);

    QTest::mouseClick(ui().RadioButton4, Qt::LeftButton, {}, QPoint(6, 8));
    QVERIFY(!ui().RadioButton3->isChecked());
    QCOMPARE(record().Z, 2.97);
    QCOMPARE(ui().Panel5->palette().color(QPalette::Window), kGrey);
    QCOMPARE(ui().Panel4->palette().color(QPalette::Window), menu);

    auto seen = calculate();
    QVERIFY(ResultsOpened(seen));
    QCOMPARE(seen.back().results.Confidence, QString("99.7"));
    // The activation after the results deselects the special levels.
    QTRY_VERIFY(!ui().RadioButton4->isChecked());

    QTest::mouseClick(ui().RadioButton3, Qt::LeftButton, {}, QPoint(6, 8));
    // The way back to the whole level is a change of the spin field.
    ui().SpinEdit5->stepUp();
    QVERIFY(!ui().RadioButton3->isChecked());
    QCOMPARE(ui().Panel3->palette().color(QPalette::Window), kGrey);
    QCOMPARE(ui().Panel4->palette().color(QPalette::Window), menu);
    seen = calculate();
    QVERIFY(ResultsOpened(seen));
    QCOMPARE(seen.back().results.Confidence, QString("51"));
}

void SelectionScreenTest::spinFieldClampsBeforeCalculation_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("confidence");
    QTest::newRow("below") << "45" << "50";
    QTest::newRow("above") << "150" << "99";
    QTest::newRow("letters") << "ab" << "50";
    QTest::newRow("within") << "95" << "95";
}

void SelectionScreenTest::spinFieldClampsBeforeCalculation()
{
    QFETCH(QString, typed);
    QFETCH(QString, confidence);
    openSelection();
    TypeInto(ui().SpinEdit5, typed);
    const auto seen = calculate();
    QVERIFY(ResultsOpened(seen));
    QCOMPARE(seen.back().results.Confidence, confidence);
}

void SelectionScreenTest::knownProportionFallsBackAfterActivation()
{
    m_app->form1().ui.CheckBox3->setChecked(true);
    openSelection();
    QVERIFY(ui().RadioButton5->isEnabled());
    QTest::mouseClick(ui().RadioButton5, Qt::LeftButton, {}, QPoint(6, 10));
    QVERIFY(ui().SpinEdit2->isEnabled());
    QVERIFY(!ui().Label3->isHidden());
    ui().SpinEdit2->setText("30");

    auto seen = calculate();
    QVERIFY(ResultsOpened(seen));
    QCOMPARE(seen.back().results.Proportion, QString("30"));
    QVERIFY(seen.back().results.ProportionMark);

    QTRY_COMPARE(record().ProportionUnknown, 1);
    QCOMPARE(ui().SpinEdit2->text(), QString("30"));
    QVERIFY(!ui().SpinEdit2->isEnabled());
    QVERIFY(ui().RadioButton5->isChecked());

    // Selecting the already selected button runs nothing: 0.5 stays in use.
    QTest::mouseClick(ui().RadioButton5, Qt::LeftButton, {}, QPoint(6, 10));
    seen = calculate();
    QVERIFY(ResultsOpened(seen));
    QCOMPARE(seen.back().results.Proportion, QString("50"));
}

void SelectionScreenTest::unmarkingProportionSelectsUnknown()
{
    m_app->form1().ui.CheckBox3->setChecked(true);
    openSelection();
    QTest::mouseClick(ui().RadioButton5, Qt::LeftButton, {}, QPoint(6, 10));
    QCOMPARE(record().ProportionKnown, 1);
    ui().CheckBox3->setChecked(false);
    QVERIFY(ui().RadioButton6->isChecked());
    QCOMPARE(record().ProportionUnknown, 1);
    QCOMPARE(ui().SpinEdit2->text(), QString("50"));
    QVERIFY(!ui().RadioButton5->isEnabled());
    QVERIFY(ui().Label3->isHidden());
    QVERIFY(!m_app->form1().ui.CheckBox3->isChecked());
}

QTEST_MAIN(SelectionScreenTest)
#include "selection_screen_test.moc"
