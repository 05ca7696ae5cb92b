// The program's one integer reader, on what users type into boxes and what
// page lists hold.

#include "output/convert_error.h"
#include "output/integer_text.h"

#include <QtTest>

#include <string>

class IntegerTextTest : public QObject
{
    Q_OBJECT

private slots:
    void reads_data();
    void reads();
    void refusalNamesTheTextAsGiven();
};

void IntegerTextTest::reads_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("number");
    QTest::addColumn<int>("value");

    QTest::newRow("digits") << QByteArray("42") << true << 42;
    QTest::newRow("blanks around") << QByteArray(" \t42 ") << true << 42;
    QTest::newRow("page list entry") << QByteArray("       7") << true << 7;
    QTest::newRow("leading zeros") << QByteArray("007") << true << 7;
    QTest::newRow("plus sign") << QByteArray("+5") << true << 5;
    QTest::newRow("minus sign") << QByteArray("-5") << true << -5;
    QTest::newRow("zero") << QByteArray("0") << true << 0;
    QTest::newRow("largest") << QByteArray("2147483647") << true << 2147483647;
    QTest::newRow("smallest") << QByteArray("-2147483648") << true << int(-2147483648LL);
    QTest::newRow("empty") << QByteArray("") << false << 0;
    QTest::newRow("blanks only") << QByteArray("   ") << false << 0;
    QTest::newRow("sign only") << QByteArray("+") << false << 0;
    QTest::newRow("two signs") << QByteArray("+-5") << false << 0;
    QTest::newRow("blank after the sign") << QByteArray("- 5") << false << 0;
    QTest::newRow("letters") << QByteArray("abc") << false << 0;
    QTest::newRow("letter after digits") << QByteArray("12a") << false << 0;
    QTest::newRow("NUL after digits") << QByteArray("12\0", 3) << false << 0;
    QTest::newRow("blank inside") << QByteArray("1 2") << false << 0;
    QTest::newRow("decimal point") << QByteArray("1.0") << false << 0;
    QTest::newRow("hexadecimal") << QByteArray("0x10") << false << 0;
    QTest::newRow("beyond 32 bits") << QByteArray("2147483648") << false << 0;
    QTest::newRow("below 32 bits") << QByteArray("-2147483649") << false << 0;
}

void IntegerTextTest::reads()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, number);
    QFETCH(int, value);
    const std::string_view view(text.constData(), std::size_t(text.size()));
    const std::optional<std::int32_t> read = ReadInteger(view);
    QCOMPARE(read.has_value(), number);
    if (number) {
        QCOMPARE(*read, value);
        QCOMPARE(StrToInt(view), value);
    } else {
        QVERIFY_THROWS_EXCEPTION(EConvertError, StrToInt(view));
    }
}

void IntegerTextTest::refusalNamesTheTextAsGiven()
{
    const std::pair<const char *, const char *> cases[] = {
        {"", "'' is not a valid integer value"},
        {" 1x ", "' 1x ' is not a valid integer value"},
        {"99999999999", "'99999999999' is not a valid integer value"},
    };
    for (const auto &[text, message] : cases) {
        try {
            StrToInt(text);
            QFAIL(text);
        } catch (const EConvertError &error) {
            QCOMPARE(QString::fromUtf8(error.what()), QString::fromUtf8(message));
        }
    }
}

QTEST_GUILESS_MAIN(IntegerTextTest)
#include "integer_text_test.moc"
