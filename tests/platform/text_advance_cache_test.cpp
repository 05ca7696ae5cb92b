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
    void onlyCharactersLaidOutAloneAreKept();
    void manyFontsStartAfresh();
};

void TextAdvanceCacheTest::nothingIsKnownBeforeAFontIsSelected()
{
    TextAdvanceCache cache;
    cache.Insert(U'a', 12.5);
    QVERIFY(!cache.Find(U'a'));
}

void TextAdvanceCacheTest::advancesAreKeptPerFont()
{
    TextAdvanceCache cache;
    cache.SelectFont("Arial,10@600x600");
    QVERIFY(!cache.Find(U'ñ'));
    cache.Insert(U'ñ', 12.5);
    cache.Insert(U'€', 20.25);
    QCOMPARE(*cache.Find(U'ñ'), 12.5);
    QCOMPARE(*cache.Find(U'€'), 20.25);
    QVERIFY(!cache.Find(U'n'));
    // The same character in another font, or at another resolution, is another width.
    cache.SelectFont("Arial,10@300x300");
    QVERIFY(!cache.Find(U'ñ'));
    cache.Insert(U'ñ', 6.25);
    cache.SelectFont("Arial,10@600x600");
    QCOMPARE(*cache.Find(U'ñ'), 12.5);
    cache.SelectFont("Arial,10@300x300");
    QCOMPARE(*cache.Find(U'ñ'), 6.25);
}

void TextAdvanceCacheTest::onlyCharactersLaidOutAloneAreKept()
{
    TextAdvanceCache cache;
    cache.SelectFont("f");
    // Controls, and scripts that are shaped with their neighbours, are not.
    for (const char32_t code : {U'\t', U'\u0627', U'\u0915', U'\U0001F600'}) {
        QVERIFY(!TextAdvanceCache::Keeps(code));
        cache.Insert(code, 3);
        QVERIFY(!cache.Find(code));
    }
    for (const char32_t code : {U' ', U'~', U'\u00A0', U'\u024F', U'\u2014', U'\u20AC'})
        QVERIFY(TextAdvanceCache::Keeps(code));
}

void TextAdvanceCacheTest::manyFontsStartAfresh()
{
    TextAdvanceCache cache;
    cache.SelectFont("first");
    cache.Insert(U'w', 1);
    int fonts = 0;
    for (; fonts < 10000; ++fonts) {
        cache.SelectFont("font" + std::to_string(fonts));
        cache.SelectFont("first");
        if (!cache.Find(U'w'))
            break;
    }
    QVERIFY(fonts > 2);
    QVERIFY(fonts < 10000);
}

QTEST_APPLESS_MAIN(TextAdvanceCacheTest)
#include "text_advance_cache_test.moc"
