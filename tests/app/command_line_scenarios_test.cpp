// The scenarios table and sheet from the command line, through the program's
// binary with no display: every CSV cell against the table computed here from
// a record made the way the selection screen makes it, refused cells with the
// calculation's message, in the convention of the user's locale; the sheet
// written into a PDF file and read back.

#include "command_line_runner.h"
#include "scenario_calculation.h"

#include "app/csv_table.h"
#include "app/scenarios_table.h"
#include "calc/confidence.h"
#include "tests/support/printed_output.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <sstream>

using command_line::Outcome;
using command_line::Run;
using command_line::Setting;

Q_DECLARE_METATYPE(SampleSizeParams)

namespace {

const QString kSpanish = QStringLiteral("es_ES.UTF-8");
const QStringList kUserValues = {"--error", "4.5", "--confidence", "93", "--response-rate", "85"};

// The selection screen's record for kUserValues with the population of 5000.
SampleSizeParams WithPopulation()
{
    return ScenarioInputs(5000);
}

// The same without the population and with a design effect so large that
// the small errors' sizes leave the 64-bit range.
SampleSizeParams WithHugeDesignEffect()
{
    SampleSizeParams p = ScenarioInputs();
    p.PopulationOn = 0;
    p.DesignEffectOn = 1;
    p.DesignEffectByValue = 1;
    p.TypedDesignEffect = 1e15;
    return p;
}

QString Shown(const ScenarioCell &cell)
{
    return cell.Refused() ? QString::fromStdString(cell.Refusal) : QString::number(cell.SampleSize);
}

std::vector<std::vector<std::string>> ReadCsv(const QByteArray &bytes, CsvConvention &convention)
{
    std::istringstream input(bytes.toStdString());
    CsvReader reader(input);
    std::vector<std::vector<std::string>> records(1);
    if (!reader.ReadHeader(records.front()))
        return {};
    convention = reader.Convention();
    std::vector<std::string> record;
    while (reader.Next(record))
        records.push_back(record);
    return records;
}

} // namespace

class CommandLineScenariosTest : public QObject {
    Q_OBJECT

private slots:
    void csvCellsAreTheTable_data();
    void csvCellsAreTheTable();
    void refusedRequests_data();
    void refusedRequests();
    void sheetIntoPdf();
    void sheetOnAQueue();
    void helpNamesTheOption_data();
    void helpNamesTheOption();

private:
    QTemporaryDir m_folder;
};

void CommandLineScenariosTest::csvCellsAreTheTable_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<SampleSizeParams>("record");
    QTest::addColumn<bool>("someRefused");

    const QStringList population = kUserValues + QStringList{"--population", "5000", "--scenarios"};
    const QStringList huge = kUserValues + QStringList{"--deff", "1e15", "--scenarios"};
    QTest::newRow("population, point") << "C.UTF-8" << population << WithPopulation() << false;
    QTest::newRow("population, comma") << kSpanish << population << WithPopulation() << false;
    QTest::newRow("refused cells, point") << "C.UTF-8" << huge << WithHugeDesignEffect() << true;
    QTest::newRow("refused cells, comma") << kSpanish << huge << WithHugeDesignEffect() << true;
}

void CommandLineScenariosTest::csvCellsAreTheTable()
{
    QFETCH(QString, locale);
    QFETCH(QStringList, arguments);
    QFETCH(SampleSizeParams, record);
    QFETCH(bool, someRefused);

    Setting setting;
    setting.locale = locale;
    // Only the sheet needs the toolkit: the table must come without it.
    setting.forbidToolkit = true;
    const Outcome outcome = Run(arguments, setting);
    QVERIFY2(outcome.finished, qPrintable(outcome.err));
    QCOMPARE(outcome.status, 0);
    QCOMPARE(outcome.err, QString());

    const char decimal = locale == kSpanish ? ',' : '.';
    CsvConvention convention;
    const auto records = ReadCsv(outcome.outBytes, convention);
    QCOMPARE(convention.separator, decimal == ',' ? ';' : ',');
    QCOMPARE(convention.byteOrderMark, false);
    QCOMPARE(convention.lineEnd, std::string("\n"));

    ComputeSampleSize(record);
    const ScenarioTable table = ScenarioTable::For(record);
    QCOMPARE(records.size(), table.Rows().size() + 1);
    std::vector<std::string> header{"error"};
    for (const ScenarioColumn &column : table.Columns()) {
        std::string level = column.Level;
        std::replace(level.begin(), level.end(), '.', decimal);
        header.push_back("confidence_" + level);
    }
    QCOMPARE(records.front(), header);

    int refused = 0;
    for (std::size_t r = 0; r < table.Rows().size(); ++r) {
        const ScenarioRow &row = table.Rows()[r];
        const std::vector<std::string> &cells = records[r + 1];
        QCOMPARE(cells.size(), row.Cells.size() + 1);
        QString error = QString::fromStdString(cells.front());
        QVERIFY2(decimal == '.' || !error.contains(QLatin1Char('.')), qPrintable(error));
        error.replace(QLatin1Char(','), QLatin1Char('.'));
        bool number = false;
        QCOMPARE(error.toDouble(&number), static_cast<double>(static_cast<long double>(row.ErrorFraction) * 100));
        QVERIFY(number);
        for (std::size_t c = 0; c < row.Cells.size(); ++c) {
            QCOMPARE(QString::fromStdString(cells[c + 1]), Shown(row.Cells[c]));
            refused += row.Cells[c].Refused() ? 1 : 0;
        }
    }
    QCOMPARE(refused > 0, someRefused);
    // The user's row is there, and its cell is the result's sample size.
    const ScenarioRow &mine = table.Rows()[table.UserRow()];
    QCOMPARE(mine.ErrorFraction, record.ErrorFraction);
    QCOMPARE(records[table.UserRow() + 1][table.UserColumn() + 1], std::to_string(record.SampleSize));
}

void CommandLineScenariosTest::refusedRequests_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("error");

    QTest::newRow("with --json") << kUserValues + QStringList{"--scenarios", "--json"} << 2
                                 << "valdora: --scenarios cannot be combined with --json.\n";
    QTest::newRow("with --note") << kUserValues + QStringList{"--scenarios", "--note", "A"} << 2
                                 << "valdora: --scenarios cannot be combined with --note.\n";
    QTest::newRow("with --batch") << QStringList{"--batch", "-", "--scenarios"} << 2
                                  << "valdora: --batch cannot be combined with --scenarios.\n";
    QTest::newRow("without the error") << QStringList{"--confidence", "95", "--scenarios"} << 2 << "";
    // The user's own calculation fails: no table, as the window is never
    // reached either.
    QTest::newRow("user's calculation refused")
        << QStringList{"--error", "5", "--confidence", "95", "--population", "1", "--scenarios"} << 3 << "";
}

void CommandLineScenariosTest::refusedRequests()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, error);

    Setting setting;
    setting.forbidToolkit = true;
    const Outcome outcome = Run(arguments, setting);
    QVERIFY(outcome.finished);
    QCOMPARE(outcome.status, status);
    QCOMPARE(outcome.out, QString());
    if (error.isEmpty())
        QVERIFY2(outcome.err.startsWith(QStringLiteral("valdora: ")) && outcome.err.count(QLatin1Char('\n')) == 1,
                 qPrintable(outcome.err));
    else
        QCOMPARE(outcome.err, error);
}

void CommandLineScenariosTest::sheetIntoPdf()
{
    QVERIFY(m_folder.isValid());
    const QString file = m_folder.filePath(QStringLiteral("scenarios.pdf"));
    const Outcome outcome = Run(kUserValues + QStringList{"--population", "5000", "--scenarios", "--pdf", file});
    QVERIFY2(outcome.finished, qPrintable(outcome.err));
    QCOMPARE(outcome.status, 0);
    // The table still goes to standard output.
    QVERIFY(outcome.out.startsWith(QStringLiteral("error,confidence_90,")));

    QCOMPARE(printed::PdfPageCount(file), 1);
    const QString text = printed::PdfPageTexts(file).value(0);
    QVERIFY2(text.contains(QStringLiteral("Sample size: 440")), qPrintable(text));

    SampleSizeParams record = WithPopulation();
    ComputeSampleSize(record);
    const ScenarioTable table = ScenarioTable::For(record);
    // Each row's sizes in order, the user's cell between its marks.
    for (const ScenarioRow &row : table.Rows()) {
        QStringList sizes;
        for (const ScenarioCell &cell : row.Cells)
            sizes << QStringLiteral("»?%1«?").arg(cell.SampleSize);
        const QRegularExpression line(QStringLiteral("%\\s+") + sizes.join(QStringLiteral("\\s+"))
                                      + QStringLiteral("\\b"));
        QVERIFY2(line.match(text).hasMatch(), qPrintable(line.pattern() + QStringLiteral("\n") + text));
    }
    QVERIFY(text.contains(QStringLiteral("»440«")));
    // The curve is there: the page holds a picture beyond the text.
    const QImage page = printed::RasterisePage(file, 1, 50);
    QVERIFY(!page.isNull());
    QVERIFY(!printed::BoundingBox(page, printed::IsReddish).isEmpty());
}

void CommandLineScenariosTest::sheetOnAQueue()
{
    if (!printed::PrintServerRunning())
        QSKIP("needs the private print server of scripts/test-services.sh");
    printed::TestQueue queue(QStringLiteral("ValdoraScenariosCommandLine"));
    QVERIFY(queue.Created());
    const Outcome outcome
        = Run(kUserValues + QStringList{"--population", "5000", "--scenarios", "--print", "--printer", queue.Name()});
    QVERIFY2(outcome.finished, qPrintable(outcome.err));
    QCOMPARE(outcome.status, 0);
    QVERIFY(queue.WaitForOutput());
    QCOMPARE(printed::PdfPageCount(queue.OutputFile()), 1);
    const QString text = printed::PdfPageTexts(queue.OutputFile()).value(0);
    QVERIFY2(text.contains(QStringLiteral("»440«")) && text.contains(QStringLiteral("Sample size: 440")),
             qPrintable(text));
}

void CommandLineScenariosTest::helpNamesTheOption_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("description");
    QTest::newRow("English") << "C.UTF-8" << "the scenarios table as CSV";
    QTest::newRow("Spanish") << kSpanish << "la tabla de escenarios en";
}

void CommandLineScenariosTest::helpNamesTheOption()
{
    QFETCH(QString, locale);
    QFETCH(QString, description);
    Setting setting;
    setting.locale = locale;
    const Outcome outcome = Run({QStringLiteral("--help")}, setting);
    QCOMPARE(outcome.status, 0);
    const qsizetype at = outcome.out.indexOf(QStringLiteral("\n  --scenarios "));
    QVERIFY2(at > 0, qPrintable(outcome.out));
    QVERIFY(outcome.out.indexOf(description, at) > at);
}

QTEST_GUILESS_MAIN(CommandLineScenariosTest)
#include "command_line_scenarios_test.moc"
