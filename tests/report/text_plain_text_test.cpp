#include "output/printer.h"
#include "output/printer_canvas.h"
#include "platform/qt/image_canvas.h"
#include "platform/text_markups.h"
#include "report/plain_text.h"

#include <QtTest>

#include <memory>

namespace {

TppFont Arial10()
{
    TppFont font;
    font.SetName("Arial");
    font.SetSize(10);
    font.SetColor(clBlack);
    return font;
}

// A resolution as a printer with a drawing context reports it.
class FixedResolution : public TppResolutionSource
{
public:
    explicit FixedResolution(int ppi) : m_ppi(ppi) {}
    bool HasDeviceContext() const override { return true; }
    int PixelsPerInchX() const override { return m_ppi; }
    int PixelsPerInchY() const override { return m_ppi; }

private:
    int m_ppi;
};

int LastInkColumn(const QImage &image)
{
    for (int x = image.width() - 1; x >= 0; --x)
        for (int y = 0; y < image.height(); ++y)
            if (image.pixel(x, y) != 0xFFFFFFFFu)
                return x;
    return -1;
}

} // namespace

class TextPlainTextTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void removeAll_data();
    void removeAll();
    void convertTabStops_data();
    void convertTabStops();
    void convertTabStopsKeepsAtMostHundred();
    void lineHeightAndCount_data();
    void lineHeightAndCount();
    void lineHeightAndCountMatchesTheWrapper();
    void justifyLine_data();
    void justifyLine();
    void justifiedLineReachesTheRightEdge();
    void tabbedWidthUsesTheStops();

private:
    std::unique_ptr<TppPrinter> m_printer;
    platform::Canvas *m_canvas = nullptr;
};

void TextPlainTextTest::initTestCase()
{
    m_printer = std::make_unique<TppPrinter>();
    m_printer->SetPrinterName("ValdoraPDF");
    QVERIFY2(m_printer->PrinterDisplayName() == "ValdoraPDF",
             "the test queue ValdoraPDF is missing: start the test services");
    m_canvas = TppPlainText::MeasuringCanvasOf(m_printer.get());
    QVERIFY(m_canvas);
    QVERIFY(TppPlainText::MeasuringCanvasOf(nullptr) == nullptr);
}

void TextPlainTextTest::removeAll_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("part");
    QTest::addColumn<QString>("expected");
    const QString marker = QString::fromUtf8("$\u00B6");
    QTest::newRow("marker at the end") << "uno dos" + marker << marker << "uno dos";
    QTest::newRow("several") << marker + "a" + marker + marker + "b" << marker << "ab";
    QTest::newRow("none") << "abc" << marker << "abc";
    QTest::newRow("empty part changes nothing") << "abc" << "" << "abc";
    QTest::newRow("overlapping occurrences") << "aaaa" << "aa" << "";
    QTest::newRow("removal does not create new ones") << "abcc" << "bc" << "ac";
}

void TextPlainTextTest::removeAll()
{
    QFETCH(QString, text);
    QFETCH(QString, part);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(TppPlainText::RemoveAll(text.toStdString(), part.toStdString())),
             expected);
}

void TextPlainTextTest::convertTabStops_data()
{
    QTest::addColumn<QStringList>("stops");
    QTest::addColumn<int>("ppi");
    QTest::addColumn<QList<int>>("expected");
    QTest::newRow("an inch at 600 dpi") << QStringList{"25400"} << 600 << QList<int>{600};
    QTest::newRow("half and whole inch at 300 dpi")
        << QStringList{"12700", "25400"} << 300 << QList<int>{150, 300};
    QTest::newRow("non-integers skipped")
        << QStringList{"abc", "12.5", "", "12700", "1e3", "0x10"} << 600 << QList<int>{300};
    QTest::newRow("blanks around and a sign")
        << QStringList{" 25400 ", "+12700", "-25400"} << 600 << QList<int>{600, 300, -600};
    QTest::newRow("beyond 32 bits skipped")
        << QStringList{"99999999999", "25400"} << 600 << QList<int>{600};
    QTest::newRow("screen without printer") << QStringList{"25400"} << 0 << QList<int>{96};
}

void TextPlainTextTest::convertTabStops()
{
    QFETCH(QStringList, stops);
    QFETCH(int, ppi);
    QFETCH(QList<int>, expected);
    TppStringList list;
    for (const QString &stop : stops)
        list.push_back(stop.toStdString());
    FixedResolution resolution(ppi);
    const platform::TabStops pixels
        = TppPlainText::ConvertTabStops(list, ppi > 0 ? &resolution : nullptr);
    if (ppi == 0) {
        QCOMPARE(pixels.size(), std::size_t(1));
        QCOMPARE(pixels.front(), ScreenPixelsPerInch());
        return;
    }
    QCOMPARE(QList<int>(pixels.begin(), pixels.end()), expected);
}

void TextPlainTextTest::convertTabStopsKeepsAtMostHundred()
{
    TppStringList list;
    for (int i = 1; i <= 150; ++i)
        list.push_back(std::to_string(i * 1000));
    FixedResolution resolution(600);
    const platform::TabStops pixels = TppPlainText::ConvertTabStops(list, &resolution);
    QCOMPARE(pixels.size(), TppPlainText::MaxTabStops);
    QVERIFY(pixels.back() > pixels.front());
}

void TextPlainTextTest::lineHeightAndCount_data()
{
    QTest::addColumn<int>("leading");
    QTest::addColumn<double>("linesOfHeight"); // available height in whole-font lines
    QTest::addColumn<int>("expectedCount");
    QTest::newRow("ten lines and a half") << 0 << 10.5 << 10;
    QTest::newRow("less than one line") << 0 << 0.9 << 0;
    QTest::newRow("nothing available") << 0 << 0.0 << 0;
    QTest::newRow("negative height") << 0 << -3.0 << 0;
    QTest::newRow("leading of a line height halves the count") << -1 << 10.5 << 5;
}

void TextPlainTextTest::lineHeightAndCount()
{
    QFETCH(int, leading);
    QFETCH(double, linesOfHeight);
    QFETCH(int, expectedCount);

    std::int32_t plainHeight = 0;
    TppPlainText::LineHeightAndCount(Arial10(), 0, m_canvas, 0, plainHeight);
    QVERIFY(plainHeight > 3000 && plainHeight < 5000);
    if (leading < 0)
        leading = plainHeight;

    std::int32_t lineHeight = 0;
    const int count = TppPlainText::LineHeightAndCount(
        Arial10(), leading, m_canvas, std::int32_t(linesOfHeight * plainHeight), lineHeight);
    QCOMPARE(count, expectedCount);
    QVERIFY(qAbs(lineHeight - (plainHeight + leading)) <= 50);
}

void TextPlainTextTest::lineHeightAndCountMatchesTheWrapper()
{
    // A stretching memo's count and the wrapper's lines agree on a height.
    std::int32_t lineHeight = 0;
    const int count = TppPlainText::LineHeightAndCount(Arial10(), 0, m_canvas, 40000, lineHeight);
    TppStringList lines;
    std::size_t position = 0;
    TppPlainText::WrapText("a\r\nb\r\nc\r\nd\r\ne\r\nf\r\ng\r\nh\r\ni\r\nj\r\nk\r\nl", {0, 0, 50000, 40000},
                           lines, position, m_canvas, {}, 0, false, Arial10(), false,
                           taLeftJustified);
    QCOMPARE(int(lines.size()), count);
}

void TextPlainTextTest::justifyLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("drawn");
    QTest::newRow("words") << "uno dos tres" << "uno dos tres";
    QTest::newRow("blanks around are left out") << "  uno dos  " << "uno dos";
    QTest::newRow("one word is letter-spaced") << "abc" << "a b c";
    QTest::newRow("multi-byte letters spaced whole") << QString::fromUtf8("año") << QString::fromUtf8("a ñ o");
    QTest::newRow("empty") << "" << "";
    QTest::newRow("blanks only") << "   " << "";
}

void TextPlainTextTest::justifyLine()
{
    QFETCH(QString, line);
    QFETCH(QString, drawn);
    platform::ImageCanvas canvas(10, 10, 96);
    canvas.SetFont(Arial10());
    const std::string text
        = TppPlainText::JustifyLine(canvas, {0, 0, 400, 20}, {}, line.toStdString());
    QCOMPARE(QString::fromStdString(text), drawn);
}

void TextPlainTextTest::justifiedLineReachesTheRightEdge()
{
    const std::string lines[] = {"uno dos tres", "a b", "abc"};
    for (const std::string &line : lines) {
        platform::ImageCanvas canvas(420, 30, 96);
        canvas.SetFont(Arial10());
        const platform::CanvasRect rect{10, 0, 310, 30};
        const std::string text = TppPlainText::JustifyLine(canvas, rect, {}, line);
        canvas.TextOut(rect.left, 0, text);
        const int last = LastInkColumn(canvas.Image());
        // The last glyph ends at the right edge, give or take its side bearing.
        QVERIFY2(last >= rect.right - 3 && last < rect.right,
                 qPrintable(QStringLiteral("%1: %2").arg(QString::fromStdString(line)).arg(last)));
        // An empty line switches justification off again.
        TppPlainText::JustifyLine(canvas, rect, {}, "");
        platform::ImageCanvas plain(420, 30, 96);
        plain.SetFont(Arial10());
        plain.TextOut(rect.left, 0, text);
        canvas.SetBrush({clWhite, bsSolid});
        canvas.FillRect({0, 0, 420, 30});
        canvas.TextOut(rect.left, 0, text);
        QCOMPARE(LastInkColumn(canvas.Image()), LastInkColumn(plain.Image()));
    }
}

void TextPlainTextTest::tabbedWidthUsesTheStops()
{
    m_canvas->SetFont(Arial10());
    const int stop = m_canvas->PixelsPerInchX();
    QCOMPARE(TppPlainText::TabbedWidth(*m_canvas, "ab\tc", {stop}),
             stop + m_canvas->TextWidth("c"));
    QCOMPARE(TppPlainText::TabbedWidth(*m_canvas, "abc", {stop}), m_canvas->TextWidth("abc"));
}

QTEST_MAIN(TextPlainTextTest)
#include "text_plain_text_test.moc"
