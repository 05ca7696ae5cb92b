#include "band_fixture.h"

#include "output/draw_text.h"
#include "report/generation_state.h"
#include "report/label.h"
#include "report/memo.h"

#include <QtTest>

#include <string>

// Memos on the PDF test queue's resolution: fixed boxes that cut their text,
// stretching memos that grow and continue on the next pages, their limits
// and offsets, keeping together, and the state a page saves for them.
class MemoTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void fixedMemoPrintsWhatFits();
    void trailingLineBreakAddsNoLine();
    void drawCommandFields();
    void stretchingMemoContinuesAcrossPages_data();
    void stretchingMemoContinuesAcrossPages();
    void stopPositionBoundsTheMemo();
    void bottomOffsetKeepsSpaceBelow();
    void overFlowOffsetOnTheContinuationPage();
    void keepTogetherMovesTheMemoWhole_data();
    void keepTogetherMovesTheMemoWhole();
    void memoBelowItsLimitIsOutOfSpace();
    void savedStateRegeneratesTheSamePage();
    void regeneratedPageShowsCurrentLines();

private:
    // All lines of `text` wrapped at once into one tall rectangle.
    TppStringList WrapWhole(const std::string &text, std::int32_t width) const;
    std::int32_t LineHeight() const;

    std::unique_ptr<LetterReport> m_probe;
};

namespace {

std::string Words(int count)
{
    static const char *words[] = {"muestra", "proporción", "error", "confianza", "diseño",
                                  "respuesta", "población", "tamaño"};
    std::string text;
    for (int i = 0; i < count; ++i) {
        if (i)
            text += ' ';
        text += words[i % 8];
        text += std::to_string(i);
    }
    return text;
}

const TppDrawText *MemoCommand(const TppPage &page)
{
    for (int i = 0; i < page.DrawCommandCount(); ++i) {
        auto *text = dynamic_cast<const TppDrawText *>(page.DrawCommands(i));
        if (text && text->IsMemo())
            return text;
    }
    return nullptr;
}

} // namespace

void MemoTest::initTestCase()
{
    m_probe = std::make_unique<LetterReport>();
    QVERIFY(m_probe->context.canvas);
    QVERIFY(LineHeight() > 3000);
}

TppStringList MemoTest::WrapWhole(const std::string &text, std::int32_t width) const
{
    TppStringList lines;
    std::size_t position = 0;
    TppPlainText::WrapText(text, {0, 0, width, 10000000}, lines, position, m_probe->context.canvas,
                           {}, 0, false, Arial10(), false, taLeftJustified);
    return lines;
}

std::int32_t MemoTest::LineHeight() const
{
    std::int32_t lineHeight = 0;
    TppPlainText::LineHeightAndCount(Arial10(), 0, m_probe->context.canvas, 100000, lineHeight);
    return lineHeight;
}

void MemoTest::fixedMemoPrintsWhatFits()
{
    LetterReport sheet;
    auto &band = sheet.Add<TppHeaderBand>();
    band.SetmmHeight(100000);
    auto &memo = sheet.Place<TppMemo>(band, 1000, 2000, 40000, 3 * LineHeight() + 500);
    memo.SetFont(Arial10());
    memo.Lines() = {"uno", "dos", "tres", "cuatro", "cinco"};
    sheet.ResetAll();
    band.Generate(sheet.context);

    const TppDrawText *command = MemoCommand(*sheet.context.page);
    QVERIFY(command);
    QCOMPARE(command->WrappedText(), (TppStringList{"uno", "dos", "tres"}));
    QCOMPARE(command->Height(), memo.mmHeight());
    QCOMPARE(memo.SpaceUsed(), memo.mmHeight());
    QVERIFY(!memo.OverFlow());
    QCOMPARE(sheet.context.printTop, 6350 + 100000);
}

void MemoTest::trailingLineBreakAddsNoLine()
{
    LetterReport sheet;
    auto &band = sheet.Add<TppHeaderBand>();
    band.SetmmHeight(100000);
    auto &memo = sheet.Place<TppMemo>(band, 0, 0, 40000, 50000);
    memo.SetFont(Arial10());
    memo.Lines() = {"una", "", "dos"};
    sheet.ResetAll();
    band.Generate(sheet.context);
    QCOMPARE(MemoCommand(*sheet.context.page)->WrappedText(), (TppStringList{"una", "", "dos"}));
}

void MemoTest::drawCommandFields()
{
    LetterReport sheet;
    auto &band = sheet.Add<TppHeaderBand>();
    band.SetmmHeight(100000);
    auto &memo = sheet.Place<TppMemo>(band, 1000, 2000, 40000, 30000);
    memo.SetFont(Arial10());
    memo.Lines() = {"a\tb"};
    memo.SetTabStops({"10000", "20000"});
    memo.SetmmLeading(500);
    memo.SetTextAlignment(taFullJustified);
    memo.SetForceJustifyLastLine(true);
    memo.SetTransparent(true);
    memo.SetCaption("Nota");
    sheet.ResetAll();
    band.Generate(sheet.context);

    const TppDrawText &command = *MemoCommand(*sheet.context.page);
    QCOMPARE(command.Left(), 7350);
    QCOMPARE(command.Top(), 8350);
    QCOMPARE(command.Width(), 40000);
    QCOMPARE(command.Height(), 30000);
    QVERIFY(command.IsMemo());
    QVERIFY(command.WordWrap());
    QCOMPARE(command.WrappedText().size(), std::size_t(1));
    QVERIFY(command.WrappedText()[0].ends_with("$\xC2\xB6") || command.WrappedText()[0].ends_with("$\xB6"));
    QCOMPARE(command.TabStopPositions(), (TppStringList{"10000", "20000"}));
    QCOMPARE(command.Leading(), 500);
    QCOMPARE(command.TextAlignment(), taFullJustified);
    QCOMPARE(command.Alignment(), taLeftJustify);
    QVERIFY(command.ForceJustifyLastLine());
    QVERIFY(command.Transparent());
    QCOMPARE(command.DataType(), dtMemo);
    QVERIFY(command.Text().empty());
    QVERIFY(!command.AutoSize());
}

void MemoTest::stretchingMemoContinuesAcrossPages_data()
{
    QTest::addColumn<int>("words");
    QTest::addColumn<std::int32_t>("startTop");
    QTest::addColumn<int>("pages");

    QTest::newRow("fits on the page") << 60 << 6350 << 1;
    QTest::newRow("two pages") << 400 << 150000 << 2;
    QTest::newRow("three pages") << 700 << 6350 << 3;
}

void MemoTest::stretchingMemoContinuesAcrossPages()
{
    QFETCH(int, words);
    QFETCH(std::int32_t, startTop);
    QFETCH(int, pages);

    LetterReport sheet;
    auto &band = sheet.Add<TppDetailBand>();
    auto &memo = sheet.Place<TppMemo>(band, 0, 1000, 100000, 5000);
    memo.SetFont(Arial10());
    memo.SetStretch(true);
    band.SetPrintHeight(phDynamic);
    memo.Lines() = {Words(words)};
    sheet.ResetAll();
    sheet.context.printTop = startTop;

    TppStringList printed;
    int generatedPages = 0;
    for (int page = 1; page <= 5; ++page) {
        band.Generate(sheet.context);
        ++generatedPages;
        const TppDrawText *command = MemoCommand(*sheet.context.page);
        QVERIFY(command);
        printed.insert(printed.end(), command->WrappedText().begin(), command->WrappedText().end());
        const auto lines = std::int32_t(command->WrappedText().size());
        QCOMPARE(command->Height(), lines * LineHeight());
        QVERIFY(command->Top() + command->Height() <= sheet.context.pageBottom);
        if (!band.Continuing())
            break;
        QVERIFY(band.OutOfSpace());
        QVERIFY(memo.OverFlow());
        sheet.NextPage();
    }
    QCOMPARE(generatedPages, pages);
    QVERIFY(sheet.context.reportComplete);
    QCOMPARE(memo.ContinuationPosition(), std::size_t(0));
    // Page by page, the lines are those of the whole text wrapped at once.
    QCOMPARE(printed, WrapWhole(memo.Text(), 100000));
}

void MemoTest::stopPositionBoundsTheMemo()
{
    LetterReport sheet;
    auto &band = sheet.Add<TppDetailBand>();
    auto &memo = sheet.Place<TppMemo>(band, 0, 0, 100000, 5000);
    memo.SetFont(Arial10());
    memo.SetStretch(true);
    band.SetPrintHeight(phDynamic);
    memo.SetmmStopPosition(60000);
    memo.Lines() = {Words(400)};
    sheet.ResetAll();
    band.Generate(sheet.context);

    const TppDrawText &command = *MemoCommand(*sheet.context.page);
    QVERIFY(command.Top() + command.Height() <= 60000);
    QVERIFY(command.Top() + command.Height() > 60000 - LineHeight());
    QVERIFY(memo.OverFlow());

    // On the next page it starts at its place again, not at the overflow offset.
    sheet.NextPage();
    band.Generate(sheet.context);
    QCOMPARE(MemoCommand(*sheet.context.page)->Top(), 6350);
}

void MemoTest::bottomOffsetKeepsSpaceBelow()
{
    LetterReport sheet;
    auto &band = sheet.Add<TppDetailBand>();
    auto &memo = sheet.Place<TppMemo>(band, 0, 1000, 100000, 5000);
    memo.SetFont(Arial10());
    memo.SetStretch(true);
    band.SetPrintHeight(phDynamic);
    memo.SetmmBottomOffset(4000);
    memo.Lines() = {"uno", "dos"};
    sheet.ResetAll();
    band.Generate(sheet.context);

    QCOMPARE(MemoCommand(*sheet.context.page)->Height(), 2 * LineHeight());
    QCOMPARE(memo.SpaceUsed(), 2 * LineHeight() + 4000);
    QCOMPARE(band.HeightUsed(), 1000 + 2 * LineHeight() + 4000);

    // The offset is also kept free above the page bottom.
    memo.Lines() = {Words(2000)};
    sheet.ResetAll();
    band.Generate(sheet.context);
    const TppDrawText &command = *MemoCommand(*sheet.context.page);
    QVERIFY(command.Top() + command.Height() <= sheet.context.pageBottom - 4000);
}

void MemoTest::overFlowOffsetOnTheContinuationPage()
{
    LetterReport sheet;
    auto &band = sheet.Add<TppDetailBand>();
    auto &memo = sheet.Place<TppMemo>(band, 0, 20000, 100000, 5000);
    memo.SetFont(Arial10());
    memo.SetStretch(true);
    band.SetPrintHeight(phDynamic);
    memo.SetmmOverFlowOffset(7000);
    memo.Lines() = {Words(1500)};
    sheet.ResetAll();
    band.Generate(sheet.context);
    QCOMPARE(MemoCommand(*sheet.context.page)->Top(), 6350 + 20000);
    sheet.NextPage();
    band.Generate(sheet.context);
    QCOMPARE(MemoCommand(*sheet.context.page)->Top(), 6350 + 7000);
}

void MemoTest::keepTogetherMovesTheMemoWhole_data()
{
    QTest::addColumn<bool>("holdsBody");
    QTest::addColumn<bool>("keepTogether");
    QTest::addColumn<bool>("moved");

    QTest::newRow("after a body band") << true << true << true;
    QTest::newRow("first on the page") << false << true << false;
    QTest::newRow("without keep together") << true << false << false;
}

void MemoTest::keepTogetherMovesTheMemoWhole()
{
    QFETCH(bool, holdsBody);
    QFETCH(bool, keepTogether);
    QFETCH(bool, moved);

    LetterReport sheet;
    auto &band = sheet.Add<TppDetailBand>();
    auto &memo = sheet.Place<TppMemo>(band, 0, 0, 100000, 5000);
    memo.SetFont(Arial10());
    memo.SetStretch(true);
    band.SetPrintHeight(phDynamic);
    memo.SetKeepTogether(keepTogether);
    memo.Lines() = {Words(150)};
    sheet.ResetAll();
    sheet.context.holdsBody = holdsBody;
    sheet.context.printTop = sheet.context.pageBottom - 5 * LineHeight();
    band.Generate(sheet.context);

    QVERIFY(band.Continuing());
    const TppDrawText *first = MemoCommand(*sheet.context.page);
    QVERIFY(first);
    const std::size_t firstLines = first->WrappedText().size();
    QCOMPARE(firstLines == 0, moved);
    QCOMPARE(memo.KeptForNextPage(), moved);

    sheet.NextPage();
    band.Generate(sheet.context);
    const TppDrawText *second = MemoCommand(*sheet.context.page);
    const TppStringList whole = WrapWhole(memo.Text(), 100000);
    if (moved)
        QCOMPARE(second->WrappedText(), whole);
    else
        QCOMPARE(second->WrappedText().size(), whole.size() - firstLines);
    QVERIFY(!band.Continuing());
}

void MemoTest::memoBelowItsLimitIsOutOfSpace()
{
    LetterReport sheet;
    auto &band = sheet.Add<TppDetailBand>();
    auto &memo = sheet.Place<TppMemo>(band, 0, 30000, 100000, 5000);
    memo.SetFont(Arial10());
    memo.SetStretch(true);
    band.SetPrintHeight(phDynamic);
    memo.Lines() = {"uno"};
    sheet.ResetAll();
    sheet.context.printTop = sheet.context.pageBottom - 20000;
    band.Generate(sheet.context);
    QVERIFY(band.OutOfSpace());
    QVERIFY(!band.Continuing());
    QCOMPARE(sheet.context.page->DrawCommandCount(), 0);
    sheet.NextPage();
    band.Generate(sheet.context);
    QCOMPARE(MemoCommand(*sheet.context.page)->Top(), 6350 + 30000);
}

void MemoTest::savedStateRegeneratesTheSamePage()
{
    LetterReport sheet;
    auto &band = sheet.Add<TppDetailBand>();
    auto &memo = sheet.Place<TppMemo>(band, 0, 0, 100000, 5000);
    memo.SetFont(Arial10());
    memo.SetStretch(true);
    band.SetPrintHeight(phDynamic);
    memo.Lines() = {Words(1800)};
    sheet.ResetAll();
    band.Generate(sheet.context);
    const std::unique_ptr<TppGenerationState> afterPage1 = band.SaveState();
    QVERIFY(afterPage1->Equals(*band.SaveState()));

    sheet.NextPage();
    band.Generate(sheet.context);
    const TppStringList page2 = MemoCommand(*sheet.context.page)->WrappedText();
    QVERIFY(!afterPage1->Equals(*band.SaveState()));
    sheet.NextPage();
    band.Generate(sheet.context);

    band.RestoreState(*afterPage1);
    sheet.context.pageNo = 2;
    sheet.StartPage();
    band.Generate(sheet.context);
    QCOMPARE(MemoCommand(*sheet.context.page)->WrappedText(), page2);
}

void MemoTest::regeneratedPageShowsCurrentLines()
{
    LetterReport sheet;
    auto &band = sheet.Add<TppHeaderBand>();
    band.SetmmHeight(50000);
    auto &memo = sheet.Place<TppMemo>(band, 0, 0, 100000, 40000);
    auto &label = sheet.Place<TppLabel>(band, 0, 45000, 100000, 4000);
    memo.Lines() = {"antes"};
    label.SetCaption("antes");
    sheet.ResetAll();
    const std::unique_ptr<TppGenerationState> start = band.SaveState();
    band.Generate(sheet.context);

    memo.Lines() = {"después"};
    label.SetCaption("después");
    band.RestoreState(*start);
    sheet.StartPage();
    band.Generate(sheet.context);
    QCOMPARE(MemoCommand(*sheet.context.page)->WrappedText(), TppStringList{"después"});
    QCOMPARE(static_cast<TppDrawText *>(sheet.context.page->DrawCommands(1))->Text(), std::string("después"));
}

QTEST_MAIN(MemoTest)
#include "memo_test.moc"
