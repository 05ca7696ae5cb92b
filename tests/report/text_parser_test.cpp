#include "platform/text_markups.h"
#include "report/plain_text_parser.h"

#include <QtTest>

// Tokens with the position after each, "|"-separated as "token@position";
// line breaks written as "CRLF".
class TextParserTest : public QObject
{
    Q_OBJECT

private slots:
    void tokens_data();
    void tokens();
    void exhaustedParserStaysExhausted();
};

namespace {

QString Describe(std::string_view token)
{
    if (token == TppTextMarkups::LineBreak)
        return QStringLiteral("CRLF");
    if (token == "\t")
        return QStringLiteral("TAB");
    return QString::fromUtf8(token.data(), qsizetype(token.size()));
}

} // namespace

void TextParserTest::tokens_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("start");
    QTest::addColumn<QString>("expected");

    QTest::newRow("words and a space") << QByteArray("ab cd") << 0 << "ab@2| @3|cd@6|@6";
    QTest::newRow("two spaces are two tokens") << QByteArray("a  b") << 0 << "a@1| @2| @3|b@5|@5";
    QTest::newRow("CR LF") << QByteArray("a\r\nb") << 0 << "a@1|CRLF@3|b@5|@5";
    QTest::newRow("CR alone") << QByteArray("a\rb") << 0 << "a@1|CRLF@2|b@4|@4";
    QTest::newRow("LF alone, twice") << QByteArray("\n\n") << 0 << "CRLF@1|CRLF@2|@3";
    QTest::newRow("LF CR is two breaks") << QByteArray("\n\r") << 0 << "CRLF@1|CRLF@2|@3";
    QTest::newRow("tab") << QByteArray("a\tb") << 0 << "a@1|TAB@2|b@4|@4";
    QTest::newRow("paragraph-end marker")
        << QByteArray("a$\xC2\xB6" "b") << 0 << "a@1|CRLF@4|b@6|@6";
    QTest::newRow("dollar alone is a character") << QByteArray("a$b") << 0 << "a$b@4|@4";
    QTest::newRow("pilcrow alone is a character")
        << QByteArray("\xC2\xB6") << 0 << QString::fromUtf8("\u00B6@3|@3");
    QTest::newRow("character 0 ends the text") << QByteArray("ab\0cd", 5) << 0 << "ab@3|@3";
    QTest::newRow("character 0 after a space") << QByteArray(" \0x", 3) << 0 << " @1|@2";
    QTest::newRow("empty text") << QByteArray() << 0 << "@1";
    QTest::newRow("multi-byte characters count in bytes")
        << QByteArray("a\xC3\xB1o") << 0 << QString::fromUtf8("año@5|@5");
    QTest::newRow("starting in the middle") << QByteArray("ab cd") << 3 << "cd@6|@6";
    QTest::newRow("starting at the end") << QByteArray("ab") << 2 << "@3";
    QTest::newRow("starting past the end") << QByteArray("ab") << 9 << "@3";
}

void TextParserTest::tokens()
{
    QFETCH(QByteArray, text);
    QFETCH(int, start);
    QFETCH(QString, expected);

    const std::string source(text.constData(), std::size_t(text.size()));
    TppPlainTextParser parser(source, std::size_t(start));
    QStringList seen;
    for (int guard = 0; guard < 50; ++guard) {
        const std::string_view token = parser.NextToken();
        seen << Describe(token) + "@" + QString::number(parser.Position());
        if (token.empty())
            break;
    }
    QCOMPARE(seen.join('|'), expected);
    QVERIFY(parser.EndOfText());
}

void TextParserTest::exhaustedParserStaysExhausted()
{
    const std::string text = "ab";
    TppPlainTextParser parser(text);
    QCOMPARE(std::string(parser.NextToken()), std::string("ab"));
    QVERIFY(parser.PastEnd());
    for (int i = 0; i < 3; ++i) {
        QVERIFY(parser.NextToken().empty());
        QCOMPARE(parser.Position(), std::size_t(3));
    }
}

QTEST_APPLESS_MAIN(TextParserTest)
#include "text_parser_test.moc"
