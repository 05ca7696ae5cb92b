#include "output/printer.h"
#include "output/printer_canvas.h"
#include "report/plain_text.h"
#include "report/text_measuring.h"
#include "report/text_wrapper.h"

#include <QtTest>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The wrapper measures a line piece by piece (the line so far plus the next
// word) where the canvas says advances add up. These tests pin that this
// gives exactly the widths and the lines of measuring every line whole, on
// real fonts at the PDF test queue's resolution.

namespace {

// The same canvas, but never claiming that advances add up: the wrapper then
// measures every candidate line whole.
class WholeLineCanvas : public TppPrinterCanvas
{
public:
    explicit WholeLineCanvas(platform::Canvas &target)
        : TppPrinterCanvas(target, false)
    {
    }
    double TextAdvance(std::string_view text) const override { return TextWidth(text); }
    int AdvancePixels(double advance) const override { return int(advance); }
    bool AdvancesAdd(std::string_view) const override { return false; }
    bool PiecewiseAdvance(std::string_view, double &) const override { return false; }
};

TppFont MakeFont(const char *name, int size, bool bold, bool italic)
{
    TppFont font;
    font.SetName(name);
    font.SetSize(size);
    font.SetStyle(TppFontStyles((bold ? fsBold : 0) | (italic ? fsItalic : 0)));
    font.SetColor(clBlack);
    return font;
}

std::vector<TppFont> Fonts()
{
    return {MakeFont("Arial", 10, false, false), MakeFont("Times New Roman", 12, true, false),
            MakeFont("Courier New", 9, false, true), MakeFont("Arial", 7, true, true)};
}

// A long text of varied words, blanks, breaks and oddities, the same on
// every run.
std::string VariedText(std::size_t words)
{
    static const char *const kWords[] = {
        "la", "muestra", "aleatoria", "simple", "población", "tamaño", "¿cuántos?", "¡sí!",
        "error", "máximo", "nivel", "de", "confianza", "95%", "proporción", "esperada,",
        "corrección.", "efecto", "diseño", "tasa", "respuesta", "—", "«entre»", "“comillas”",
        "1.234,56", "€", "año", "Ñandú", "fiflffi", "AVATAR", "Wolf", "T.", "y", "o", "ü", "…",
        "Łódź", "ſ", "(paréntesis)", "x=y+z", "día/mes", "A", "WWWWWW", "iiii", "1"};
    std::string text;
    std::uint32_t seed = 12345;
    auto next = [&seed](std::uint32_t range) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % range;
    };
    for (std::size_t i = 0; i < words; ++i) {
        text += kWords[next(std::size(kWords))];
        switch (next(40)) {
        case 0:
            text += "\r\n";
            break;
        case 1:
            text += "\r\n\r\n";
            break;
        case 2:
            text += "  ";
            break;
        case 3:
            text += "   ";
            break;
        case 4:
            text += "\t";
            break;
        case 5:
            text += " $\xC2\xB6"; // paragraph-end marker
            break;
        case 6: {
            // A word longer than the wrapper's probes, of mixed letters.
            static const char *const kLetters[] = {"m", "i", "W", "á", "ñ", "l", "0", "€", "f"};
            const std::uint32_t length = 300 + next(400);
            text += ' ';
            for (std::uint32_t k = 0; k < length; ++k)
                text += kLetters[next(std::size(kLetters))];
            text += ' ';
            break;
        }
        case 7:
            text += " \xCE\xB1\xCE\xB2\xCE\xB3 "; // Greek: not measured piecewise
            break;
        case 8:
            text += " e\xCC\x81 "; // a combining accent
            break;
        case 9:
            text += " muada\xC1\xBB \xC0\xBF \xE0\xE0"; // not UTF-8
            break;
        default:
            text += ' ';
        }
    }
    return text;
}

struct WrapOutcome {
    QStringList lines;
    std::size_t position = 0;
    std::int32_t widest = 0;
    std::int32_t availableWidth = 0;
};

} // namespace

class TextWrapPiecewiseTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void advancesAddUpToTheWholeLine_data();
    void advancesAddUpToTheWholeLine();
    void onlyPlainCharactersAreMeasuredPiecewise_data();
    void onlyPlainCharactersAreMeasuredPiecewise();
    void wrappedLinesEqualWholeLineMeasuring_data();
    void wrappedLinesEqualWholeLineMeasuring();
    void widthsAtTheEdgeGiveTheSameLines_data();
    void widthsAtTheEdgeGiveTheSameLines();

private:
    WrapOutcome Wrap(platform::Canvas *canvas, const std::string &text, std::size_t start,
                     const TppFont &font, std::int32_t width, std::int32_t height, bool charWrap,
                     TppTextAlignment alignment, bool autoSize) const;

    std::unique_ptr<TppPrinter> m_printer;
    platform::Canvas *m_canvas = nullptr;
    std::unique_ptr<WholeLineCanvas> m_wholeLine;
};

void TextWrapPiecewiseTest::initTestCase()
{
    m_printer = std::make_unique<TppPrinter>();
    m_printer->SetPrinterName("ValdoraPDF");
    QVERIFY2(m_printer->PrinterDisplayName() == "ValdoraPDF",
             "the test queue ValdoraPDF is missing: start the test services");
    m_canvas = TppPlainText::MeasuringCanvasOf(m_printer.get());
    QVERIFY(m_canvas);
    QVERIFY(m_canvas->PixelsPerInchX() > 96);
    m_wholeLine = std::make_unique<WholeLineCanvas>(*m_canvas);
}

void TextWrapPiecewiseTest::advancesAddUpToTheWholeLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::newRow("sentence") << "La muestra aleatoria simple es aquella en la que cada";
    QTest::newRow("accents") << "población, tamaño, máximo: ¿cuántos? ¡sí! Ñandú año";
    QTest::newRow("ligature letters") << "office affluent fjord waffle fifty flow";
    QTest::newRow("kerning pairs") << "AVATAR To Wa Yo LT P. V, AV WA";
    QTest::newRow("digits and signs") << "1.234,56 € 95% x=y+z (a) [b] {c} #1 @2";
    QTest::newRow("dashes and quotes") << "—«entre»— “comillas” ‘sí’ … ‰ † •";
    QTest::newRow("many blanks") << "a  b   c    d     e";
    QTest::newRow("extended latin") << "Łódź ſ ĳ ǅ ȡ Ŋ đ ő";
    QTest::newRow("narrow and wide") << "iiiiiiiiii WWWWWWWWWW llll mmmm";
}

void TextWrapPiecewiseTest::advancesAddUpToTheWholeLine()
{
    QFETCH(QString, line);
    const std::string text = line.toStdString();
    for (const TppFont &font : Fonts()) {
        m_canvas->SetFont(font);
        QVERIFY(m_canvas->AdvancesAdd(text));
        QCOMPARE(m_canvas->AdvancePixels(m_canvas->TextAdvance(text)), m_canvas->TextWidth(text));
        // Character by character too, as long words are measured.
        double characters = 0;
        for (std::size_t start = 0; start < text.size();) {
            std::size_t end = start + 1;
            while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
                ++end;
            characters += m_canvas->TextAdvance(std::string_view(text).substr(start, end - start));
            start = end;
        }
        QCOMPARE(m_canvas->AdvancePixels(characters), m_canvas->TextWidth(text));
        // Every split into a line so far and what follows, at character
        // boundaries, adds up to the whole line's width.
        for (std::size_t split = 1; split < text.size(); ++split) {
            if ((static_cast<unsigned char>(text[split]) & 0xC0) == 0x80)
                continue;
            const std::string head = text.substr(0, split);
            const std::string tail = text.substr(split);
            const double sum = m_canvas->TextAdvance(head) + m_canvas->TextAdvance(tail);
            QVERIFY2(m_canvas->AdvancePixels(sum) == m_canvas->TextWidth(text),
                     qPrintable(QStringLiteral("%1 | %2 in %3").arg(QString::fromStdString(head),
                                                                   QString::fromStdString(tail),
                                                                   QString::fromStdString(font.Name()))));
        }
    }
}

void TextWrapPiecewiseTest::onlyPlainCharactersAreMeasuredPiecewise_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("piecewise");
    QTest::newRow("empty") << QByteArray() << true;
    QTest::newRow("ascii") << QByteArray("Hola, mundo") << true;
    QTest::newRow("latin-1") << QByteArray("tama\xC3\xB1o") << true;
    QTest::newRow("tab") << QByteArray("a\tb") << false;
    QTest::newRow("line feed") << QByteArray("a\nb") << false;
    QTest::newRow("soft hyphen") << QByteArray("co\xC2\xADop") << false;
    QTest::newRow("string end mark") << QByteArray("a\xC2\x9C" "b") << false;
    QTest::newRow("combining accent") << QByteArray("e\xCC\x81") << false;
    QTest::newRow("greek") << QByteArray("\xCE\xB1\xCE\xB2") << false;
    QTest::newRow("arabic") << QByteArray("\xD8\xB3\xD9\x84\xD8\xA7\xD9\x85") << false;
    QTest::newRow("joiner") << QByteArray("a\xE2\x80\x8D" "b") << false;
    QTest::newRow("emoji") << QByteArray("\xF0\x9F\x98\x80") << false;
    QTest::newRow("broken utf-8") << QByteArray("a\xC3") << false;
    // Drawn as replacement characters, one a byte: never measured as the
    // character an overlong form spells.
    QTest::newRow("overlong brace") << QByteArray("La muada\xC1\xBB") << false;
    QTest::newRow("overlong question mark") << QByteArray("\xC0\xBF") << false;
    QTest::newRow("overlong three bytes") << QByteArray("\xE0\x81\x81" "b") << false;
    QTest::newRow("cut three-byte lead") << QByteArray("a\xE0\xE0" "b") << false;
    QTest::newRow("surrogate") << QByteArray("\xED\xA0\x80") << false;
}

void TextWrapPiecewiseTest::onlyPlainCharactersAreMeasuredPiecewise()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, piecewise);
    m_canvas->SetFont(Fonts().front());
    const std::string_view view(text.constData(), std::size_t(text.size()));
    QCOMPARE(m_canvas->AdvancesAdd(view), piecewise);
    if (!text.contains('\t'))
        QCOMPARE(m_canvas->AdvancePixels(m_canvas->TextAdvance(view)), m_canvas->TextWidth(view));
}

WrapOutcome TextWrapPiecewiseTest::Wrap(platform::Canvas *canvas, const std::string &text,
                                        std::size_t start, const TppFont &font,
                                        std::int32_t width, std::int32_t height, bool charWrap,
                                        TppTextAlignment alignment, bool autoSize) const
{
    TppTextWrapper wrapper;
    wrapper.SetText(text);
    wrapper.SetRect({2000, 4000, 2000 + width, 4000 + height});
    wrapper.SetStartPosition(start);
    wrapper.SetPrinterCanvas(canvas);
    wrapper.SetFont(font);
    wrapper.SetCharWrap(charWrap);
    wrapper.SetTextAlignment(alignment);
    wrapper.SetAutoSize(autoSize);
    wrapper.Run();
    QStringList lines;
    for (const std::string &line : wrapper.Lines())
        lines << QString::fromStdString(line);
    return {lines, wrapper.Position(), wrapper.WidestLine(), wrapper.AvailableWidth()};
}

void TextWrapPiecewiseTest::wrappedLinesEqualWholeLineMeasuring_data()
{
    QTest::addColumn<int>("font");
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("charWrap");
    QTest::addColumn<bool>("fullJustified");
    QTest::addColumn<bool>("autoSize");
    QTest::newRow("arial, column") << 0 << 45000 << false << false << false;
    QTest::newRow("arial, page wide, justified") << 0 << 170000 << false << true << false;
    QTest::newRow("arial, narrow, char wrap") << 0 << 12000 << true << false << false;
    QTest::newRow("times bold, auto-size") << 1 << 60000 << false << false << true;
    QTest::newRow("times bold, char wrap") << 1 << 33333 << true << true << false;
    QTest::newRow("courier italic, narrow") << 2 << 9000 << false << false << false;
    QTest::newRow("small bold italic, wide") << 3 << 120000 << true << false << true;
}

void TextWrapPiecewiseTest::wrappedLinesEqualWholeLineMeasuring()
{
    QFETCH(int, font);
    QFETCH(int, width);
    QFETCH(bool, charWrap);
    QFETCH(bool, fullJustified);
    QFETCH(bool, autoSize);
    const TppFont chosen = Fonts().at(std::size_t(font));
    const TppTextAlignment alignment = fullJustified ? taFullJustified : taLeftJustified;
    const std::string text = VariedText(1200);

    // Page by page, each resuming where the last stopped, as a memo runs.
    const std::int32_t pageHeight = 80000;
    std::size_t position = 0;
    int pages = 0;
    int lines = 0;
    while (position < text.size() && pages < 2000) {
        const WrapOutcome piecewise = Wrap(m_canvas, text, position, chosen, width, pageHeight,
                                           charWrap, alignment, autoSize);
        const WrapOutcome whole = Wrap(m_wholeLine.get(), text, position, chosen, width,
                                       pageHeight, charWrap, alignment, autoSize);
        QCOMPARE(piecewise.availableWidth, whole.availableWidth);
        QCOMPARE(piecewise.lines, whole.lines);
        QCOMPARE(piecewise.position, whole.position);
        QCOMPARE(piecewise.widest, whole.widest);
        QVERIFY(piecewise.position > position);
        position = piecewise.position;
        lines += int(piecewise.lines.size());
        ++pages;
    }
    QVERIFY(position >= text.size());
    QVERIFY2(pages > 1 && lines > 40, qPrintable(QString::number(lines)));
}

void TextWrapPiecewiseTest::widthsAtTheEdgeGiveTheSameLines_data()
{
    QTest::addColumn<int>("font");
    QTest::addColumn<bool>("charWrap");
    QTest::newRow("arial") << 0 << false;
    QTest::newRow("times bold, char wrap") << 1 << true;
    QTest::newRow("courier italic") << 2 << false;
}

void TextWrapPiecewiseTest::widthsAtTheEdgeGiveTheSameLines()
{
    // Rectangles exactly as wide as a line of the text's first words, and a
    // thousandth narrower: where summing would go wrong first.
    QFETCH(int, font);
    QFETCH(bool, charWrap);
    const TppFont chosen = Fonts().at(std::size_t(font));
    const std::string text
        = "La muestra aleatoria simple es aquella en la que cada elemento de la población "
          "tiene la misma probabilidad de ser elegido: ¿cuántos? ¡sí! “comillas” — 1.234,56 € "
          "AVATAR office waffle Wolf iiii WWWW Ñandú año máximo confianza proporción esperada";
    TppTextMeasuring measuring(m_canvas);
    measuring.Canvas().SetFont(chosen);
    int edges = 0;
    for (std::size_t end = text.find(' '); end != std::string::npos; end = text.find(' ', end + 1)) {
        const std::int32_t edge = measuring.Width(std::string_view(text).substr(0, end), {});
        for (const std::int32_t width : {edge, edge - 1, edge + 1}) {
            const WrapOutcome piecewise = Wrap(m_canvas, text, 0, chosen, width, 200000,
                                               charWrap, taLeftJustified, false);
            const WrapOutcome whole = Wrap(m_wholeLine.get(), text, 0, chosen, width, 200000,
                                           charWrap, taLeftJustified, false);
            QCOMPARE(piecewise.lines, whole.lines);
            QCOMPARE(piecewise.position, whole.position);
            QCOMPARE(piecewise.widest, whole.widest);
        }
        ++edges;
    }
    QVERIFY(edges > 30);
}

QTEST_MAIN(TextWrapPiecewiseTest)
#include "text_wrap_piecewise_test.moc"
