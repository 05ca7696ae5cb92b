#include "calc/confidence.h"
#include "calc/sample_size.h"

#include <QtTest>

class ConfidenceTest : public QObject {
    Q_OBJECT
private slots:
    void tableHoldsEveryLevel();
    void wholeLevels_data();
    void wholeLevels();
    void specialLevelsOverride_data();
    void specialLevelsOverride();
    void unknownLevelKeepsPreviousValues();
};

void ConfidenceTest::tableHoldsEveryLevel()
{
    QCOMPARE(ConfidenceTable.size(), std::size_t(52));
    for (int level = 50; level <= 99; ++level)
        QCOMPARE(QString::fromUtf8(ConfidenceTable[level - 50].Level.data(),
                                   int(ConfidenceTable[level - 50].Level.size())),
                 QString::number(level));
    QVERIFY(ConfidenceTable[50].Level == "99.5" && ConfidenceTable[50].Z == 2.81);
    QVERIFY(ConfidenceTable[51].Level == "99.7" && ConfidenceTable[51].Z == 2.97);
}

void ConfidenceTest::wholeLevels_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<double>("z");
    QTest::newRow("50") << 50 << 0.67;
    QTest::newRow("95") << 95 << 1.96;
    QTest::newRow("99") << 99 << 2.58;
    // Table values that differ from the rounded normal quantile.
    QTest::newRow("55") << 55 << 0.75;
    QTest::newRow("64") << 64 << 0.91;
    QTest::newRow("68") << 68 << 1.00;
    QTest::newRow("69") << 69 << 1.01;
    QTest::newRow("84") << 84 << 1.40;
    QTest::newRow("90") << 90 << 1.64;
}

void ConfidenceTest::wholeLevels()
{
    QFETCH(int, level);
    QFETCH(double, z);
    SampleSizeParams p;
    SelectConfidence(p, level, false, false);
    QCOMPARE(p.Z, z);
    QCOMPARE(QString::fromStdString(p.ConfidenceText), QString::number(level));
}

void ConfidenceTest::specialLevelsOverride_data()
{
    QTest::addColumn<bool>("level995");
    QTest::addColumn<double>("z");
    QTest::addColumn<QString>("text");
    QTest::newRow("99.5") << true << 2.81 << "99.5";
    QTest::newRow("99.7") << false << 2.97 << "99.7";
}

void ConfidenceTest::specialLevelsOverride()
{
    QFETCH(bool, level995);
    QFETCH(double, z);
    QFETCH(QString, text);
    SampleSizeParams p;
    SelectConfidence(p, 60, level995, !level995);
    QCOMPARE(p.Z, z);
    QCOMPARE(QString::fromStdString(p.ConfidenceText), text);
}

void ConfidenceTest::unknownLevelKeepsPreviousValues()
{
    QVERIFY(!LookUpConfidence(45));
    QVERIFY(!LookUpConfidence(100));
    QVERIFY(!LookUpConfidence(-50));
    SampleSizeParams p;
    p.Z = 0.67;
    p.ConfidenceText = "50";
    SelectConfidence(p, 45, false, false);
    QCOMPARE(p.Z, 0.67);
    QCOMPARE(QString::fromStdString(p.ConfidenceText), QStringLiteral("50"));
}

QTEST_APPLESS_MAIN(ConfidenceTest)
#include "confidence_test.moc"
