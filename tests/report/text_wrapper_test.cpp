#include "output/printer.h"
#include "output/printer_canvas.h"
#include "platform/text_markups.h"
#include "report/plain_text.h"
#include "report/text_measuring.h"
#include "report/text_wrapper.h"

#include <QtTest>

#include <memory>

namespace {

const QString kMarker = QString::fromUtf8("$\u00B6");

TppFont Arial10()
{
    TppFont font;
    font.SetName("Arial");
    font.SetSize(10);
    font.SetColor(clBlack);
    return font;
}

QStringList ToQt(const TppStringList &lines)
{
    QStringList result;
    for (const std::string &line : lines)
        result << QString::fromStdString(line);
    return result;
}

const char *kParagraph
    = "La muestra aleatoria simple es aquella en la que cada elemento de la población tiene "
      "la misma probabilidad de ser elegido. El tamaño de la muestra depende del error "
      "máximo aceptable, del nivel de confianza y de la proporción esperada.\r\n"
      "Cuando la población es finita se aplica una corrección, y el efecto de diseño y la "
      "tasa de respuesta aumentan el tamaño final.";

} // namespace

// Wrapping measured with Arial on the PDF test queue at its own resolution.
class TextWrapperTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void measuresOnThePrinter();
    void wrap_data();
    void wrap();
    void lineHeightIncludesLeading();
    void continuationGivesTheSameLines_data();
    void continuationGivesTheSameLines();
    void resumedMemoLosesUpToTwoLeadingSpaces_data();
    void resumedMemoLosesUpToTwoLeadingSpaces();
    void tabsAreMeasuredAtTheirStops();
    void widestLineIsTracked();
    void screenBitmapWithoutPrinter();
    void startBeyondTheTextGivesNothing();
    void hugeWordIsCutLikeAnyOther_data();
    void hugeWordIsCutLikeAnyOther();
    void negativeLeadingStillComesToAnEnd();

private:
    std::int32_t Width(const QString &text) const;
    TppTextWrapper Wrapper(const QString &text, std::int32_t width, std::int32_t height) const;

    std::unique_ptr<TppPrinter> m_printer;
    platform::Canvas *m_canvas = nullptr;
    std::int32_t m_lineHeight = 0;
};

void TextWrapperTest::initTestCase()
{
    m_printer = std::make_unique<TppPrinter>();
    m_printer->SetPrinterName("ValdoraPDF");
    QVERIFY2(m_printer->PrinterDisplayName() == "ValdoraPDF",
             "the test queue ValdoraPDF is missing: start the test services");
    m_canvas = TppPlainText::MeasuringCanvasOf(m_printer.get());
    QVERIFY(m_canvas);
    TppTextWrapper probe = Wrapper("W", 100000, 100000);
    probe.Run();
    m_lineHeight = probe.LineHeight();
    QVERIFY(m_lineHeight > 0);
}

std::int32_t TextWrapperTest::Width(const QString &text) const
{
    TppTextMeasuring measuring(m_canvas);
    measuring.Canvas().SetFont(Arial10());
    return measuring.Width(text.toStdString(), {});
}

TppTextWrapper TextWrapperTest::Wrapper(const QString &text, std::int32_t width,
                                        std::int32_t height) const
{
    TppTextWrapper wrapper;
    wrapper.SetText(text.toStdString());
    wrapper.SetRect({3000, 5000, 3000 + width, 5000 + height});
    wrapper.SetPrinterCanvas(m_canvas);
    wrapper.SetFont(Arial10());
    return wrapper;
}

void TextWrapperTest::measuresOnThePrinter()
{
    QVERIFY(m_canvas->PixelsPerInchY() > 96);
    // Arial 10 pt: a cell of about 1.117 x 10 pt = 3.94 mm on any resolution.
    QVERIFY2(qAbs(m_lineHeight - 3940) < 60, qPrintable(QString::number(m_lineHeight)));
}

void TextWrapperTest::wrap_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("widthOf"); // the rectangle is as wide as this text
    QTest::addColumn<int>("widthDelta");  // plus this many thousandths
    QTest::addColumn<double>("heightInLines");
    QTest::addColumn<bool>("charWrap");
    QTest::addColumn<bool>("autoSize");
    QTest::addColumn<bool>("fullJustified");
    QTest::addColumn<int>("start");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("position");

    const double tall = 20.5;
    QTest::newRow("two words, rectangle short of the last letter")
        << "Hola mundo" << "Hola mund" << 0 << tall << false << false << false << 0
        << QStringList{"Hola", "mundo"} << 11;
    QTest::newRow("eight letters in the width of four")
        << "abcdefgh" << "abcd" << 0 << tall << false << false << false << 0
        << QStringList{"abcd", "efgh"} << 9;
    QTest::newRow("character wrap fills the line")
        << "abc def" << "abc d" << 0 << tall << true << false << false << 0
        << QStringList{"abc d", "ef"} << 8;
    QTest::newRow("same without character wrap")
        << "abc def" << "abc d" << 0 << tall << false << false << false << 0
        << QStringList{"abc", "def"} << 8;
    QTest::newRow("word wider than the rectangle is cut without character wrap")
        << "abcd abcdefgh" << "abcd" << 0 << tall << false << false << false << 0
        << QStringList{"abcd", "abcd", "efgh"} << 14;
    QTest::newRow("multi-byte characters are never cut")
        << QString::fromUtf8("ñññññ") << QString::fromUtf8("ññ") << 0 << tall << false
        << false << false << 0 << QStringList{QString::fromUtf8("ññ"), QString::fromUtf8("ññ"), QString::fromUtf8("ñ")} << 11;
    QTest::newRow("one line height: no line, position kept")
        << "abc" << "abcdef" << 0 << 1.0 << false << false << false << 3
        << QStringList{} << 3;
    QTest::newRow("two line heights and a bit: two lines, resume at the pending word")
        << "uno dos tres cuatro" << "uno dos" << 0 << 2.1 << false << false << false << 0
        << QStringList{"uno dos", "tres"} << 13;
    QTest::newRow("stopped at a pending space: resume at the space")
        << "uno dos tres" << "uno dos" << 0 << 1.5 << false << false << false << 0
        << QStringList{"uno dos"} << 7;
    QTest::newRow("letter, two line breaks, letter")
        << "a\r\n\r\nb" << "abcdef" << 0 << tall << false << false << false << 0
        << QStringList{"a", "", "b"} << 7;
    QTest::newRow("letter and one line break: no empty last line")
        << "a\r\n" << "abcdef" << 0 << tall << false << false << false << 0
        << QStringList{"a"} << 4;
    QTest::newRow("line feed alone and carriage return alone break too")
        << "a\nb\rc" << "abcdef" << 0 << tall << false << false << false << 0
        << QStringList{"a", "b", "c"} << 6;
    QTest::newRow("paragraph-end marker breaks the line")
        << "uno" + kMarker + "dos" << "abcdefgh" << 0 << tall << false << false << false << 0
        << QStringList{"uno", "dos"} << 10; // the marker takes three bytes
    QTest::newRow("break stopped by the bottom: resume after it")
        << "a\r\nb" << "abc" << 0 << 1.5 << false << false << false << 0
        << QStringList{"a"} << 3;
    QTest::newRow("continuation line loses one leading space")
        << "xxxxxxxxxx yy" << "xxxxxxxxxx" << 0 << tall << false << false << false << 0
        << QStringList{"xxxxxxxxxx", "yy"} << 14;
    QTest::newRow("continuation line loses two leading spaces")
        << "xxxxxxxxxx  yy" << "xxxxxxxxxx" << 0 << tall << false << false << false << 0
        << QStringList{"xxxxxxxxxx", "yy"} << 15;
    QTest::newRow("continuation line keeps three leading spaces")
        << "xxxxxxxxxx   yy" << "xxxxxxxxxx" << 0 << tall << false << false << false << 0
        << QStringList{"xxxxxxxxxx", "   yy"} << 16;
    QTest::newRow("spaces after a line break are kept")
        << "a\r\n yy" << "abcdef" << 0 << tall << false << false << false << 0
        << QStringList{"a", " yy"} << 7;
    QTest::newRow("trailing spaces of a line are removed")
        << "ab   \r\ncd" << "abcdefgh" << 0 << tall << false << false << false << 0
        << QStringList{"ab", "cd"} << 10;
    QTest::newRow("full justification marks each paragraph's last line")
        << "uno dos\r\ntres" << "uno dos tres cuatro" << 0 << tall << false << false << true << 0
        << QStringList{"uno dos" + kMarker, "tres" + kMarker} << 14;
    QTest::newRow("full justification: broken lines carry no marker")
        << "uno dos tres" << "uno dos" << 0 << tall << false << false << true << 0
        << QStringList{"uno dos", "tres" + kMarker} << 13;
    QTest::newRow("resume in the middle")
        << "uno dos tres" << "uno dos tres" << 0 << tall << false << false << false << 4
        << QStringList{"dos tres"} << 13;
    QTest::newRow("resume at two spaces drops them")
        << "uno  dos" << "uno dos" << 0 << tall << false << false << false << 3
        << QStringList{"dos"} << 9;
    QTest::newRow("resume at three spaces keeps them")
        << "uno   dos" << "uno dos" << 0 << tall << false << false << false << 3
        << QStringList{"   dos"} << 10;
    QTest::newRow("auto-size slack: one thousandth short still fits")
        << "abc" << "abc" << -1 << tall << false << true << false << 0
        << QStringList{"abc"} << 4;
    QTest::newRow("no slack without auto-size")
        << "abc" << "abc" << -1 << tall << false << false << false << 0
        << QStringList{"ab", "c"} << 4;
    QTest::newRow("empty text") << "" << "abc" << 0 << tall << false << false << false << 0
                                << QStringList{} << 1;
    QTest::newRow("character 0 ends the text")
        << QString("ab") + QChar(0) + "cd" << "abcdef" << 0 << tall << false << false << false
        << 0 << QStringList{"ab"} << 3;
}

void TextWrapperTest::wrap()
{
    QFETCH(QString, text);
    QFETCH(QString, widthOf);
    QFETCH(int, widthDelta);
    QFETCH(double, heightInLines);
    QFETCH(bool, charWrap);
    QFETCH(bool, autoSize);
    QFETCH(bool, fullJustified);
    QFETCH(int, start);
    QFETCH(QStringList, lines);
    QFETCH(int, position);

    TppTextWrapper wrapper
        = Wrapper(text, Width(widthOf) + widthDelta, std::int32_t(heightInLines * m_lineHeight));
    wrapper.SetCharWrap(charWrap);
    wrapper.SetAutoSize(autoSize);
    wrapper.SetTextAlignment(fullJustified ? taFullJustified : taLeftJustified);
    wrapper.SetStartPosition(std::size_t(start));
    wrapper.Run();
    QCOMPARE(ToQt(wrapper.Lines()), lines);
    QCOMPARE(int(wrapper.Position()), position);

    // The class operation gives the same.
    TppStringList viaWrapText{"old line"};
    std::size_t viaPosition = std::size_t(start);
    TppPlainText::WrapText(text.toStdString(),
                           {3000, 5000, 3000 + Width(widthOf) + widthDelta,
                            5000 + std::int32_t(heightInLines * m_lineHeight)},
                           viaWrapText, viaPosition, m_canvas, {}, 0, charWrap, Arial10(),
                           autoSize, fullJustified ? taFullJustified : taLeftJustified);
    QCOMPARE(ToQt(viaWrapText), lines);
    QCOMPARE(int(viaPosition), position);
}

void TextWrapperTest::lineHeightIncludesLeading()
{
    TppTextWrapper wrapper = Wrapper("a b c d", Width("a"), 0);
    wrapper.SetLeading(1000);
    wrapper.SetRect({0, 0, Width("a"), 3 * (m_lineHeight + 1000) + 10});
    wrapper.Run();
    QCOMPARE(wrapper.LineHeight(), m_lineHeight + 1000);
    QCOMPARE(ToQt(wrapper.Lines()), (QStringList{"a", "b", "c"}));
    // Stopped at the space after "c": resume there.
    QCOMPARE(int(wrapper.Position()), 5);
}

void TextWrapperTest::continuationGivesTheSameLines_data()
{
    QTest::addColumn<int>("linesPerPage");
    QTest::addColumn<bool>("charWrap");
    QTest::newRow("one line per page") << 1 << false;
    QTest::newRow("three lines per page") << 3 << false;
    QTest::newRow("four lines per page, character wrap") << 4 << true;
}

void TextWrapperTest::continuationGivesTheSameLines()
{
    QFETCH(int, linesPerPage);
    QFETCH(bool, charWrap);
    const QString text = QString::fromUtf8(kParagraph);
    const std::int32_t width = Width("La muestra aleatoria simple es");

    TppTextWrapper whole = Wrapper(text, width, 1000 * m_lineHeight);
    whole.SetCharWrap(charWrap);
    whole.Run();
    QVERIFY(whole.Lines().size() > 6);
    QVERIFY(whole.Position() >= text.toStdString().size());

    QStringList paged;
    std::size_t position = 0;
    int pages = 0;
    while (position < text.toStdString().size()) {
        QVERIFY2(++pages < 100, "the continuation does not advance");
        TppTextWrapper page
            = Wrapper(text, width, std::int32_t((linesPerPage + 0.5) * m_lineHeight));
        page.SetCharWrap(charWrap);
        page.SetStartPosition(position);
        page.Run();
        QVERIFY(page.Lines().size() <= std::size_t(linesPerPage));
        QVERIFY(page.Position() > position);
        paged << ToQt(page.Lines());
        position = page.Position();
    }
    QCOMPARE(paged, ToQt(whole.Lines()));
}

void TextWrapperTest::resumedMemoLosesUpToTwoLeadingSpaces_data()
{
    QTest::addColumn<QString>("gap");
    QTest::addColumn<QString>("secondPageFirstLine");
    QTest::newRow("one space") << " " << "dos";
    QTest::newRow("two spaces") << "  " << "dos";
    QTest::newRow("three spaces") << "   " << "   dos";
}

void TextWrapperTest::resumedMemoLosesUpToTwoLeadingSpaces()
{
    QFETCH(QString, gap);
    QFETCH(QString, secondPageFirstLine);
    const QString text = "uno" + gap + "dos";
    TppTextWrapper first = Wrapper(text, Width("uno"), std::int32_t(1.5 * m_lineHeight));
    first.Run();
    QCOMPARE(ToQt(first.Lines()), QStringList{"uno"});

    TppTextWrapper second = Wrapper(text, Width("   dos"), 10 * m_lineHeight);
    second.SetStartPosition(first.Position());
    second.Run();
    QCOMPARE(ToQt(second.Lines()), QStringList{secondPageFirstLine});
}

void TextWrapperTest::tabsAreMeasuredAtTheirStops()
{
    // A stop at 20 mm: "a<tab>b" is 20 mm plus the width of "b".
    TppTextWrapper fits = Wrapper("a\tb", 20000 + Width("b") + 300, 10 * m_lineHeight);
    fits.SetTabStops({"20000"});
    fits.Run();
    QCOMPARE(ToQt(fits.Lines()), QStringList{"a\tb"});

    TppTextWrapper broken = Wrapper("a\tb", 20000 + Width("b") / 2, 10 * m_lineHeight);
    broken.SetTabStops({"20000"});
    broken.Run();
    // The line ends with the tab; only trailing spaces lead to trimming.
    QCOMPARE(ToQt(broken.Lines()), (QStringList{"a\t", "b"}));

    // A tab alone wider than the rectangle still takes a line of its own.
    TppTextWrapper narrow = Wrapper("a\tb", 19000, 10 * m_lineHeight);
    narrow.SetTabStops({"20000"});
    narrow.Run();
    QCOMPARE(ToQt(narrow.Lines()), (QStringList{"a", "\t", "b"}));
}

void TextWrapperTest::widestLineIsTracked()
{
    TppTextWrapper wrapper = Wrapper("uno\r\ncuatro\r\ndos", 50000, 10 * m_lineHeight);
    wrapper.Run();
    QCOMPARE(wrapper.WidestLine(), Width("cuatro"));
    QCOMPARE(wrapper.AvailableWidth(), 50000);
}

void TextWrapperTest::screenBitmapWithoutPrinter()
{
    TppTextWrapper wrapper = Wrapper("Hola mundo", 0, 0);
    wrapper.SetPrinterCanvas(nullptr);
    TppTextMeasuring screen(nullptr);
    screen.Canvas().SetFont(Arial10());
    wrapper.SetRect({0, 0, screen.Width("Hola mund", {}), 100000});
    wrapper.Run();
    QCOMPARE(ToQt(wrapper.Lines()), (QStringList{"Hola", "mundo"}));
    // Line height from screen pixels: the same font, rounded to whole pixels.
    QVERIFY(qAbs(wrapper.LineHeight() - m_lineHeight) < 400);
}

void TextWrapperTest::startBeyondTheTextGivesNothing()
{
    TppTextWrapper wrapper = Wrapper("abc", 50000, 10 * m_lineHeight);
    wrapper.SetStartPosition(50);
    wrapper.Run();
    QVERIFY(wrapper.Lines().empty());
    QCOMPARE(int(wrapper.Position()), 4);
}

void TextWrapperTest::hugeWordIsCutLikeAnyOther_data()
{
    QTest::addColumn<QString>("letter");
    QTest::addColumn<int>("count");
    QTest::newRow("300 letters") << "x" << 300;
    QTest::newRow("100 000 letters") << "x" << 100000;
    QTest::newRow("50 000 two-byte letters") << QString::fromUtf8("ñ") << 50000;
}

void TextWrapperTest::hugeWordIsCutLikeAnyOther()
{
    // A pasted text without blanks: every line holds as many letters as fit,
    // found as if the letters were tried one at a time.
    QFETCH(QString, letter);
    QFETCH(int, count);
    const QString word = letter.repeated(count);
    const QString line = letter.repeated(10);
    TppTextWrapper wrapper = Wrapper(word, Width(line), 0);
    wrapper.SetRect({0, 0, Width(line), std::int32_t(1) << 30});
    wrapper.Run();
    const int expectedLines = (count + 9) / 10;
    QCOMPARE(int(wrapper.Lines().size()), expectedLines);
    QCOMPARE(QString::fromStdString(wrapper.Lines().front()), line);
    QCOMPARE(QString::fromStdString(wrapper.Lines()[std::size_t(expectedLines) / 2]), line);
    QCOMPARE(ToQt(wrapper.Lines()).join(QString()), word);
    QCOMPARE(int(wrapper.Position()), int(word.toStdString().size()) + 1);
}

void TextWrapperTest::negativeLeadingStillComesToAnEnd()
{
    // A leading that cancels the line height leaves every line room; the
    // text is still placed once and the wrap ends.
    TppTextWrapper wrapper = Wrapper("uno dos tres", Width("uno"), 10);
    wrapper.SetLeading(-m_lineHeight);
    wrapper.Run();
    QCOMPARE(wrapper.LineHeight(), 0);
    QCOMPARE(ToQt(wrapper.Lines()), (QStringList{"uno", "dos", "tres"}));
    QCOMPARE(int(wrapper.Position()), 13);
}

QTEST_MAIN(TextWrapperTest)
#include "text_wrapper_test.moc"
