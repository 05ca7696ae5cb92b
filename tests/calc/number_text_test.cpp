#include "calc/errors.h"
#include "calc/number_text.h"
#include "calc/result_presentation.h"

#include <QtTest>

using calc::FormatGeneral;
using calc::ParseFloat;

class NumberTextTest : public QObject {
    Q_OBJECT
private slots:
    void formats_data();
    void formats();
    void parses_data();
    void parses();
    void rejects_data();
    void rejects();
    void overflowIsAnArithmeticFault();
    void beyondTheExtendedRange_data();
    void beyondTheExtendedRange();
    void messageInsertsTextLiterally();
    void percentagesFormedInExtended();
};

void NumberTextTest::formats_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("point");
    QTest::addColumn<QString>("comma");
    QTest::newRow("whole") << 384.0 << "384" << "384";
    QTest::newRow("fraction") << 1.45 << "1.45" << "1,45";
    QTest::newRow("15 digits") << 277.663830526133 << "277.663830526133" << "277,663830526133";
    QTest::newRow("17-digit double") << 384.1599999999999 << "384.16" << "384,16";
    QTest::newRow("negative") << -0.05 << "-0.05" << "-0,05";
    QTest::newRow("zero") << 0.0 << "0" << "0";
    QTest::newRow("0.0001 plain") << 0.0001 << "0.0001" << "0,0001";
    QTest::newRow("below 0.0001") << 0.00001 << "1E-5" << "1E-5";
    QTest::newRow("exponent with fraction") << 1.5e-7 << "1.5E-7" << "1,5E-7";
    QTest::newRow("15 integer digits") << 999999999999999.0 << "999999999999999" << "999999999999999";
    QTest::newRow("16 integer digits") << 1e15 << "1E15" << "1E15";
    QTest::newRow("rounds up into exponent form") << 9999999999999999.0 << "1E16" << "1E16";
    QTest::newRow("largest double") << 1.7976931348623157e308 << "1.79769313486232E308" << "1,79769313486232E308";
}

void NumberTextTest::formats()
{
    QFETCH(double, value);
    QFETCH(QString, point);
    QFETCH(QString, comma);
    QCOMPARE(QString::fromStdString(FormatGeneral(value, '.')), point);
    QCOMPARE(QString::fromStdString(FormatGeneral(value, ',')), comma);
}

void NumberTextTest::parses_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<char>("separator");
    QTest::addColumn<double>("value");
    QTest::newRow("integer") << "25" << '.' << 25.0;
    QTest::newRow("point") << "19.95" << '.' << 19.95;
    QTest::newRow("comma") << "19,95" << ',' << 19.95;
    QTest::newRow("signs") << "-0.05" << '.' << -0.05;
    QTest::newRow("plus") << "+3" << '.' << 3.0;
    QTest::newRow("exponent") << "1E-5" << '.' << 1e-5;
    QTest::newRow("lower-case exponent") << "2.5e3" << '.' << 2500.0;
    QTest::newRow("blanks around") << " 7 " << '.' << 7.0;
    QTest::newRow("no integer digits") << ",5" << ',' << 0.5;
    QTest::newRow("trailing separator") << "5." << '.' << 5.0;
    QTest::newRow("population 1E308") << "1E308" << '.' << 1e308;
    QTest::newRow("error 1E-158") << "1E-158" << '.' << 1e-158;
    QTest::newRow("underflow goes to 0") << "1E-400" << '.' << 0.0;
}

void NumberTextTest::parses()
{
    QFETCH(QString, text);
    QFETCH(char, separator);
    QFETCH(double, value);
    QCOMPARE(ParseFloat(text.toStdString(), separator), value);
}

void NumberTextTest::rejects_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<char>("separator");
    QTest::newRow("letters") << "abc" << '.';
    QTest::newRow("comma under a point locale") << "1,5" << '.';
    QTest::newRow("point under a comma locale") << "1.5" << ',';
    QTest::newRow("minus alone") << "-" << '.';
    QTest::newRow("empty") << "" << '.';
    QTest::newRow("blanks only") << "   " << '.';
    QTest::newRow("exponent without digits") << "1E" << '.';
    QTest::newRow("infinity word") << "inf" << '.';
    QTest::newRow("nan word") << "nan" << '.';
    QTest::newRow("two separators") << "1.2.3" << '.';
    QTest::newRow("hex") << "0x10" << '.';
}

void NumberTextTest::rejects()
{
    QFETCH(QString, text);
    QFETCH(char, separator);
    try {
        ParseFloat(text.toStdString(), separator);
        QFAIL("accepted");
    } catch (const calc::ConversionError &e) {
        QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("'%1' is not a valid floating point value").arg(text));
    }
}

void NumberTextTest::overflowIsAnArithmeticFault()
{
    QVERIFY_THROWS_EXCEPTION(calc::ArithmeticError, ParseFloat("1E400", '.'));
}

void NumberTextTest::beyondTheExtendedRange_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("overflow");
    QTest::newRow("1E5000") << "1E5000" << true;
    QTest::newRow("-1E5000") << "-1E5000" << true;
    QTest::newRow("+1e+5000") << " +1e+5000 " << true;
    QTest::newRow("long exponent") << "1E999999999999999999999999999999" << true;
    QTest::newRow("fraction, large exponent") << "0.0001E4940" << true;
    QTest::newRow("5000 digits") << QString(5000, QLatin1Char('9')) << true;
    QTest::newRow("many zeros, exponent") << "0." + QString(10, QLatin1Char('0')) + "1E5000" << true;
    QTest::newRow("1E-5000") << "1E-5000" << false;
    QTest::newRow("-1E-5000") << "-1E-5000" << false;
    QTest::newRow("long negative exponent") << "1E-999999999999999999999999999999" << false;
    QTest::newRow("large mantissa, small exponent") << "100000E-5000" << false;
    QTest::newRow("zero, large exponent") << "0E999999" << false;
}

void NumberTextTest::beyondTheExtendedRange()
{
    QFETCH(QString, text);
    QFETCH(bool, overflow);
    for (const char separator : {'.', ','}) {
        QString local = text;
        local.replace(QLatin1Char('.'), QLatin1Char(separator));
        if (overflow) {
            QVERIFY_THROWS_EXCEPTION(calc::ArithmeticError, ParseFloat(local.toStdString(), separator));
        } else {
            const double value = ParseFloat(local.toStdString(), separator);
            QCOMPARE(value, 0.0);
        }
    }
}

void NumberTextTest::messageInsertsTextLiterally()
{
    QCOMPARE(QString::fromStdString(calc::InvalidFloatMessage("%s%n")),
             QStringLiteral("'%s%n' is not a valid floating point value"));
}

void NumberTextTest::percentagesFormedInExtended()
{
    SampleSizeParams p;
    p.ErrorFraction = 0.05;
    p.ProportionKnown = 1;
    p.KnownProportion = 0.3;
    p.ResponseRate = 0.07;
    p.DesignEffect = 1.45;
    p.ConfidenceText = "99.7";
    p.SampleSize = 384;
    p.PopulationOn = 0;
    ResultTexts texts = PresentationTexts(p, '.');
    QCOMPARE(QString::fromStdString(texts.Error), QStringLiteral("5"));
    QCOMPARE(QString::fromStdString(texts.Proportion), QStringLiteral("30"));
    QCOMPARE(QString::fromStdString(texts.ResponseRate), QStringLiteral("7"));
    QCOMPARE(QString::fromStdString(texts.DesignEffect), QStringLiteral("1.45"));
    QCOMPARE(QString::fromStdString(texts.Confidence), QStringLiteral("99.7"));
    QCOMPARE(QString::fromStdString(texts.SampleSize), QStringLiteral("384"));
    QCOMPARE(QString::fromStdString(texts.Population), QStringLiteral("      "));

    p.PopulationOn = 1;
    p.PopulationSize = 1000;
    p.ProportionKnown = 0;
    p.ProportionUnknown = 1;
    p.UnknownProportion = 0.5;
    texts = PresentationTexts(p, ',');
    QCOMPARE(QString::fromStdString(texts.Population), QStringLiteral("1000"));
    QCOMPARE(QString::fromStdString(texts.Proportion), QStringLiteral("50"));
}

QTEST_APPLESS_MAIN(NumberTextTest)
#include "number_text_test.moc"
