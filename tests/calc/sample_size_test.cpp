#include "calc/confidence.h"
#include "calc/errors.h"
#include "calc/sample_size.h"

#include <QtTest>

#include <cstring>

namespace {

// A record as the variable-selection screen leaves it: proportion unknown,
// nothing optional considered.
SampleSizeParams BaseRecord(double errorPercent, int level)
{
    SampleSizeParams p;
    p.ErrorFraction = errorPercent / 100;
    p.ProportionUnknown = 1;
    p.UnknownProportion = 0.5;
    p.KnownProportion = 0.15;
    p.ResponseRate = 1;
    SelectConfidence(p, level, false, false);
    return p;
}

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

} // namespace

class SampleSizeTest : public QObject {
    Q_OBJECT
private slots:
    void computes_data();
    void computes();
    void faults_data();
    void faults();
    void keepsFieldsWrittenBeforeAFault();
};

void SampleSizeTest::computes_data()
{
    QTest::addColumn<double>("error");
    QTest::addColumn<int>("level");
    QTest::addColumn<double>("known");        // 0: proportion unknown
    QTest::addColumn<double>("population");   // 0: not considered
    QTest::addColumn<double>("deff");         // typed design effect, 0: none
    QTest::addColumn<double>("rho");          // with cluster size 10, -1: none
    QTest::addColumn<double>("response");     // 0: not considered
    QTest::addColumn<double>("base");
    QTest::addColumn<double>("corrected");    // checked when population is on
    QTest::addColumn<double>("unrounded");
    QTest::addColumn<qint64>("size");

    QTest::newRow("5%, 95%") << 5.0 << 95 << 0.0 << 0.0 << 0.0 << -1.0 << 0.0
                             << 384.1599999999999 << 0.0 << 384.1599999999999 << qint64(384);
    QTest::newRow("N=1000") << 5.0 << 95 << 0.0 << 1000.0 << 0.0 << -1.0 << 0.0
                            << 384.1599999999999 << 277.663830526133 << 277.663830526133 << qint64(278);
    QTest::newRow("N=100") << 5.0 << 95 << 0.0 << 100.0 << 0.0 << -1.0 << 0.0
                           << 384.1599999999999 << 78.8780487804878 << 78.8780487804878 << qint64(79);
    QTest::newRow("3%, 90%, p=30%") << 3.0 << 90 << 0.3 << 0.0 << 0.0 << -1.0 << 0.0
                                    << 627.5733333333333 << 0.0 << 627.5733333333333 << qint64(628);
    // The design effect 1.45 is stored as a double before it multiplies, so the
    // unrounded size is 696.29 to 15 digits but not to the last bit.
    QTest::newRow("rho 0.05, m 10, 80%") << 5.0 << 95 << 0.0 << 0.0 << 0.0 << 0.05 << 0.8
                                         << 384.1599999999999 << 0.0 << 696.2899999999997 << qint64(696);
    QTest::newRow("deff 1.5, N=5000, 90%") << 5.0 << 95 << 0.0 << 5000.0 << 1.5 << -1.0 << 0.9
                                           << 384.1599999999999 << 356.81136198106327
                                           << 594.6856033017721 << qint64(595);
    QTest::newRow("20%, 50%, p=15%") << 20.0 << 50 << 0.15 << 0.0 << 0.0 << -1.0 << 0.0
                                     << 1.43086875 << 0.0 << 1.43086875 << qint64(1);
    QTest::newRow("tie to even 1562.5") << 2.0 << 68 << 0.0 << 0.0 << 2.5 << -1.0 << 0.0
                                        << 625.0 << 0.0 << 1562.5 << qint64(1562);
    QTest::newRow("tie to even 937.5") << 2.0 << 68 << 0.0 << 0.0 << 1.5 << -1.0 << 0.0
                                       << 625.0 << 0.0 << 937.5 << qint64(938);
    QTest::newRow("rho 0 equals no design effect") << 5.0 << 95 << 0.0 << 0.0 << 0.0 << 0.0 << 0.0
                                                   << 384.1599999999999 << 0.0 << 384.1599999999999 << qint64(384);
}

void SampleSizeTest::computes()
{
    QFETCH(double, error);
    QFETCH(int, level);
    QFETCH(double, known);
    QFETCH(double, population);
    QFETCH(double, deff);
    QFETCH(double, rho);
    QFETCH(double, response);

    SampleSizeParams p = BaseRecord(error, level);
    if (known > 0) {
        p.ProportionKnown = 1;
        p.ProportionUnknown = 0;
        p.KnownProportion = known;
    }
    if (population > 0) {
        p.PopulationOn = 1;
        p.PopulationSize = population;
    }
    if (deff > 0 || rho >= 0) {
        p.DesignEffectOn = 1;
        p.DesignEffectByValue = deff > 0 ? 1 : 0;
        p.TypedDesignEffect = deff;
        p.Rho = rho;
        p.ClusterSize = 10;
    }
    if (response > 0) {
        p.ResponseRateOn = 1;
        p.ResponseRate = response;
    }

    ComputeSampleSize(p);

    QFETCH(double, base);
    QFETCH(double, corrected);
    QFETCH(double, unrounded);
    QFETCH(qint64, size);
    QVERIFY2(SameBits(p.BaseSize, base), qPrintable(QString::number(p.BaseSize, 'g', 17)));
    if (population > 0)
        QVERIFY2(SameBits(p.CorrectedSize, corrected), qPrintable(QString::number(p.CorrectedSize, 'g', 17)));
    else
        QCOMPARE(p.PopulationSize, 0.0);
    QVERIFY2(SameBits(p.UnroundedSize, unrounded), qPrintable(QString::number(p.UnroundedSize, 'g', 17)));
    QCOMPARE(qint64(p.SampleSize), size);
    if (rho >= 0 && deff == 0)
        QCOMPARE(p.DesignEffect, rho == 0 ? 1.0 : 1.45);
}

void SampleSizeTest::faults_data()
{
    QTest::addColumn<double>("error");
    QTest::addColumn<double>("population"); // 0: not considered
    QTest::addColumn<double>("response");   // 0: not considered
    QTest::addColumn<QString>("message");

    QTest::newRow("error 0%") << 0.0 << 0.0 << 0.0 << "Floating point division by zero";
    QTest::newRow("square underflows to 0") << 1e-170 << 0.0 << 0.0 << "Floating point division by zero";
    QTest::newRow("N=1") << 5.0 << 1.0 << 0.0 << "Floating point division by zero";
    QTest::newRow("error 1E-158%") << 1e-158 << 0.0 << 0.0 << "Floating point overflow";
    QTest::newRow("beyond int64") << 1e-6 << 0.0 << 1e-12 << "Invalid floating point operation";
}

void SampleSizeTest::faults()
{
    QFETCH(double, error);
    QFETCH(double, population);
    QFETCH(double, response);
    QFETCH(QString, message);

    SampleSizeParams p = BaseRecord(error, 95);
    if (population > 0) {
        p.PopulationOn = 1;
        p.PopulationSize = population;
    }
    if (response > 0) {
        p.ResponseRateOn = 1;
        p.ResponseRate = response;
    }
    try {
        ComputeSampleSize(p);
        QFAIL("no fault raised");
    } catch (const calc::ArithmeticError &e) {
        QCOMPARE(QString::fromUtf8(e.what()), message);
    }
}

void SampleSizeTest::keepsFieldsWrittenBeforeAFault()
{
    // 0 / 0: the population is 1 and the base size exactly 1.
    SampleSizeParams p = BaseRecord(50, 50);
    p.Z = 1;
    p.PopulationOn = 1;
    p.PopulationSize = 1;
    p.UnroundedSize = 7;
    p.SampleSize = 7;
    try {
        ComputeSampleSize(p);
        QFAIL("no fault raised");
    } catch (const calc::ArithmeticError &e) {
        QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("Invalid floating point operation"));
    }
    QCOMPARE(p.ErrorSquared, 0.25);
    QCOMPARE(p.BaseSize, 1.0);
    QCOMPARE(p.UnroundedSize, 7.0);
    QCOMPARE(qint64(p.SampleSize), qint64(7));
}

QTEST_APPLESS_MAIN(SampleSizeTest)
#include "sample_size_test.moc"
