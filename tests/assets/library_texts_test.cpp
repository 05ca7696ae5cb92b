// The library texts in their two languages: every Spanish text fills the
// same placeholders in the same order as its English one and keeps its
// mnemonic, a text the Spanish table lacks comes in English, and the locale's
// language chooses the table.

#include "assets/library_text_table.h"
#include "assets/library_texts.h"

#include <QRegularExpression>
#include <QtTest>

namespace {

QStringList Placeholders(const QString &text)
{
    QStringList found;
    static const QRegularExpression placeholder(QStringLiteral("<[A-Za-z]+>"));
    for (auto it = placeholder.globalMatch(text); it.hasNext();)
        found << it.next().captured();
    return found;
}

// Marked letters: "&" before anything but another "&".
int Mnemonics(const QString &text)
{
    return int(text.count(QRegularExpression(QStringLiteral("&(?!&)"))));
}

} // namespace

class LibraryTextsTest : public QObject {
    Q_OBJECT

private slots:
    void spanishKeepsPlaceholdersAndMnemonics();
    void spanishLacksNoTextTheWindowsShow();
    void missingTextsFallBackToEnglish();
    void placeholdersFilledInEachLanguage();
    void languageFromLocale_data();
    void languageFromLocale();
};

void LibraryTextsTest::spanishKeepsPlaceholdersAndMnemonics()
{
    for (const LibraryTextRow &row : SpanishLibraryTexts()) {
        const QString english = QString::fromStdString(LibraryTextEntry(row.number, liEnglish));
        const QString spanish = QString::fromUtf8(row.text);
        QVERIFY2(!english.isEmpty(), qPrintable(QString::number(row.number) + " has no English text"));
        QCOMPARE(Placeholders(spanish), Placeholders(english));
        QCOMPARE(Mnemonics(spanish), Mnemonics(english));
    }
}

// Every text the preview, the print dialog and the cancel dialog show today
// has its Spanish wording.
void LibraryTextsTest::spanishLacksNoTextTheWindowsShow()
{
    for (const LibraryTextRow &row : EnglishLibraryTexts()) {
        if (row.number > kLibraryTextBase + ltSpecifyFileName)
            continue; // newer texts may wait for their wording, shown in English meanwhile
        const std::string spanish = LibraryTextEntry(row.number, liSpanish);
        QVERIFY2(spanish != row.text || spanish == "100 %" || spanish == "Zoom",
                 qPrintable(QString::number(row.number) + " lacks its Spanish text"));
    }
}

void LibraryTextsTest::missingTextsFallBackToEnglish()
{
    // A table that lacks a text the English one has.
    constexpr LibraryTextRow english[]{{43001, "One"}, {43002, "Two"}, {43003, "Three"}};
    constexpr LibraryTextRow partial[]{{43002, "Dos"}};
    QCOMPARE(FindLibraryText(partial, english, 43002), "Dos");
    QCOMPARE(FindLibraryText(partial, english, 43001), "One");
    QCOMPARE(FindLibraryText(partial, english, 43003), "Three");
    QCOMPARE(FindLibraryText(partial, english, 43004), nullptr);

    // A language without a table speaks English; a number no table has is empty.
    QCOMPARE(LibraryText(ltPage, 7), std::string("Page"));
    QCOMPARE(LibraryText(ltPage, -1), std::string("Page"));
    QCOMPARE(LibraryText(ltPage, liSpanish), std::string("Página"));
    QCOMPARE(LibraryText(9999, liSpanish), std::string());
}

void LibraryTextsTest::placeholdersFilledInEachLanguage()
{
    QCOMPARE(FormatLibraryText(ltPrintingPageOf, liEnglish, {"1", "2", "Report", "PDF"}),
             std::string("Printing page 1 of 2 for report Report on the PDF"));
    QCOMPARE(FormatLibraryText(ltPrintingPageOf, liSpanish, {"1", "2", "Report", "PDF"}),
             std::string("Imprimiendo la página 1 de 2 del informe Report en PDF"));
    QCOMPARE(FormatLibraryText(ltCalculatingPage, liSpanish, {"3", "<page>"}),
             std::string("Calculando la página 3 del informe <page>"));
}

void LibraryTextsTest::languageFromLocale_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("language");
    QTest::newRow("Spanish") << "es" << int(liSpanish);
    QTest::newRow("English") << "en" << int(liEnglish);
    QTest::newRow("C locale") << "" << int(liEnglish);
    QTest::newRow("Portuguese") << "pt" << int(liEnglish);
    QTest::newRow("Asturian") << "ast" << int(liEnglish);
}

void LibraryTextsTest::languageFromLocale()
{
    QFETCH(QString, code);
    QFETCH(int, language);
    QCOMPARE(int(LanguageIndexFor(code.toStdString())), language);
}

QTEST_APPLESS_MAIN(LibraryTextsTest)
#include "library_texts_test.moc"
