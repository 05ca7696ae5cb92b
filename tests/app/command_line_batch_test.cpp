// A file of strata through the program's binary: a table as spreadsheets
// write it (comma and decimal point, or semicolon and decimal comma; with or
// without a byte-order mark; quoted cells), written back in its own
// convention with the sample size of each row, a message for a refused row
// while the others go on, and a total row. No display is set.

#include "command_line_runner.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using command_line::Outcome;
using command_line::Run;
using command_line::Setting;

namespace {

const QString kSpanish = QStringLiteral("es_ES.UTF-8");

QString WriteFile(const QTemporaryDir &folder, const QString &name, const QByteArray &content)
{
    const QString path = folder.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        return {};
    return path;
}

QByteArray ReadFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class CommandLineBatchTest : public QObject {
    Q_OBJECT

private slots:
    void conventions_data();
    void conventions();
    void outputFileAndItsOwnOutputReadAgain();
    void refusedTables_data();
    void refusedTables();
    void onlyCalculationsFailed();

private:
    QTemporaryDir m_folder;
};

void CommandLineBatchTest::conventions_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("output");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("error");

    QTest::newRow("comma and point, refused rows go on")
        << "C.UTF-8"
        << QByteArray("stratum,error,confidence,proportion,population,deff,rho,cluster_size,response_rate,note\n"
                      "Norte,5,95,,1000,,,,,\n"
                      "\"Sur, costa\",3,90,30,,,0.05,10,80,\"dice \"\"hola\"\"\"\n"
                      "Alto,25,95,,,,,,,\n"
                      "Uno,5,95,,1,,,,,\n"
                      "\n"
                      "Este,5,95,,,1.5,0.1,10,,\n"
                      "Oeste,5,95,,,,,,,\n")
        << QByteArray("stratum,error,confidence,proportion,population,deff,rho,cluster_size,response_rate,note,"
                      "sample_size,message\n"
                      "Norte,5,95,,1000,,,,,,278,\n"
                      "\"Sur, costa\",3,90,30,,,0.05,10,80,\"dice \"\"hola\"\"\",1137,\n"
                      "Alto,25,95,,,,,,,,,error: '25' is not accepted; the maximum acceptable error is a percentage "
                      "greater than 0 and at most 20.\n"
                      "Uno,5,95,,1,,,,,,,Floating point division by zero\n"
                      "Este,5,95,,,1.5,0.1,10,,,,\"deff gives the design effect as a value, rho and cluster_size "
                      "compute it: give one or the other.\"\n"
                      "Oeste,5,95,,,,,,,,384,\n"
                      "Total,,,,,,,,,,1799,\n")
        << 2 << "valdora: 3 of 6 rows refused; see their message column.\n";
    QTest::newRow("semicolon and decimal comma, byte-order mark, CR LF")
        << "es_ES.UTF-8"
        << QByteArray("\xEF\xBB\xBF" "error;confidence;deff;stratum\r\n"
                      "2,5;95;1,5;A\r\n"
                      "5;99,5;;B\r\n"
                      "4.5;95;;\"C; D\"\r\n")
        << QByteArray("\xEF\xBB\xBF" "error;confidence;deff;stratum;sample_size;message\r\n"
                      "2,5;95;1,5;A;2305;\r\n"
                      "5;99,5;;B;790;\r\n"
                      "4.5;95;;\"C; D\";474;\r\n"
                      ";;;Total;3569;\r\n")
        << 0 << "";
    QTest::newRow("semicolon file in an English locale")
        << "C.UTF-8"
        << QByteArray("error;confidence;proportion\n2,5;95;30\n5;95;x\n")
        << QByteArray("error;confidence;proportion;sample_size;message\n"
                      "2,5;95;30;1291;\n"
                      "5;95;x;;\"proportion: 'x' is not accepted; the proportion is a whole percentage from 15 to 95.\"\n"
                      "Total;;;1291;\n")
        << 2 << "valdora: 1 of 2 rows refused; see their message column.\n";
    QTest::newRow("Spanish messages, a quoted cell over two lines")
        << "es_ES.UTF-8"
        << QByteArray("stratum;error;confidence;rho\n\"Norte\nrural\";5;95;0,1\n")
        << QByteArray("stratum;error;confidence;rho;sample_size;message\n"
                      "\"Norte\nrural\";5;95;0,1;;rho requiere cluster_size.\n"
                      "Total;;;;0;\n")
        << 2 << "valdora: 1 de 1 renglones rechazados; véase su columna message.\n";
    QTest::newRow("error and confidence required")
        << "C.UTF-8" << QByteArray("stratum,error,confidence\nA,,95\nB,5,\n")
        << QByteArray("stratum,error,confidence,sample_size,message\n"
                      "A,,95,,error is required: the maximum acceptable error is a percentage greater than 0 and at "
                      "most 20.\n"
                      "B,5,,,\"confidence is required: the confidence level is a whole percentage from 50 to 99, or "
                      "99.5 or 99.7.\"\n"
                      "Total,,,0,\n")
        << 2 << "valdora: 2 of 2 rows refused; see their message column.\n";
}

void CommandLineBatchTest::conventions()
{
    QFETCH(QString, locale);
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, output);
    QFETCH(int, status);
    QFETCH(QString, error);
    const QString file = WriteFile(m_folder, QStringLiteral("strata.csv"), input);
    Setting setting;
    setting.locale = locale;
    setting.forbidToolkit = true;
    const Outcome outcome = Run({"--batch", file}, setting);
    QVERIFY(outcome.finished);
    QCOMPARE(outcome.outBytes, output);
    QCOMPARE(outcome.err, error);
    QCOMPARE(outcome.status, status);

    // Standard input reads the same.
    setting.input = input;
    const Outcome piped = Run({"--batch", "-"}, setting);
    QCOMPARE(piped.outBytes, output);
    QCOMPARE(piped.status, status);
}

void CommandLineBatchTest::outputFileAndItsOwnOutputReadAgain()
{
    const QString input = WriteFile(m_folder, QStringLiteral("plan.csv"),
                                    "stratum,error,confidence,population\nA,5,95,1000\nB,3,95,\n");
    const QString sizes = m_folder.filePath(QStringLiteral("sizes.csv"));
    Setting setting;
    setting.forbidToolkit = true;
    const Outcome first = Run({"--batch", input, "--output", sizes}, setting);
    QCOMPARE(first.status, 0);
    QCOMPARE(first.out, QString());
    const QByteArray written = ReadFile(sizes);
    QCOMPARE(written, QByteArray("stratum,error,confidence,population,sample_size,message\n"
                                 "A,5,95,1000,278,\nB,3,95,,1067,\nTotal,,,,1345,\n"));

    // Its own output read again: sizes recomputed, not repeated; the old
    // total row has no error and is refused on its own.
    const QString again = m_folder.filePath(QStringLiteral("again.csv"));
    const Outcome second = Run({"--batch", sizes, "--output", again}, setting);
    QCOMPARE(second.status, 2);
    QVERIFY(ReadFile(again).startsWith("stratum,error,confidence,population,sample_size,message\n"
                                       "A,5,95,1000,278,\nB,3,95,,1067,\nTotal,,,,,error is required"));

    // A table that cannot be written leaves the older file as it was.
    const QString blocked = m_folder.filePath(QStringLiteral("no-such-folder/sizes.csv"));
    const Outcome failed = Run({"--batch", input, "--output", blocked}, setting);
    QCOMPARE(failed.status, 4);
    QVERIFY2(failed.err.startsWith("valdora: " + blocked + ": cannot be written: "), qPrintable(failed.err));
    QCOMPARE(ReadFile(sizes), written);
}

void CommandLineBatchTest::refusedTables_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown column") << QByteArray("stratum,eror,confidence\nA,5,95\n")
                                    << ": unknown column 'eror'; the columns are stratum, error,";
    QTest::newRow("empty file") << QByteArray() << ": the table has no header row.";
}

void CommandLineBatchTest::refusedTables()
{
    QFETCH(QByteArray, input);
    QFETCH(QString, message);
    const QString file = WriteFile(m_folder, QStringLiteral("refused.csv"), input);
    Setting setting;
    setting.forbidToolkit = true;
    const Outcome outcome = Run({"--batch", file}, setting);
    QCOMPARE(outcome.status, 2);
    QCOMPARE(outcome.out, QString());
    QVERIFY2(outcome.err.startsWith("valdora: " + file + message), qPrintable(outcome.err));

    const Outcome missing = Run({"--batch", m_folder.filePath("missing.csv")}, setting);
    QCOMPARE(missing.status, 2);
    QVERIFY2(missing.err.contains("missing.csv: cannot be read: No such file"), qPrintable(missing.err));
}

void CommandLineBatchTest::onlyCalculationsFailed()
{
    const QString file = WriteFile(m_folder, QStringLiteral("overflow.csv"),
                                   "error,confidence\n1E-158,95\n5,95\n");
    Setting setting;
    setting.forbidToolkit = true;
    const Outcome outcome = Run({"--batch", file}, setting);
    QCOMPARE(outcome.status, 3);
    QCOMPARE(outcome.out, QStringLiteral("error,confidence,sample_size,message\n"
                                         "1E-158,95,,Floating point overflow\n5,95,384,\nTotal,,384,\n"));
}

QTEST_GUILESS_MAIN(CommandLineBatchTest)
#include "command_line_batch_test.moc"
