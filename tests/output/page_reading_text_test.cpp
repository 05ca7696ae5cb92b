// A page's texts as a screen reader gets them: rows from top to bottom,
// each row from left to right, whatever order the commands were drawn in.

#include "output/draw_shape.h"
#include "output/draw_text.h"
#include "output/page.h"
#include "output/page_reading_text.h"

#include <QtTest>

#include <memory>
#include <string>

namespace {

struct Placed {
    std::int32_t left;
    std::int32_t top;
    std::int32_t height;
    std::string text;
    TppStringList wrapped;
};

std::string ReadingTextOf(const std::vector<Placed> &texts)
{
    TppPage page;
    // A frame among the texts is no text.
    page.AddDrawCommand(std::make_unique<TppDrawShape>());
    for (const Placed &placed : texts) {
        auto command = std::make_unique<TppDrawText>();
        command->SetLeft(placed.left);
        command->SetTop(placed.top);
        command->SetHeight(placed.height);
        command->SetWidth(20000);
        command->SetText(placed.text);
        command->SetWrappedText(placed.wrapped);
        page.AddDrawCommand(std::move(command));
    }
    return PageReadingText(page);
}

} // namespace

Q_DECLARE_METATYPE(std::vector<Placed>)

class PageReadingTextTest : public QObject
{
    Q_OBJECT

private slots:
    void readingOrder_data();
    void readingOrder();
};

void PageReadingTextTest::readingOrder_data()
{
    QTest::addColumn<std::vector<Placed>>("texts");
    QTest::addColumn<QString>("expected");

    QTest::newRow("empty page") << std::vector<Placed>{} << "";
    QTest::newRow("caption and value in a row, drawn right first")
        << std::vector<Placed>{{60000, 10000, 4000, "5", {}}, {10000, 10000, 4000, "Error", {}}}
        << "Error 5";
    QTest::newRow("rows top to bottom, drawn bottom first")
        << std::vector<Placed>{{10000, 30000, 4000, "second", {}}, {10000, 10000, 4000, "first", {}}}
        << "first\nsecond";
    // A larger font whose box starts higher still reads in the same row.
    QTest::newRow("tops a little apart")
        << std::vector<Placed>{{10000, 10000, 6000, "Size", {}}, {60000, 11500, 4000, "517", {}}}
        << "Size 517";
    QTest::newRow("wrapped lines and a memo's line breaks")
        << std::vector<Placed>{{10000, 10000, 9000, "", {"one two", "three"}},
                               {10000, 30000, 4000, "a\r\nb", {}}}
        << "one two three\na b";
    QTest::newRow("blank texts left out")
        << std::vector<Placed>{{10000, 10000, 4000, "  ", {}}, {10000, 20000, 4000, "kept", {}}} << "kept";
}

void PageReadingTextTest::readingOrder()
{
    QFETCH(std::vector<Placed>, texts);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(ReadingTextOf(texts)), expected);
}


QTEST_MAIN(PageReadingTextTest)
#include "page_reading_text_test.moc"
