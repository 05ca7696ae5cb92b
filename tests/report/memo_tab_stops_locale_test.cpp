#include "platform/user_locale.h"
#include "report/memo.h"

#include <QtTest>

#include <algorithm>
#include <string>

// A memo's tab stops are kept in thousandths and shown in the report's
// units, written and read with the user's decimal separator.
class MemoTabStopsTest : public QObject {
    Q_OBJECT

private slots:
    void shownInUnits_data();
    void shownInUnits();
    void assignedInUnits_data();
    void assignedInUnits();
};

namespace {

// '.' in a table text becomes the user's separator.
std::string Local(const QString &text)
{
    std::string local = text.toStdString();
    std::replace(local.begin(), local.end(), '.', platform::DecimalSeparator());
    return local;
}

} // namespace

void MemoTabStopsTest::shownInUnits_data()
{
    QTest::addColumn<int>("units");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown");

    QTest::newRow("millimetres") << int(utMillimeters) << "10000" << "10";
    QTest::newRow("millimetres, fraction") << int(utMillimeters) << "12500" << "12.5";
    QTest::newRow("inches") << int(utInches) << "25400" << "1";
    QTest::newRow("inches, to four decimals") << int(utInches) << "30000" << "1.1811";
    QTest::newRow("micrometres, seven digits") << int(utMillimeters) << "1234567" << "1234.567";
    QTest::newRow("beyond seven digits") << int(utMillimeters) << "123456789" << "123456.8";
    QTest::newRow("thousandths") << int(utMMThousandths) << "-250" << "-250";
    QTest::newRow("not an integer") << int(utMillimeters) << "1.5" << "0.0";
    QTest::newRow("not a number") << int(utMillimeters) << "abc" << "0.0";
}

void MemoTabStopsTest::shownInUnits()
{
    QFETCH(int, units);
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    TppMemo memo;
    memo.SetUnits(TppUnitType(units));
    memo.SetTabStops({stored.toStdString()});
    QCOMPARE(memo.TabStopPositions(), TppStringList{Local(shown)});
}

void MemoTabStopsTest::assignedInUnits_data()
{
    QTest::addColumn<int>("units");
    QTest::addColumn<QString>("given");
    QTest::addColumn<QString>("stored");

    QTest::newRow("millimetres") << int(utMillimeters) << "12.5" << "12500";
    QTest::newRow("inches") << int(utInches) << "1" << "25400";
    QTest::newRow("blanks around") << int(utMillimeters) << " 3 " << "3000";
    QTest::newRow("not a number") << int(utMillimeters) << "doce" << "0";
    QTest::newRow("empty") << int(utMillimeters) << "" << "0";
}

void MemoTabStopsTest::assignedInUnits()
{
    QFETCH(int, units);
    QFETCH(QString, given);
    QFETCH(QString, stored);
    TppMemo memo;
    memo.SetUnits(TppUnitType(units));
    memo.SetTabStopPositions({Local(given)});
    QCOMPARE(memo.TabStops(), TppStringList{stored.toStdString()});
}

QTEST_MAIN(MemoTabStopsTest)
#include "memo_tab_stops_locale_test.moc"
