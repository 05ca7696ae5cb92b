#include "output/printer_setup.h"

#include <QtTest>

// A new setup's paper follows the user's decimal separator: Letter where it
// is a point, A4 where it is a comma. Registered once per locale.
class PrinterSetupLocaleTest : public QObject
{
    Q_OBJECT

private slots:
    void defaultPaper();
};

void PrinterSetupLocaleTest::defaultPaper()
{
    const bool comma = qgetenv("LC_ALL").startsWith("es_");
    const TppPrinterSetup setup;
    const TppPageDef &page = setup.PageDef();
    QCOMPARE(page.mmWidth, comma ? 210000 : 215900);
    QCOMPARE(page.mmHeight, comma ? 297000 : 279401);
    QCOMPARE(page.mmMarginLeft, 6350);
    QCOMPARE(page.mmMarginTop, 6350);
    QCOMPARE(page.mmMarginRight, 6350);
    QCOMPARE(page.mmMarginBottom, 6350);
    QCOMPARE(setup.Orientation(), poPortrait);
    QCOMPARE(setup.PrinterName(), std::string("Default"));
    QCOMPARE(setup.Units(), utInches);
}

QTEST_GUILESS_MAIN(PrinterSetupLocaleTest)
#include "printer_setup_locale_test.moc"
