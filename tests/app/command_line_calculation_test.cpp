// One calculation from the command line, through the program's binary: the
// options give the selection screen's elements, the result and the data it
// came from come out one line each in the user's language and number format,
// or as JSON; bad input names the option and its range with exit status 2,
// the calculation's own faults exit 3. None of these runs starts a window
// system at all: they run with no display and the X platform forced, which
// would abort any toolkit start.

#include "command_line_runner.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

using command_line::Outcome;
using command_line::Run;
using command_line::Setting;

namespace {

const QString kEnglish = QStringLiteral("C.UTF-8");
const QString kSpanish = QStringLiteral("es_ES.UTF-8");

Outcome RunWithoutToolkit(const QStringList &arguments, const QString &locale)
{
    Setting setting;
    setting.locale = locale;
    setting.forbidToolkit = true;
    return Run(arguments, setting);
}

QStringList Lines(const QString &text)
{
    return text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

class CommandLineCalculationTest : public QObject {
    Q_OBJECT

private slots:
    void results_data();
    void results();
    void refused_data();
    void refused();
    void wholeOutput();
    void json();
    void helpAndVersion_data();
    void helpAndVersion();
};

void CommandLineCalculationTest::results_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("lines");

    const auto args = [](const char *text) { return QString::fromLatin1(text).split(QLatin1Char(' ')); };
    QTest::newRow("population 1000") << kEnglish << args("--error 5 --confidence 95 --population 1000")
                                     << QStringList{"Sample size: 278", "Population size: 1000"};
    QTest::newRow("population 100") << kEnglish << args("--error 5 --confidence 95 --population 100")
                                    << QStringList{"Sample size: 79"};
    QTest::newRow("known proportion") << kEnglish << args("--error 3 --confidence 90 --proportion 30")
                                      << QStringList{"Sample size: 628", "Confidence: 90 % (z = 1.64)",
                                                     "Proportion: 30 %"};
    QTest::newRow("design effect from rho, response rate")
        << kEnglish << args("--error 5 --confidence 95 --rho 0.05 --cluster-size 10 --response-rate 80")
        << QStringList{"Sample size: 696", "Design effect: 1.45 (RHO 0.05, cluster size 10)", "Response rate: 80 %"};
    QTest::newRow("typed design effect, population, response rate")
        << kEnglish << args("--error 5 --confidence 95 --deff 1.5 --population 5000 --response-rate 90")
        << QStringList{"Sample size: 595", "Design effect: 1.5"};
    QTest::newRow("smallest") << kEnglish << args("--error 20 --confidence 50 --proportion 15")
                              << QStringList{"Sample size: 1", "Confidence: 50 % (z = 0.67)"};
    QTest::newRow("tie to the even size below") << kEnglish << args("--error 2 --confidence 68 --deff 2.5")
                                                << QStringList{"Sample size: 1562"};
    QTest::newRow("tie to the even size above") << kEnglish << args("--error 2 --confidence 68 --deff 1.5")
                                                << QStringList{"Sample size: 938"};
    QTest::newRow("special level 99.7") << kEnglish << args("--error 5 --confidence 99.7")
                                        << QStringList{"Sample size: 882", "Confidence: 99.7 % (z = 2.97)"};
    QTest::newRow("option=value") << kEnglish << args("--error=5 --confidence=99.5")
                                  << QStringList{"Sample size: 790", "Confidence: 99.5 % (z = 2.81)"};
    QTest::newRow("rho 0 is no design effect") << kEnglish << args("--error 5 --confidence 95 --rho 0 --cluster-size 50")
                                               << QStringList{"Sample size: 384"};
    QTest::newRow("Spanish, decimal comma")
        << kSpanish << args("--error 4,5 --confidence 99,5 --population 1000")
        << QStringList{"Tamaño de la muestra: 494", "Error máximo: 4,5 %", "Confianza: 99,5 % (z = 2,81)",
                       "Proporción: 50 % (supuesta)", "Efecto de diseño: 1 (supuesto)",
                       "Tasa de respuesta: 100 % (supuesta)", "Tamaño de la población: 1000"};
    QTest::newRow("Spanish, decimal point") << kSpanish << args("--error 4.5 --confidence 99.5 --population 1000")
                                            << QStringList{"Tamaño de la muestra: 494", "Error máximo: 4,5 %"};
}

void CommandLineCalculationTest::results()
{
    QFETCH(QString, locale);
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, lines);
    const Outcome outcome = RunWithoutToolkit(arguments, locale);
    QVERIFY2(outcome.finished, qPrintable(outcome.err));
    QCOMPARE(outcome.err, QString());
    QCOMPARE(outcome.status, 0);
    const QStringList written = Lines(outcome.out);
    for (const QString &line : lines)
        QVERIFY2(written.contains(line), qPrintable(line + QStringLiteral(" not in:\n") + outcome.out));
}

void CommandLineCalculationTest::refused_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");

    const auto args = [](const char *text) { return QString::fromUtf8(text).split(QLatin1Char(' ')); };
    const auto row = [&](const char *name, const char *arguments, int status, const char *message,
                         const QString &locale = kEnglish) {
        QTest::newRow(name) << locale << args(arguments) << status << QString::fromUtf8(message);
    };
    row("error above 20", "--error 25 --confidence 95", 2,
        "valdora: --error: '25' is not accepted; the maximum acceptable error is a percentage greater than 0 and "
        "at most 20.");
    row("error 0", "--error 0 --confidence 95", 2, "valdora: --error: '0' is not accepted;");
    row("negative error", "--error -5 --confidence 95", 2, "valdora: --error: '-5' is not accepted;");
    row("error not a number", "--error five --confidence 95", 2, "valdora: --error: 'five' is not accepted;");
    row("decimal comma in a point locale", "--error 4,5 --confidence 95", 2, "valdora: --error: '4,5' is not accepted;");
    row("error beyond the double range", "--error 1E400 --confidence 95", 2, "valdora: --error: '1E400'");
    row("level not tabled", "--error 5 --confidence 96.5", 2,
        "valdora: --confidence: '96.5' is not accepted; the confidence level is a whole percentage from 50 to 99, "
        "or 99.5 or 99.7.");
    row("level below 50", "--error 5 --confidence 49", 2, "valdora: --confidence: '49'");
    row("proportion below 15", "--error 5 --confidence 95 --proportion 10", 2,
        "valdora: --proportion: '10' is not accepted; the proportion is a whole percentage from 15 to 95.");
    row("proportion not whole", "--error 5 --confidence 95 --proportion 30.5", 2, "valdora: --proportion: '30.5'");
    row("population 0", "--error 5 --confidence 95 --population 0", 2,
        "valdora: --population: '0' is not accepted; the population size is a number of 1 or more.");
    row("design effect 0", "--error 5 --confidence 95 --deff 0", 2,
        "valdora: --deff: '0' is not accepted; the design effect is a number greater than 0.");
    row("rho above 1", "--error 5 --confidence 95 --rho 1.5 --cluster-size 10", 2,
        "valdora: --rho: '1.5' is not accepted; RHO is a number from 0 to 1.");
    row("cluster size 0", "--error 5 --confidence 95 --rho 0.1 --cluster-size 0", 2,
        "valdora: --cluster-size: '0' is not accepted; the cluster size is a whole number from 1 to 1000000.");
    row("response rate above 100", "--error 5 --confidence 95 --response-rate 101", 2,
        "valdora: --response-rate: '101' is not accepted; the response rate is a whole percentage from 1 to 100.");
    row("no confidence", "--error 5", 2, "valdora: --confidence is required: the confidence level is");
    row("no error", "--confidence 95", 2, "valdora: --error is required:");
    row("rho alone", "--error 5 --confidence 95 --rho 0.05", 2, "valdora: --rho needs --cluster-size.");
    row("cluster size alone", "--error 5 --confidence 95 --cluster-size 5", 2, "valdora: --cluster-size needs --rho.");
    row("design effect twice", "--error 5 --confidence 95 --deff 2 --rho 0.05 --cluster-size 10", 2,
        "valdora: --deff gives the design effect as a value, --rho and --cluster-size compute it");
    row("unknown option", "--error 5 --confidence 95 --size 3", 2, "valdora: unknown option '--size'");
    row("stray argument", "--error 5 --confidence 95 5", 2, "valdora: unexpected argument '5'");
    row("value missing", "--confidence 95 --error", 2, "valdora: --error needs a value.");
    row("value missing before an option", "--error --confidence 95", 2, "valdora: --error needs a value.");
    row("given twice", "--error 5 --error 6 --confidence 95", 2, "valdora: --error is given twice.");
    row("printer without print", "--error 5 --confidence 95 --printer Any", 2, "valdora: --printer needs --print.");
    row("pdf and print", "--error 5 --confidence 95 --pdf a.pdf --print", 2,
        "valdora: --pdf cannot be combined with --print.");
    row("copies 0", "--error 5 --confidence 95 --print --copies 0", 2,
        "valdora: --copies: '0' is not accepted; the number of copies is a whole number from 1 to 999.");
    row("output without batch", "--error 5 --confidence 95 --output x.csv", 2, "valdora: --output needs --batch.");
    row("batch with an element", "--batch x.csv --error 5", 2, "valdora: --batch cannot be combined with --error.");
    row("Spanish range", "--error 25 --confidence 95", 2,
        "valdora: --error: no se acepta '25'; el error máximo aceptable es un porcentaje mayor que 0 y como "
        "máximo 20.",
        kSpanish);
    row("Spanish level range", "--error 5 --confidence 96", 0, "", kSpanish);
    row("Spanish special levels", "--error 5 --confidence 99,6", 2,
        "valdora: --confidence: no se acepta '99,6'; el nivel de confianza es un porcentaje entero de 50 a 99, o "
        "99,5 o 99,7.",
        kSpanish);
    row("overflow", "--error 1E-158 --confidence 95", 3, "valdora: Floating point overflow.");
    row("division by zero", "--error 5 --confidence 95 --population 1", 3,
        "valdora: Floating point division by zero.");
}

void CommandLineCalculationTest::refused()
{
    QFETCH(QString, locale);
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, message);
    const Outcome outcome = RunWithoutToolkit(arguments, locale);
    QVERIFY2(outcome.finished, qPrintable(outcome.err));
    QCOMPARE(outcome.status, status);
    if (status == 0) {
        QCOMPARE(outcome.err, QString());
        return;
    }
    // The message alone, on one line of standard error; nothing on standard output.
    QVERIFY2(outcome.err.startsWith(message), qPrintable(outcome.err));
    QCOMPARE(outcome.err.count(QLatin1Char('\n')), 1);
    QCOMPARE(outcome.out, QString());
}

void CommandLineCalculationTest::wholeOutput()
{
    const Outcome outcome = RunWithoutToolkit({"--error", "5", "--confidence", "95"}, kEnglish);
    QCOMPARE(outcome.status, 0);
    QCOMPARE(outcome.out, QStringLiteral("Sample size: 384\n"
                                         "Maximum error: 5 %\n"
                                         "Confidence: 95 % (z = 1.96)\n"
                                         "Proportion: 50 % (assumed)\n"
                                         "Design effect: 1 (assumed)\n"
                                         "Response rate: 100 % (assumed)\n"));
}

void CommandLineCalculationTest::json()
{
    const Outcome outcome = RunWithoutToolkit(
        {"--error", "5", "--confidence", "95", "--rho", "0,05", "--cluster-size", "10", "--population", "5000",
         "--note", "Norte \"rural\"\nsegunda", "--json"},
        kSpanish);
    QCOMPARE(outcome.status, 0);
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(outcome.out.toUtf8(), &error);
    QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(error.errorString() + outcome.out));
    const QJsonObject object = document.object();
    // Numbers are JSON numbers whatever the locale.
    QCOMPARE(object.value("sample_size").toInteger(), 517);
    QCOMPARE(object.value("error").toDouble(), 5.0);
    QCOMPARE(object.value("confidence").toDouble(), 95.0);
    QCOMPARE(object.value("z").toDouble(), 1.96);
    QCOMPARE(object.value("proportion").toDouble(), 50.0);
    QCOMPARE(object.value("deff").toDouble(), 1.45);
    QCOMPARE(object.value("rho").toDouble(), 0.05);
    QCOMPARE(object.value("cluster_size").toInteger(), 10);
    QCOMPARE(object.value("response_rate").toDouble(), 100.0);
    QCOMPARE(object.value("population").toDouble(), 5000.0);
    QCOMPARE(object.value("note").toString(), QStringLiteral("Norte \"rural\"\nsegunda"));
    QCOMPARE(object.value("given").toArray().toVariantList(),
             (QVariantList{"error", "confidence", "rho", "cluster_size", "population"}));
    QCOMPARE(object.value("assumed").toArray().toVariantList(), (QVariantList{"proportion", "response_rate"}));

    const Outcome plain = RunWithoutToolkit({"--error", "5", "--confidence", "95", "--json"}, kEnglish);
    const QJsonObject assumed = QJsonDocument::fromJson(plain.out.toUtf8()).object();
    QCOMPARE(assumed.value("sample_size").toInteger(), 384);
    QVERIFY(assumed.value("population").isNull());
    QVERIFY(assumed.value("rho").isNull());
    QVERIFY(!assumed.contains("note"));
    QCOMPARE(assumed.value("assumed").toArray().toVariantList(), (QVariantList{"proportion", "deff", "response_rate"}));
}

void CommandLineCalculationTest::helpAndVersion_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("beginning");
    QTest::newRow("help") << kEnglish << "--help" << "Usage: valdora";
    QTest::newRow("ayuda") << kSpanish << "--help" << "Uso: valdora";
    QTest::newRow("version") << kEnglish << "--version" << "valdora 1.0\n";
    // --help wins over anything else given.
    QTest::newRow("help among options") << kEnglish << "--error=99" << "Usage: valdora";
}

void CommandLineCalculationTest::helpAndVersion()
{
    QFETCH(QString, locale);
    QFETCH(QString, option);
    QFETCH(QString, beginning);
    QStringList arguments{option};
    if (option != "--help" && option != "--version")
        arguments << "--help";
    const Outcome outcome = RunWithoutToolkit(arguments, locale);
    QCOMPARE(outcome.status, 0);
    QCOMPARE(outcome.err, QString());
    QVERIFY2(outcome.out.startsWith(beginning), qPrintable(outcome.out));
    if (option != "--version") {
        for (const char *name : {"--error", "--confidence", "--proportion", "--population", "--deff", "--rho",
                                 "--cluster-size", "--response-rate", "--json", "--note", "--pdf", "--print",
                                 "--printer", "--copies", "--batch", "--output", "--version"})
            QVERIFY2(outcome.out.contains(QLatin1String(name)), name);
    }
}

QTEST_GUILESS_MAIN(CommandLineCalculationTest)
#include "command_line_calculation_test.moc"
