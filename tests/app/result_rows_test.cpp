// What a calculation shows on the results screen: the row texts, the check
// marks of the values the user gave, and the population row that appears
// only when the population is considered.

#include "screen_driver.h"

#include "app/results_sheet.h"
#include "report/component.h"
#include "report/report.h"

#include <memory>

class ResultRowsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void rows_data();
    void rows();
    void populationRowFollowsEachCalculation();
    void errorAndConfidenceAlwaysMarked();
    void failedCalculationKeepsLastResults();

private:
    Ui::Form2 &ui() { return m_app->form2().ui; }
    void openSelection();
    ResultsSnapshot calculate();

    std::unique_ptr<Application> m_app;
};

void ResultRowsTest::init()
{
    m_app = std::make_unique<Application>();
    m_app->showMainWindow();
    QVERIFY(QTest::qWaitForWindowActive(&m_app->form1()));
}

void ResultRowsTest::cleanup()
{
    m_app.reset();
}

void ResultRowsTest::openSelection()
{
    QVERIFY(ShowSelectionScreen(*m_app));
    QTRY_COMPARE(ui().Edit3->text(), QString("5"));
}

ResultsSnapshot ResultRowsTest::calculate()
{
    const auto seen = ClickThroughModals(*m_app, ui().BitBtn3);
    if (!ResultsOpened(seen)) {
        QTest::qFail("the results screen did not open", __FILE__, __LINE__);
        return {};
    }
    return seen.back().results;
}

// Each row: the main screen's marks, the entries, and what the results show.
void ResultRowsTest::rows_data()
{
    QTest::addColumn<int>("marks"); // bit 0 proportion, 1 design effect, 2 response rate, 3 population
    QTest::addColumn<QString>("level");
    QTest::addColumn<int>("special"); // 0 none, 1 "99.5 %", 2 "99.7  %"
    QTest::addColumn<QString>("error");
    QTest::addColumn<QString>("population");
    QTest::addColumn<QString>("responseRate");
    QTest::addColumn<QStringList>("texts"); // sample, error, confidence, proportion, deff, rate, population
    QTest::addColumn<QList<bool>>("checks"); // proportion, deff, rate, population caption, population mark

    const QString none(QStringLiteral("      "));
    QTest::newRow("error 5, level 95")
        << 0 << "95" << 0 << "5" << "" << ""
        << QStringList{"384", "5", "95", "50", "1", "100", none} << QList<bool>{false, false, false, false, false};
    QTest::newRow("99.7 selected")
        << 0 << "95" << 2 << "5" << "" << ""
        << QStringList{"882", "5", "99.7", "50", "1", "100", none} << QList<bool>{false, false, false, false, false};
    QTest::newRow("99.5 selected")
        << 0 << "60" << 1 << "5" << "" << ""
        << QStringList{"790", "5", "99.5", "50", "1", "100", none} << QList<bool>{false, false, false, false, false};
    QTest::newRow("population 1000")
        << 8 << "95" << 0 << "5" << "1000" << ""
        << QStringList{"278", "5", "95", "50", "1", "100", "1000"} << QList<bool>{false, false, false, true, true};
    QTest::newRow("population 100")
        << 8 << "95" << 0 << "5" << "100" << ""
        << QStringList{"79", "5", "95", "50", "1", "100", "100"} << QList<bool>{false, false, false, true, true};
    QTest::newRow("every element considered")
        << 15 << "95" << 0 << "5" << "1000" << "80"
        << QStringList{"347", "5", "95", "50", "1", "80", "1000"} << QList<bool>{true, true, true, true, true};
    QTest::newRow("error 20, level 50")
        << 0 << "50" << 0 << "20" << "" << ""
        << QStringList{"3", "20", "50", "50", "1", "100", none} << QList<bool>{false, false, false, false, false};
}

void ResultRowsTest::rows()
{
    QFETCH(int, marks);
    QFETCH(QString, level);
    QFETCH(int, special);
    QFETCH(QString, error);
    QFETCH(QString, population);
    QFETCH(QString, responseRate);
    QFETCH(QStringList, texts);
    QFETCH(QList<bool>, checks);

    const Ui::Form1 &main = m_app->form1().ui;
    main.CheckBox3->setChecked(marks & 1);
    main.CheckBox4->setChecked(marks & 2);
    main.CheckBox5->setChecked(marks & 4);
    main.CheckBox6->setChecked(marks & 8);
    openSelection();
    ui().SpinEdit5->setText(level);
    if (special == 1)
        ui().RadioButton3->setChecked(true);
    if (special == 2)
        ui().RadioButton4->setChecked(true);
    ui().Edit3->setText(error);
    if (!population.isEmpty())
        ui().Edit10->setText(population);
    if (!responseRate.isEmpty())
        ui().SpinEdit3->setText(responseRate);

    const ResultsSnapshot r = calculate();
    QCOMPARE(QStringList({r.SampleSize, r.Error, r.Confidence, r.Proportion, r.DesignEffect, r.ResponseRate,
                          r.Population}),
             texts);
    QCOMPARE(QList<bool>({r.ProportionMark, r.DesignEffectMark, r.ResponseRateMark, r.PopulationCaption,
                          r.PopulationMark}),
             checks);

    // The printed sheet's rows follow the screen's.
    const TppReport &sheet = m_app->form3().ppReport1();
    const auto shown = [&](const char *name) { return SheetComponent(sheet, name).Visible(); };
    QCOMPARE(QList<bool>({shown("ppImage5"), shown("ppImage6"), shown("ppImage7"), shown("ppLabel14"),
                          shown("ppImage8")}),
             checks);
    QCOMPARE(shown("ppLabel7"), checks[3]);
    QVERIFY(shown("ppImage3") && shown("ppImage4"));
}

void ResultRowsTest::populationRowFollowsEachCalculation()
{
    m_app->form1().ui.CheckBox6->setChecked(true);
    openSelection();
    ui().Edit10->setText("1000");
    ResultsSnapshot r = calculate();
    QVERIFY(r.PopulationCaption);
    QCOMPARE(r.Population, QString("1000"));

    QTRY_COMPARE(ui().Edit10->text(), QString("100"));
    ui().CheckBox4->setChecked(false);
    r = calculate();
    QVERIFY(!r.PopulationCaption);
    QVERIFY(!r.PopulationMark);
    QCOMPARE(r.Population, QString("      "));
}

void ResultRowsTest::errorAndConfidenceAlwaysMarked()
{
    openSelection();
    const ResultsSnapshot r = calculate();
    QVERIFY(r.ErrorMark);
    QVERIFY(r.ConfidenceMark);
}

void ResultRowsTest::failedCalculationKeepsLastResults()
{
    openSelection();
    ui().SpinEdit5->setText("95");
    QCOMPARE(calculate().SampleSize, QString("384"));
    QTRY_COMPARE(ui().Edit3->text(), QString("5"));
    ui().Edit3->setText("0");
    const auto seen = ClickThroughModals(*m_app, ui().BitBtn3);
    QVERIFY(!ResultsOpened(seen));
    QCOMPARE(m_app->form3().ui.Label2->text(), QString("384"));
}

QTEST_MAIN(ResultRowsTest)
#include "result_rows_test.moc"
