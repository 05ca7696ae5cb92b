#include "band_fixture.h"

#include "report/wrap_cache.h"

#include <QtTest>

#include <string>

// A remembered wrap is only reused for the very same inputs: any change
// wraps again, and the result always equals a fresh wrap.
class WrapCacheTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void sameAsAFreshWrap_data();
    void sameAsAFreshWrap();
    void lineHeightFollowsFontAndLeading();

private:
    std::unique_ptr<LetterReport> m_sheet;
};

namespace {

struct Inputs {
    std::string text = "Tamaño de la muestra para estimar una proporción con un error máximo dado "
                       "y la confianza requerida, corregido por la población finita.";
    TppTextRect rect{1000, 2000, 41000, 14000};
    std::size_t start = 0;
    TppStringList tabStops;
    std::int32_t leading = 0;
    bool charWrap = false;
    TppFont font = Arial10();
    bool autoSize = false;
    TppTextAlignment alignment = taLeftJustified;
};

} // namespace

void WrapCacheTest::initTestCase()
{
    m_sheet = std::make_unique<LetterReport>();
    QVERIFY(m_sheet->context.canvas);
}

void WrapCacheTest::sameAsAFreshWrap_data()
{
    QTest::addColumn<QString>("change");
    for (const char *change : {"nothing", "moved", "text", "text in place", "narrower", "shorter",
                               "start", "tab stops", "leading", "char wrap", "font", "auto size",
                               "alignment"})
        QTest::newRow(change) << QString(change);
}

void WrapCacheTest::sameAsAFreshWrap()
{
    QFETCH(QString, change);
    platform::Canvas *canvas = m_sheet->context.canvas;
    Inputs in;
    TppWrapCache cache;
    TppStringList lines;
    std::size_t position = in.start;
    cache.Wrap(in.text, in.rect, lines, position, canvas, in.tabStops, in.leading, in.charWrap,
               in.font, in.autoSize, in.alignment);
    QVERIFY(lines.size() >= 2);

    if (change == "moved") in.rect = {50000, 90000, 90000, 102000};
    else if (change == "text") in.text += " Y más.";
    else if (change == "text in place") in.text[0] = 'X';
    else if (change == "narrower") in.rect.Right -= 10000;
    else if (change == "shorter") in.rect.Bottom -= 5000;
    else if (change == "start") in.start = 7;
    else if (change == "tab stops") in.tabStops = {"5000"};
    else if (change == "leading") in.leading = 2000;
    else if (change == "char wrap") in.charWrap = true;
    else if (change == "font") in.font.SetSize(14);
    else if (change == "auto size") in.autoSize = true;
    else if (change == "alignment") in.alignment = taFullJustified;

    position = in.start;
    cache.Wrap(in.text, in.rect, lines, position, canvas, in.tabStops, in.leading, in.charWrap,
               in.font, in.autoSize, in.alignment);
    TppStringList fresh;
    std::size_t freshPosition = in.start;
    TppPlainText::WrapText(in.text, in.rect, fresh, freshPosition, canvas, in.tabStops, in.leading,
                           in.charWrap, in.font, in.autoSize, in.alignment);
    QCOMPARE(lines, fresh);
    QCOMPARE(position, freshPosition);
}

void WrapCacheTest::lineHeightFollowsFontAndLeading()
{
    platform::Canvas *canvas = m_sheet->context.canvas;
    TppWrapCache cache;
    const auto fresh = [canvas](const TppFont &font, std::int32_t leading) {
        std::int32_t height = 0;
        TppPlainText::LineHeightAndCount(font, leading, canvas, 100000, height);
        return height;
    };
    TppFont big = Arial10();
    big.SetSize(20);
    QCOMPARE(cache.LineHeight(Arial10(), 0, canvas), fresh(Arial10(), 0));
    QCOMPARE(cache.LineHeight(big, 0, canvas), fresh(big, 0));
    QCOMPARE(cache.LineHeight(big, 1500, canvas), fresh(big, 1500));
    QVERIFY(fresh(big, 1500) > fresh(big, 0));
}

QTEST_MAIN(WrapCacheTest)
#include "wrap_cache_test.moc"
