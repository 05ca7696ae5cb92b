#include "platform/qt/text_advance_cache.h"

#include <QtTest>

#include <string>

using platform::TextAdvanceCache;

class TextAdvanceCacheTest : public QObject
{
    Q_OBJECT

private slots:
    void nothingIsKnownBeforeAFontIsSelected();
    void advancesAreKeptPerFont();
    void aFullTableStartsAfresh();
    void manyFontsStartAfresh();
    void aHugeWordIsNotKept();
};

void TextAdvanceCacheTest::nothingIsKnownBeforeAFontIsSelected()
{
    TextAdvanceCache cache;
    cache.Insert("hola", 12.5);
    QVERIFY(!cache.Find("hola"));
}

void TextAdvanceCacheTest::advancesAreKeptPerFont()
{
    TextAdvanceCache cache;
    cache.SelectFont("Arial,10@600x600");
    cache.Insert("hola", 12.5);
    QVERIFY(cache.Find("hola"));
    QCOMPARE(*cache.Find("hola"), 12.5);
    // The same word in another font, or at another resolution, is another width.
    cache.SelectFont("Arial,10@300x300");
    QVERIFY(!cache.Find("hola"));
    cache.Insert("hola", 6.25);
    cache.SelectFont("Arial,10@600x600");
    QCOMPARE(*cache.Find("hola"), 12.5);
    cache.SelectFont("Arial,10@300x300");
    QCOMPARE(*cache.Find("hola"), 6.25);
}

void TextAdvanceCacheTest::aFullTableStartsAfresh()
{
    TextAdvanceCache cache;
    cache.SelectFont("f");
    int kept = 0;
    for (int i = 0; i < 100000 && (kept == i); ++i) {
        cache.Insert(std::to_string(i), i);
        if (cache.Find("0"))
            kept = i + 1;
    }
    // Bounded: the first word went when the table filled up, and the table
    // still answers for the newest.
    QVERIFY(kept > 1000);
    QVERIFY(kept < 100000);
    QVERIFY(!cache.Find("0"));
    QVERIFY(cache.Find(std::to_string(kept)));
}

void TextAdvanceCacheTest::manyFontsStartAfresh()
{
    TextAdvanceCache cache;
    cache.SelectFont("first");
    cache.Insert("w", 1);
    int fonts = 0;
    for (; fonts < 10000; ++fonts) {
        cache.SelectFont("font" + std::to_string(fonts));
        cache.SelectFont("first");
        if (!cache.Find("w"))
            break;
    }
    QVERIFY(fonts > 2);
    QVERIFY(fonts < 10000);
}

void TextAdvanceCacheTest::aHugeWordIsNotKept()
{
    TextAdvanceCache cache;
    cache.SelectFont("f");
    cache.Insert("small", 3);
    const std::string huge(std::size_t(3) << 20, 'm');
    cache.Insert(huge, 1e6);
    QVERIFY(!cache.Find(huge));
    cache.Insert("after", 4);
    QCOMPARE(*cache.Find("after"), 4.0);
}

QTEST_APPLESS_MAIN(TextAdvanceCacheTest)
#include "text_advance_cache_test.moc"
