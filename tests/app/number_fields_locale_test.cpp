// Numbers typed into the variable-selection screen and shown on the results
// screen, with the decimal separator of the user's locale (this test runs
// once with a point and once with a comma), and the faults of bad entries.

#include "app/locale_number.h"
#include "screen_driver.h"

#include <QLocale>

#include <memory>

namespace {

// Writes a test text with the locale's separator in place of '.', and the
// other separator in place of '#'.
QString L(const char *text)
{
    const QString separator = QLocale::system().decimalPoint();
    const QString other = separator == QLatin1String(",") ? QStringLiteral(".") : QStringLiteral(",");
    QString result = QString::fromUtf8(text);
    result.replace(QLatin1Char('.'), separator);
    result.replace(QLatin1Char('#'), other);
    return result;
}

} // namespace

class NumberFieldsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void errorFieldCorrections_data();
    void errorFieldCorrections();
    void errorFieldTyped_data();
    void errorFieldTyped();
    void errorArrows_data();
    void errorArrows();
    void rhoCorrections_data();
    void rhoCorrections();
    void typingLimit();
    void conversionErrorsInFields_data();
    void conversionErrorsInFields();
    void conversionErrorsStopTheCalculation_data();
    void conversionErrorsStopTheCalculation();
    void tooLargeNumbersStopTheCalculation_data();
    void tooLargeNumbersStopTheCalculation();
    void arithmeticFaultsStopTheCalculation_data();
    void arithmeticFaultsStopTheCalculation();
    void resultsWithFractions();
    void hugePopulation();

private:
    Ui::Form2 &ui() { return m_app->form2().ui; }
    SampleSizeParams &record() { return m_app->params(); }
    void openSelection();

    std::unique_ptr<Application> m_app;
};

void NumberFieldsTest::init()
{
    m_app = std::make_unique<Application>();
    m_app->showMainWindow();
    QVERIFY(QTest::qWaitForWindowActive(&m_app->form1()));
}

void NumberFieldsTest::cleanup()
{
    m_app.reset();
}

void NumberFieldsTest::openSelection()
{
    QVERIFY(ShowSelectionScreen(*m_app));
    QTRY_COMPARE(ui().Edit3->text(), QString("5"));
}

void NumberFieldsTest::errorFieldCorrections_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<double>("percent");
    QTest::addColumn<double>("fraction");
    QTest::newRow("above 20") << "25" << "20" << 20.0 << 0.2;
    QTest::newRow("20 stays") << "20" << "20" << 20.0 << 0.2;
    QTest::newRow("fraction") << L("12.5") << L("12.5") << 12.5 << 0.125;
    QTest::newRow("empty") << "" << "5" << 5.0 << 0.05;
    QTest::newRow("dash") << "-" << "5" << 5.0 << 0.05;
    QTest::newRow("one blank") << " " << "5" << 5.0 << 0.05;
    QTest::newRow("blanks") << "   " << "5" << 5.0 << 0.05;
    QTest::newRow("negative") << "-3" << "-3" << -3.0 << -0.03;
    QTest::newRow("exponent") << "1E-5" << "1E-5" << 1e-5 << 1e-7;
    QTest::newRow("zero") << "0" << "0" << 0.0 << 0.0;
}

void NumberFieldsTest::errorFieldCorrections()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QFETCH(double, percent);
    QFETCH(double, fraction);
    openSelection();
    ui().Edit3->setText("7");
    ui().Edit3->setText(text);
    QCOMPARE(ui().Edit3->text(), shown);
    QCOMPARE(record().ErrorPercent, percent);
    QCOMPARE(record().ErrorFraction, fraction);
}

void NumberFieldsTest::errorFieldTyped_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("shown");
    QTest::newRow("25") << "25" << "20";
    QTest::newRow("3.5") << L("3.5") << L("3.5");
    QTest::newRow("dash") << "-" << "5";
    QTest::newRow("blank") << " " << "5";
}

void NumberFieldsTest::errorFieldTyped()
{
    QFETCH(QString, keys);
    QFETCH(QString, shown);
    openSelection();
    TypeInto(ui().Edit3, keys);
    QCOMPARE(ui().Edit3->text(), shown);
    // Emptied with the keyboard.
    TypeInto(ui().Edit3, QString());
    QCOMPARE(ui().Edit3->text(), QString("5"));
}

void NumberFieldsTest::errorArrows_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<bool>("up");
    QTest::addColumn<QString>("result");
    QTest::addColumn<double>("fraction");
    QTest::newRow("19.95 up") << L("19.95") << true << "20" << 0.2;
    QTest::newRow("20 up") << "20" << true << "20" << 0.2;
    QTest::newRow("5 up") << "5" << true << L("5.1") << 0.051;
    QTest::newRow("5 down") << "5" << false << L("4.9") << 0.049;
    QTest::newRow("0.05 down") << L("0.05") << false << L("-0.05") << -0.0005;
    QTest::newRow("0 down") << "0" << false << "0" << 0.0;
    QTest::newRow("negative down") << "-3" << false << "0" << 0.0;
    QTest::newRow("negative up") << "-3" << true << L("-2.9") << -0.029;
}

void NumberFieldsTest::errorArrows()
{
    QFETCH(QString, start);
    QFETCH(bool, up);
    QFETCH(QString, result);
    QFETCH(double, fraction);
    openSelection();
    ui().Edit3->setText(start);
    QTest::mouseClick(up ? ui().BitBtn1 : ui().BitBtn2, Qt::LeftButton);
    QCOMPARE(ui().Edit3->text(), result);
    QCOMPARE(record().ErrorFraction, fraction);
}

void NumberFieldsTest::rhoCorrections_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<double>("rho");
    QTest::newRow("above 1") << L("1.5") << "1" << 1.0;
    QTest::newRow("empty") << "" << "1" << 1.0;
    QTest::newRow("dash") << "-" << "1" << 1.0;
    QTest::newRow("blank") << " " << "1" << 1.0;
    QTest::newRow("kept") << L("0.05") << L("0.05") << 0.05;
    QTest::newRow("negative") << L("-0.2") << L("-0.2") << -0.2;
}

void NumberFieldsTest::rhoCorrections()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QFETCH(double, rho);
    m_app->form1().ui.CheckBox4->setChecked(true);
    openSelection();
    ui().Edit2->setText(text);
    QCOMPARE(ui().Edit2->text(), shown);
    QCOMPARE(record().Rho, rho);
}

void NumberFieldsTest::typingLimit()
{
    m_app->form1().ui.CheckBox4->setChecked(true);
    openSelection();
    TypeInto(ui().Edit2, L("0.1234567"));
    QCOMPARE(ui().Edit2->text(), L("0.1234"));
    TypeInto(ui().Edit3, L("1.23456"));
    QCOMPARE(ui().Edit3->text(), L("1.2345"));
}

void NumberFieldsTest::conversionErrorsInFields_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    const auto invalid = [](const QString &text) {
        return QStringLiteral("'%1' is not a valid floating point value.").arg(text);
    };
    QTest::newRow("error letters") << "Edit3" << "abc" << invalid("abc");
    QTest::newRow("error other separator") << "Edit3" << L("1#5") << invalid(L("1#5"));
    QTest::newRow("error overflow") << "Edit3" << "1E400" << "Floating point overflow.";
    // Beyond the extended range as well, whatever the exponent's length.
    QTest::newRow("error beyond extended") << "Edit3" << "1E5000" << "Floating point overflow.";
    QTest::newRow("error long exponent") << "Edit3" << "1E99999999999999999999999"
                                         << "Floating point overflow.";
    QTest::newRow("population beyond extended") << "Edit10" << "1E5000" << "Floating point overflow.";
    QTest::newRow("population negative beyond extended")
        << "Edit10" << "-1E5000" << "Floating point overflow.";
    QTest::newRow("population fraction beyond extended")
        << "Edit10" << L("2.5E4999") << "Floating point overflow.";
    QTest::newRow("error format characters") << "Edit3" << "%s%n" << invalid("%s%n");
    QTest::newRow("rho letters") << "Edit2" << "x" << invalid("x");
    QTest::newRow("rho other separator") << "Edit2" << L("0#3") << invalid(L("0#3"));
    QTest::newRow("population letters") << "Edit10" << "mil" << invalid("mil");
    QTest::newRow("population dash and blank") << "Edit10" << "- " << invalid("- ");
}

void NumberFieldsTest::conversionErrorsInFields()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, message);
    m_app->form1().ui.CheckBox4->setChecked(true);
    m_app->form1().ui.CheckBox6->setChecked(true);
    openSelection();
    const SampleSizeParams before = record();
    auto *edit = m_app->form2().findChild<QLineEdit *>(field);
    const auto seen = HandleModals(*m_app, [&] { edit->setText(text); });
    QCOMPARE(CountMessages(seen), 1);
    QCOMPARE(seen.front().text, message);
    QCOMPARE(seen.front().title, QString("VALDORA"));
    QCOMPARE(seen.front().icon, QMessageBox::Critical);
    // The text stays as typed; the record keeps its values.
    QCOMPARE(edit->text(), text);
    QCOMPARE(record().ErrorPercent, before.ErrorPercent);
    QCOMPARE(record().ErrorFraction, before.ErrorFraction);
    QCOMPARE(record().Rho, before.Rho);
    QCOMPARE(record().PopulationSize, before.PopulationSize);
}

void NumberFieldsTest::conversionErrorsStopTheCalculation_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::newRow("RHO") << "Edit2" << "abc";
    QTest::newRow("population") << "Edit10" << L("1#5");
    QTest::newRow("typed design effect") << "Edit1" << "e";
}

void NumberFieldsTest::conversionErrorsStopTheCalculation()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    m_app->form1().ui.CheckBox4->setChecked(true);
    m_app->form1().ui.CheckBox6->setChecked(true);
    openSelection();
    QTest::mouseClick(ui().RadioButton7, Qt::LeftButton, {}, QPoint(6, 8));
    auto *edit = m_app->form2().findChild<QLineEdit *>(field);
    HandleModals(*m_app, [&] { edit->setText(text); });
    record().SampleSize = -1;
    const auto seen = ClickThroughModals(*m_app, ui().BitBtn3);
    QVERIFY(!ResultsOpened(seen));
    QCOMPARE(CountMessages(seen), 1);
    QCOMPARE(seen.front().text, QStringLiteral("'%1' is not a valid floating point value.").arg(text));
    QCOMPARE(record().SampleSize, std::int64_t(-1));
}

void NumberFieldsTest::tooLargeNumbersStopTheCalculation_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    // The population is read again when calculating; the error field only
    // when it changes (its fault is shown then, see conversionErrorsInFields).
    QTest::newRow("population") << "Edit10" << "1E5000";
    QTest::newRow("negative population") << "Edit10" << "-1E5000";
}

void NumberFieldsTest::tooLargeNumbersStopTheCalculation()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    m_app->form1().ui.CheckBox6->setChecked(true);
    openSelection();
    ui().SpinEdit5->setText("95");
    auto *edit = m_app->form2().findChild<QLineEdit *>(field);
    HandleModals(*m_app, [&] { edit->setText(text); });
    record().SampleSize = -1;
    const auto seen = ClickThroughModals(*m_app, ui().BitBtn3);
    QVERIFY(!ResultsOpened(seen));
    QVERIFY(!m_app->form3().isVisible());
    QCOMPARE(CountMessages(seen), 1);
    QCOMPARE(seen.front().text, QStringLiteral("Floating point overflow."));
    QCOMPARE(record().SampleSize, std::int64_t(-1));
    QCOMPARE(edit->text(), text);
}

void NumberFieldsTest::arithmeticFaultsStopTheCalculation_data()
{
    QTest::addColumn<QString>("error");
    QTest::addColumn<QString>("population");
    QTest::addColumn<QString>("message");
    QTest::newRow("error 0") << "0" << "" << "Floating point division by zero.";
    QTest::newRow("population 1") << "5" << "1" << "Floating point division by zero.";
    QTest::newRow("error 1E-158") << "1E-158" << "" << "Floating point overflow.";
}

void NumberFieldsTest::arithmeticFaultsStopTheCalculation()
{
    QFETCH(QString, error);
    QFETCH(QString, population);
    QFETCH(QString, message);
    if (!population.isEmpty())
        m_app->form1().ui.CheckBox6->setChecked(true);
    openSelection();
    ui().Edit3->setText(error);
    if (!population.isEmpty())
        ui().Edit10->setText(population);
    ui().SpinEdit5->setText("95");
    const auto seen = ClickThroughModals(*m_app, ui().BitBtn3);
    QCOMPARE(CountMessages(seen), 1);
    QCOMPARE(seen.front().text, message);
    QCOMPARE(seen.front().title, QString("VALDORA"));
    QVERIFY(!ResultsOpened(seen));
    QVERIFY(!m_app->form3().isVisible());
}

void NumberFieldsTest::resultsWithFractions()
{
    m_app->form1().ui.CheckBox4->setChecked(true);
    m_app->form1().ui.CheckBox5->setChecked(true);
    openSelection();
    ui().SpinEdit5->setText("95");
    ui().Edit2->setText(L("0.05"));
    ui().SpinEdit3->setText("80");
    QString deffFieldWhileShown;
    const auto seen = ClickThroughModals(*m_app, ui().BitBtn3,
                                         [&](Form3 &) { deffFieldWhileShown = ui().Edit1->text(); });
    QVERIFY(ResultsOpened(seen));
    const ResultsSnapshot &r = seen.back().results;
    QCOMPARE(r.SampleSize, QString("696"));
    QCOMPARE(r.DesignEffect, L("1.45"));
    QCOMPARE(r.ResponseRate, QString("80"));
    QCOMPARE(r.Error, QString("5"));
    // The design effect used passes through the DEFF field; coming back
    // from the results, the activation sets the field to "1" again.
    QCOMPARE(deffFieldWhileShown, L("1.45"));
    QTRY_COMPARE(ui().Edit1->text(), QString("1"));
}

void NumberFieldsTest::hugePopulation()
{
    m_app->form1().ui.CheckBox6->setChecked(true);
    openSelection();
    ui().SpinEdit5->setText("95");
    ui().Edit10->setText("1E308");
    const auto seen = ClickThroughModals(*m_app, ui().BitBtn3);
    QVERIFY(ResultsOpened(seen));
    QCOMPARE(seen.back().results.SampleSize, QString("384"));
    QCOMPARE(seen.back().results.Population, QString("1E308"));
}

QTEST_MAIN(NumberFieldsTest)
#include "number_fields_locale_test.moc"
