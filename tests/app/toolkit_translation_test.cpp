// The toolkit's own dialogs speak Spanish where the report windows do, and
// stay as shipped in any other locale.

#include "app/toolkit_translation.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>
#include <QtTest>

class ToolkitTranslationTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void followsTheReportWindowsLanguage_data();
    void followsTheReportWindowsLanguage();
};

void ToolkitTranslationTest::cleanup()
{
    for (QTranslator *translator : QCoreApplication::instance()->findChildren<QTranslator *>()) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
}

void ToolkitTranslationTest::followsTheReportWindowsLanguage_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("lookIn");
    QTest::newRow("Spanish, Spain") << QLocale(QLocale::Spanish, QLocale::Spain) << "Ver en:";
    QTest::newRow("Spanish, Mexico") << QLocale(QLocale::Spanish, QLocale::Mexico) << "Ver en:";
    QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany) << "Look in:";
    QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedStates) << "Look in:";
}

void ToolkitTranslationTest::followsTheReportWindowsLanguage()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, lookIn);
    InstallToolkitTranslation(*QCoreApplication::instance(), locale);
    QCOMPARE(QCoreApplication::translate("QFileDialog", "Look in:"), lookIn);
}

QTEST_MAIN(ToolkitTranslationTest)
#include "toolkit_translation_test.moc"
