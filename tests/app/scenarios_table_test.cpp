// The scenarios table: which rows and columns it holds for a calculation,
// and every cell against the calculation run on a record made the way the
// variable-selection screen makes it, refusals included.

#include "app/scenarios_table.h"
#include "calc/confidence.h"
#include "calc/errors.h"
#include "calc/sample_size.h"

#include <QtTest>

namespace {

// The user's inputs, as the selection screen's fields hold them.
struct Inputs {
    double ErrorPercent = 5;
    int Level = 95;           // 995 and 997 for the two special levels
    double Known = 0;         // 0: proportion unknown
    double Population = 0;    // 0: not considered
    double TypedDeff = 0;     // 0: design effect not considered
    double Response = 0;      // 0: not considered
};

SampleSizeParams Record(const Inputs &in, double errorPercent, int level)
{
    SampleSizeParams p;
    p.ErrorPercent = errorPercent;
    p.ErrorFraction = static_cast<double>(static_cast<long double>(errorPercent) / 100);
    p.ProportionKnown = in.Known > 0 ? 1 : 0;
    p.ProportionUnknown = in.Known > 0 ? 0 : 1;
    p.KnownProportion = in.Known > 0 ? in.Known : 0.15;
    p.UnknownProportion = 0.5;
    p.PopulationOn = in.Population > 0 ? 1 : 0;
    p.PopulationSize = in.Population > 0 ? in.Population : 100;
    p.DesignEffectOn = in.TypedDeff > 0 ? 1 : 0;
    p.DesignEffectByValue = 1;
    p.TypedDesignEffect = in.TypedDeff;
    p.ClusterSize = 10;
    p.ResponseRateOn = in.Response > 0 ? 1 : 0;
    p.ResponseRate = in.Response > 0 ? in.Response : 1;
    SelectConfidence(p, level, level == 995, level == 997);
    return p;
}

// The calculation run by hand: the size, or the message it stops with.
QString Expected(const Inputs &in, double errorPercent, int level)
{
    SampleSizeParams p = Record(in, errorPercent, level);
    try {
        ComputeSampleSize(p);
        return QString::number(p.SampleSize);
    } catch (const calc::ArithmeticError &fault) {
        return QString::fromUtf8(fault.what());
    }
}

QString Shown(const ScenarioCell &cell)
{
    return cell.Refused() ? QString::fromStdString(cell.Refusal) : QString::number(cell.SampleSize);
}

int LevelOf(const ScenarioColumn &column)
{
    if (column.Level == "99.5")
        return 995;
    if (column.Level == "99.7")
        return 997;
    return std::stoi(column.Level);
}

} // namespace

Q_DECLARE_METATYPE(Inputs)

class ScenariosTableTest : public QObject {
    Q_OBJECT
private slots:
    void rowsAndColumns_data();
    void rowsAndColumns();
    void cellsAreTheCalculations_data();
    void cellsAreTheCalculations();
    void knownSizes();
};

void ScenariosTableTest::rowsAndColumns_data()
{
    QTest::addColumn<double>("error");
    QTest::addColumn<int>("level");
    QTest::addColumn<QStringList>("rows");     // the error texts, first, user's, last
    QTest::addColumn<int>("rowCount");
    QTest::addColumn<int>("userRow");
    QTest::addColumn<QStringList>("columns");
    QTest::addColumn<int>("userColumn");

    const QStringList standard{"90", "95", "99"};
    QTest::newRow("on the grid, a standard level") << 5.0 << 95 << QStringList{"1", "5", "10"} << 19 << 8
                                                   << standard << 1;
    QTest::newRow("on the grid, another level") << 4.5 << 93 << QStringList{"1", "4.5", "10"} << 19 << 7
                                                << QStringList{"90", "93", "95", "99"} << 1;
    QTest::newRow("between grid steps") << 3.7 << 995 << QStringList{"1", "3.7", "10"} << 20 << 6
                                        << QStringList{"90", "95", "99", "99.5"} << 3;
    QTest::newRow("below the grid") << 0.25 << 50 << QStringList{"0.25", "0.25", "10"} << 20 << 0
                                    << QStringList{"50", "90", "95", "99"} << 0;
    QTest::newRow("above the grid") << 20.0 << 997 << QStringList{"1", "20", "20"} << 20 << 19
                                    << QStringList{"90", "95", "99", "99.7"} << 3;
    QTest::newRow("lowest standard level") << 1.0 << 90 << QStringList{"1", "1", "10"} << 19 << 0 << standard << 0;
}

void ScenariosTableTest::rowsAndColumns()
{
    QFETCH(double, error);
    QFETCH(int, level);
    QFETCH(QStringList, rows);
    QFETCH(int, rowCount);
    QFETCH(int, userRow);
    QFETCH(QStringList, columns);
    QFETCH(int, userColumn);

    const SampleSizeParams user = Record(Inputs{}, error, level);
    const ScenarioTable table = ScenarioTable::For(user);
    const auto text = [](double fraction) { return QString::fromStdString(ErrorPercentText(fraction, '.')); };
    QCOMPARE(int(table.Rows().size()), rowCount);
    QCOMPARE(table.UserRow(), userRow);
    QCOMPARE(text(table.Rows().front().ErrorFraction), rows[0]);
    QCOMPARE(text(table.Rows()[userRow].ErrorFraction), rows[1]);
    QCOMPARE(text(table.Rows().back().ErrorFraction), rows[2]);
    // The user's row is the user's own error, to the bit.
    QCOMPARE(table.Rows()[userRow].ErrorFraction, user.ErrorFraction);
    for (std::size_t r = 1; r < table.Rows().size(); ++r)
        QVERIFY(table.Rows()[r - 1].ErrorFraction < table.Rows()[r].ErrorFraction);

    QStringList levels;
    for (const ScenarioColumn &column : table.Columns())
        levels << QString::fromStdString(column.Level);
    QCOMPARE(levels, columns);
    QCOMPARE(table.UserColumn(), userColumn);
    QCOMPARE(table.Columns()[userColumn].Z, user.Z);
}

void ScenariosTableTest::cellsAreTheCalculations_data()
{
    QTest::addColumn<Inputs>("inputs");
    QTest::addColumn<int>("refusedCells");   // -1: some, not all
    QTest::addColumn<QStringList>("messages");

    QTest::newRow("nothing optional") << Inputs{5, 95} << 0 << QStringList{};
    QTest::newRow("known proportion, odd level") << Inputs{3.7, 87, 0.3} << 0 << QStringList{};
    QTest::newRow("everything considered") << Inputs{2.5, 995, 0.4, 5000, 1.5, 0.8} << 0 << QStringList{};
    QTest::newRow("small population") << Inputs{7, 997, 0, 150, 0, 0.9} << 0 << QStringList{};
    // A population of one: the correction divides by zero in every cell.
    QTest::newRow("population of one") << Inputs{5, 95, 0, 1} << 19 * 3 << QStringList{calc::kDivisionByZero};
    // Sizes beyond a 64-bit integer at small errors and high levels only.
    QTest::newRow("huge design effect") << Inputs{5, 95, 0, 0, 1e15} << -1 << QStringList{calc::kInvalidOperation};
    // Beyond the double range in some cells, beyond int64 in the others
    // (messages in sorted order).
    QTest::newRow("design effect near the double limit")
        << Inputs{5, 95, 0, 0, 1e306} << 19 * 3 << QStringList{calc::kOverflow, calc::kInvalidOperation};
}

void ScenariosTableTest::cellsAreTheCalculations()
{
    QFETCH(Inputs, inputs);
    QFETCH(int, refusedCells);
    QFETCH(QStringList, messages);

    SampleSizeParams user = Record(inputs, inputs.ErrorPercent, inputs.Level);
    const ScenarioTable table = ScenarioTable::For(user);
    int refused = 0;
    QSet<QString> seen;
    for (const ScenarioRow &row : table.Rows()) {
        const double percent = static_cast<double>(static_cast<long double>(row.ErrorFraction) * 100);
        for (std::size_t c = 0; c < table.Columns().size(); ++c) {
            const ScenarioCell &cell = row.Cells[c];
            const QString expected = Expected(inputs, percent, LevelOf(table.Columns()[c]));
            QCOMPARE(Shown(cell), expected);
            if (cell.Refused()) {
                ++refused;
                seen << Shown(cell);
            }
        }
    }
    if (refusedCells >= 0)
        QCOMPARE(refused, refusedCells);
    else
        QVERIFY(refused > 0 && refused < int(table.Rows().size() * table.Columns().size()));
    QStringList seenSorted = seen.values();
    seenSorted.sort();
    QCOMPARE(seenSorted, messages);

    // The user's cell is the result the results screen showed.
    const ScenarioCell &mine = table.Cell(table.UserRow(), table.UserColumn());
    try {
        ComputeSampleSize(user);
        QCOMPARE(Shown(mine), QString::number(user.SampleSize));
    } catch (const calc::ArithmeticError &fault) {
        QCOMPARE(Shown(mine), QString::fromUtf8(fault.what()));
    }
}

void ScenariosTableTest::knownSizes()
{
    // Error 5 %, 95 %: 384; 3 % at 90 % with the proportion known 30 %: 628.
    const ScenarioTable table = ScenarioTable::For(Record(Inputs{5, 95}, 5, 95));
    QCOMPARE(table.Cell(8, 1).SampleSize, 384);
    const ScenarioTable known = ScenarioTable::For(Record(Inputs{3, 90, 0.3}, 3, 90));
    QCOMPARE(known.Cell(4, 0).SampleSize, 628);
    // With N = 1000 the same 5 % at 95 % gives 278.
    const ScenarioTable finite = ScenarioTable::For(Record(Inputs{5, 95, 0, 1000}, 5, 95));
    QCOMPARE(finite.Cell(8, 1).SampleSize, 278);
}

QTEST_APPLESS_MAIN(ScenariosTableTest)
#include "scenarios_table_test.moc"
