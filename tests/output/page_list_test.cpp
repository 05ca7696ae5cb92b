#include "output/convert_error.h"
#include "output/page_list.h"

#include <QtTest>

class PageListTest : public QObject
{
    Q_OBJECT

private slots:
    void pages_data();
    void pages();
    void untrimmedEntriesInPageOrder();
    void longestTextAnswersAtOnce();
    void numbersBeyondThirtyTwoBits_data();
    void numbersBeyondThirtyTwoBits();
    void hugeRangesStayBounded_data();
    void hugeRangesStayBounded();
    void partsThatAreNoPages_data();
    void partsThatAreNoPages();
};

namespace {

QStringList Parse(const QString &text, bool trim = true)
{
    TppStringList list{"stale"};
    ParsePageList(text.toStdString(), list, trim);
    QStringList result;
    for (const std::string &entry : list)
        result << QString::fromStdString(entry);
    return result;
}

QStringList Pages(const char *pages)
{
    return QString::fromLatin1(pages).split(QLatin1Char(','), Qt::SkipEmptyParts);
}

} // namespace

void PageListTest::pages_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("list and range") << "1,3,5-12" << Pages("1,3,5,6,7,8,9,10,11,12");
    QTest::newRow("blanks only") << "  " << Pages("");
    QTest::newRow("empty") << "" << Pages("");
    QTest::newRow("no digits") << "abc,-" << Pages("");
    QTest::newRow("page 0") << "0" << Pages("0");
    QTest::newRow("backwards range") << "12-5" << Pages("5,12");
    QTest::newRow("range of one") << "5-5" << Pages("5");
    QTest::newRow("no chained ranges") << "1-3-5" << Pages("1,2,3,5");
    QTest::newRow("leading dash") << "-4" << Pages("4");
    QTest::newRow("trailing dash") << "4-" << Pages("4");
    QTest::newRow("separator inside a range") << "1-,5" << Pages("1,2,3,4,5");
    QTest::newRow("duplicates once") << "3,1,3,2-4,1" << Pages("1,2,3,4");
    QTest::newRow("any non-digit separates") << "2 x7;9" << Pages("2,7,9");
    QTest::newRow("leading zeros") << "007,0010" << Pages("7,10");
    QTest::newRow("largest page number") << "2147483647" << Pages("2147483647");
    QTest::newRow("range to the largest number") << "2147483646-2147483647" << Pages("2147483646,2147483647");
}

void PageListTest::pages()
{
    QFETCH(QString, text);
    QFETCH(QStringList, expected);
    QCOMPARE(Parse(text), expected);
}

void PageListTest::untrimmedEntriesInPageOrder()
{
    // Right-aligned in eight characters; longer numbers keep the page order.
    QCOMPARE(Parse("12,3,100", false), (QStringList{"       3", "      12", "     100"}));
    QCOMPARE(Parse("123456789,99999999", false), (QStringList{"99999999", "123456789"}));
    QCOMPARE(Parse("1000000000,999999999"), (QStringList{"999999999", "1000000000"}));
}

void PageListTest::longestTextAnswersAtOnce()
{
    // The page box takes 32767 characters; ranges over each other name no
    // page twice and never more pages than the bound and the numbers typed.
    const int longest = 32767;
    QString ranges;
    while (ranges.size() < longest)
        ranges += QStringLiteral("1-100000,");
    ranges.truncate(longest);
    QStringList list = Parse(ranges);
    QCOMPARE(list.size(), kPageListRangeLimit);
    QCOMPARE(list.first(), QStringLiteral("1"));
    QCOMPARE(list.last(), QString::number(kPageListRangeLimit));

    QString mixed;
    for (int i = 0; mixed.size() < longest; ++i)
        mixed += QStringLiteral("%1-2000000000,%2,").arg(i % 7 + 1).arg(2147483647 - i);
    mixed.truncate(longest);
    list = Parse(mixed);
    QVERIFY(list.size() > kPageListRangeLimit);
    QVERIFY(list.size() < kPageListRangeLimit + longest / 8);
    QCOMPARE(list.removeDuplicates(), 0);
    QCOMPARE(list[kPageListRangeLimit - 1], QString::number(kPageListRangeLimit));
    QCOMPARE(list.last(), QStringLiteral("2147483647"));
}

void PageListTest::numbersBeyondThirtyTwoBits_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");

    QTest::newRow("too large") << "99999999999" << "'99999999999' is not a valid integer value";
    QTest::newRow("just too large") << "1,2147483648" << "'2147483648' is not a valid integer value";
    QTest::newRow("range end too large") << "5-99999999999" << "'99999999999' is not a valid integer value";
}

void PageListTest::numbersBeyondThirtyTwoBits()
{
    QFETCH(QString, text);
    QFETCH(QString, message);
    TppStringList list;
    try {
        ParsePageList(text.toStdString(), list, true);
        QFAIL("the number must be refused");
    } catch (const EConvertError &error) {
        QCOMPARE(QString::fromUtf8(error.what()), message);
    }
}

void PageListTest::hugeRangesStayBounded_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("last");

    const int limit = kPageListRangeLimit;
    // The range fills pages up to the bound; the number typed is kept.
    QTest::newRow("one to two thousand million") << "1-2000000000" << limit + 1 << "2000000000";
    QTest::newRow("ranges over each other") << "1-2000000000,5-2100000000,1-2147483647" << limit + 3 << "2147483647";
    QTest::newRow("starting beyond the bound") << "200000-300000" << 2 << "300000";
    QTest::newRow("up to the bound") << QString("%1-%2").arg(limit - 2).arg(limit) << 3 << QString::number(limit);
}

void PageListTest::hugeRangesStayBounded()
{
    QFETCH(QString, text);
    QFETCH(int, count);
    QFETCH(QString, last);
    const QStringList list = Parse(text);
    QCOMPARE(list.size(), count);
    QCOMPARE(list.first(), text.section(QLatin1Char('-'), 0, 0));
    QVERIFY(list.contains(last));
}

void PageListTest::partsThatAreNoPages_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("bad"); // empty: every part is a page or a range

    QTest::newRow("pages and a range") << "1,3,5-12" << "";
    QTest::newRow("blanks around the dash") << " 2 - 4 ; 7 " << "";
    QTest::newRow("blank separated") << "1 3  5" << "";
    QTest::newRow("empty parts") << ",,1,,2," << "";
    QTest::newRow("nothing") << "" << "";
    QTest::newRow("a letter") << "1,x" << "x";
    QTest::newRow("letters in a number") << "1,2a,3" << "2a";
    QTest::newRow("a range to a letter") << "1-b" << "1-b";
    QTest::newRow("chained range") << "1-3-5" << "1-3-5";
    QTest::newRow("leading dash") << "-4" << "-4";
    QTest::newRow("trailing dash") << "4-,6" << "4-";
    QTest::newRow("a dash alone") << "1, - ,2" << "-";
    QTest::newRow("the first of two") << "x,y" << "x";
    QTest::newRow("a decimal point") << "1.5" << "1.5";
}

void PageListTest::partsThatAreNoPages()
{
    QFETCH(QString, text);
    QFETCH(QString, bad);
    QCOMPARE(QString::fromStdString(FirstBadPageListPart(text.toStdString())), bad);
}

QTEST_GUILESS_MAIN(PageListTest)
#include "page_list_test.moc"
