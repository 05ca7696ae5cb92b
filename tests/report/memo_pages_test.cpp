#include "engine_fixture.h"

#include "report/memo.h"
#include "report/plain_text.h"

#include <QtTest>

#include <algorithm>
#include <string>

// A stretching memo through the real engine: its text runs over several
// pages, and a page generated again from the state cache resumes at the
// same place, showing the memo's current text.
class MemoPagesTest : public QObject {
    Q_OBJECT

private slots:
    void memoRunsOverPages();
    void pageGeneratedAgainResumesAtTheSamePlace();

private:
    struct Sheet {
        Sheet();
        TppStringList Lines(const TppPage &page) const;
        EngineReport r;
        TppMemo *memo = nullptr;
    };
};

namespace {

std::string Words(int count)
{
    static const char *words[] = {"muestra", "proporcion", "error", "confianza", "diseno",
                                  "respuesta", "poblacion", "tamano"};
    std::string text;
    for (int i = 0; i < count; ++i) {
        if (i)
            text += ' ';
        text += words[i % 8];
    }
    return text;
}

} // namespace

MemoPagesTest::Sheet::Sheet()
{
    r.header->SetmmHeight(20000);
    auto owned = std::make_unique<TppMemo>();
    owned->SetStretch(true);
    memo = static_cast<TppMemo *>(r.detail->AddObject(std::move(owned)));
    memo->SetBounds(0, 6000, 120000, 5000);
    TppFont font;
    font.SetName("Arial");
    font.SetSize(10);
    memo->SetFont(font);
    memo->Lines() = {Words(1200)};
}

TppStringList MemoPagesTest::Sheet::Lines(const TppPage &page) const
{
    for (int i = 0; i < page.DrawCommandCount(); ++i) {
        const auto *text = dynamic_cast<const TppDrawText *>(page.DrawCommands(i));
        if (text && text->IsMemo())
            return text->WrappedText();
    }
    return {};
}

void MemoPagesTest::memoRunsOverPages()
{
    Sheet sheet;
    QCOMPARE(sheet.r.detail->PrintHeight(), phDynamic);
    sheet.r.Request(MakeRequest(psAll));
    const auto &pages = sheet.r.device.pages;
    QVERIFY(pages.size() >= 3);
    QVERIFY(pages.back()->LastPage());

    TppStringList printed;
    for (const auto &page : pages) {
        const TppStringList lines = sheet.Lines(*page);
        QVERIFY(!lines.empty());
        printed.insert(printed.end(), lines.begin(), lines.end());
    }
    TppStringList whole;
    std::size_t position = 0;
    TppPlainText::WrapText(sheet.memo->Text(), {0, 0, 120000, 10000000}, whole, position,
                           sheet.r.report->MeasuringCanvas(), {}, 0, false, sheet.memo->Font(),
                           false, taLeftJustified);
    QCOMPARE(printed, whole);
    // The detail label printed with the band's first part only.
    QVERIFY(EngineReport::Texts(*pages[0]).contains(QStringLiteral("D@%1").arg(6350 + 20000 + 1000)));
    QVERIFY(!EngineReport::Texts(*pages[1]).join(' ').contains("D@"));
}

void MemoPagesTest::pageGeneratedAgainResumesAtTheSamePlace()
{
    Sheet sheet;
    sheet.r.Request(MakeRequest(psAll));
    const TppStringList page2 = sheet.Lines(*sheet.r.device.pages[1]);

    sheet.r.Request(MakeRequest(psSinglePage, 2));
    QCOMPARE(sheet.r.generated, QList<int>({2}));
    QCOMPARE(sheet.Lines(*sheet.r.device.Last()), page2);

    // The text edited in place (no change announced, words of the same
    // length): page 2 shows the new words from the same place.
    std::string &text = sheet.memo->Lines()[0];
    for (std::size_t at = text.find("muestra"); at != std::string::npos; at = text.find("muestra", at))
        text.replace(at, 7, "MUESTRA");
    sheet.r.Request(MakeRequest(psSinglePage, 2));
    QCOMPARE(sheet.r.generated, QList<int>({2}));
    TppStringList expected = page2;
    for (auto &line : expected) {
        for (std::size_t at = line.find("muestra"); at != std::string::npos; at = line.find("muestra", at))
            line.replace(at, 7, "MUESTRA");
    }
    QCOMPARE(sheet.Lines(*sheet.r.device.Last()), expected);
}

QTEST_MAIN(MemoPagesTest)
#include "memo_pages_test.moc"
