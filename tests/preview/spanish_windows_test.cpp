// In a Spanish locale the report windows speak Spanish only: the print
// dialog with its file panel, every message box and question the file panel
// gives, the save dialog's filters, what a screen reader finds (hidden
// labels, names, descriptions) and the cancel dialog's status lines. Any
// text of the English library table that has a Spanish translation fails.
// The sheet's document name is in Spanish in the status line, the PDF's
// title and the print server's job; the PDF names the program that made it.

#include "app/results_sheet.h"
#include "app/toolkit_translation.h"
#include "assets/library_text_table.h"
#include "assets/library_texts.h"
#include "output/printer_list.h"
#include "preview/print_registration.h"
#include "report/label.h"
#include "report/report.h"
#include "tests/preview/print_flow_fixture.h"
#include "tests/support/kept_settings.h"

#include <QAccessible>
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <cstdlib>

static void LoadPictures()
{
    Q_INIT_RESOURCE(pictures);
}

namespace {

using print_flow::ClickOk;
using print_flow::Find;
using print_flow::WindowDriver;

QString WithoutMnemonic(QString text)
{
    return text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
}

// The English texts that a Spanish window must not show: those the Spanish
// table says otherwise. A text with placeholders is looked for by its
// literal parts long enough not to occur by chance.
QStringList EnglishFragments()
{
    QStringList fragments;
    const LibraryTextTable spanish = SpanishLibraryTexts();
    for (const LibraryTextRow &row : EnglishLibraryTexts()) {
        const char *translated = FindLibraryText(spanish, {}, row.number);
        if (!translated || QString::fromUtf8(translated) == QString::fromUtf8(row.text))
            continue;
        const QString english = WithoutMnemonic(QString::fromUtf8(row.text));
        const QStringList parts = english.split(QRegularExpression(QStringLiteral("<[A-Za-z]+>")));
        if (parts.size() == 1) {
            fragments << english;
            continue;
        }
        for (const QString &part : parts) {
            if (part.trimmed().size() >= 8)
                fragments << part.trimmed();
        }
    }
    return fragments;
}

// The English texts found in `texts`: a whole short text is compared whole
// ("Print", "Default"), a longer one looked for anywhere.
QStringList EnglishIn(const QStringList &texts)
{
    static const QStringList fragments = EnglishFragments();
    QStringList found;
    for (const QString &text : texts) {
        const QString shown = WithoutMnemonic(text).trimmed();
        for (const QString &fragment : fragments) {
            const bool whole = fragment.size() < 12;
            if (whole ? shown == fragment || shown == fragment + QLatin1Char(':') : shown.contains(fragment))
                found << QStringLiteral("\"%1\" (\"%2\")").arg(text, fragment);
        }
    }
    return found;
}

// Everything the window shows or a screen reader reads in it, shown or hidden.
QStringList WindowTexts(QWidget &window)
{
    QStringList texts{window.windowTitle()};
    for (QWidget *widget : window.findChildren<QWidget *>()) {
        if (auto *label = qobject_cast<QLabel *>(widget))
            texts << label->text();
        if (auto *button = qobject_cast<QAbstractButton *>(widget))
            texts << button->text();
        if (auto *box = qobject_cast<QComboBox *>(widget)) {
            for (int i = 0; i < box->count(); ++i)
                texts << box->itemText(i);
        }
        if (QAccessibleInterface *node = QAccessible::queryAccessibleInterface(widget)) {
            texts << node->text(QAccessible::Name) << node->text(QAccessible::Description)
                  << node->text(QAccessible::Value);
        }
    }
    texts.removeAll(QString());
    return texts;
}

std::unique_ptr<TppReport> SpanishSheet()
{
    auto sheet = CreateResultsSheet();
    static_cast<TppLabel &>(SheetComponent(*sheet, "ppLabel1")).SetCaption("517");
    sheet->PrinterSetup().SetPrinterName("Default");
    sheet->SetDeviceType("Printer");
    return sheet;
}

QString PdfInfoField(const QString &file, const QString &field)
{
    for (const QString &line : printed::PdfInfo(file).split(QLatin1Char('\n'))) {
        if (line.startsWith(field + QLatin1Char(':')))
            return line.mid(field.size() + 1).trimmed();
    }
    return {};
}

} // namespace

class SpanishWindowsTest : public QObject
{
    Q_OBJECT

private slots:
    // Each function starts with the windows of a first run, not the file
    // chosen by the one before.
    void init() { ForgetKeptSettings(); }
    void initTestCase();

    void englishTableIsRecognised();
    void printDialogAndSaveDialog();
    void filePanelMessages_data();
    void filePanelMessages();
    void writtenFileNamesTheSheetInSpanish();
    void printServerJobNamesTheSheetInSpanish();

private:
    TppPrintRegistration m_registration;
};

void SpanishWindowsTest::initTestCase()
{
    QCOMPARE(QLocale::system().language(), QLocale::Spanish);
    if (!printed::PrintServerRunning() || !QPrinterInfo::availablePrinterNames().contains(QStringLiteral("ValdoraPDF")))
        QSKIP("needs the private print server of scripts/test-services.sh");
    LoadPictures();
    QAccessible::setActive(true);
    TppPrinterList::Instance().Refresh();
}

// The check itself finds what the English windows show.
void SpanishWindowsTest::englishTableIsRecognised()
{
    const QStringList english{QStringLiteral("Default"), QStringLiteral("PDF File"), QStringLiteral("&Name:"),
                              QStringLiteral("The folder \"/x\" does not exist."),
                              QStringLiteral("There are no printers connected to your computer.")};
    for (const QString &text : english)
        QVERIFY2(!EnglishIn({text}).isEmpty(), qPrintable(text));
    QCOMPARE(EnglishIn({QStringLiteral("Predeterminada"), QStringLiteral("Archivo PDF"), QStringLiteral("ValdoraPDF"),
                        QStringLiteral("100 %")}),
             QStringList());
}

void SpanishWindowsTest::printDialogAndSaveDialog()
{
    QTemporaryDir folder;
    auto sheet = SpanishSheet();
    QStringList dialogTexts;
    QStringList saveTexts;
    QString printerShown;
    WindowDriver driver;
    driver.onPrintDialog = [&](TppPrintDialog &dialog) {
        printerShown = Find<QComboBox>(dialog, "cbxPrinters")->currentText();
        dialogTexts = WindowTexts(dialog);
        Find<QCheckBox>(dialog, "cbxPrintToFile")->click();
        dialogTexts += WindowTexts(dialog);
        Find<QLineEdit>(dialog, "edtPrintToFileName")->setText(folder.filePath(QStringLiteral("hoja")));
        QTimer::singleShot(0, &dialog, [&] {
            auto *files = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            QVERIFY(files);
            saveTexts = WindowTexts(*files) + files->nameFilters();
            files->reject();
        });
        Find<QToolButton>(dialog, "spbPrintToFile")->click();
        QTest::mouseClick(Find<QPushButton>(dialog, "btnCancel"), Qt::LeftButton);
    };
    sheet->Print();
    QVERIFY(driver.printDialogSeen);
    QCOMPARE(printerShown, QStringLiteral("Predeterminada"));
    QVERIFY2(dialogTexts.contains(QStringLiteral("No hay ninguna impresora conectada a este equipo.")),
             qPrintable(dialogTexts.join(QLatin1Char('|'))));
    QVERIFY2(saveTexts.contains(QStringLiteral("Archivos PDF (*.pdf)")), qPrintable(saveTexts.join(QLatin1Char('|'))));
    QVERIFY(saveTexts.contains(QStringLiteral("Todos los archivos (*)")));
    QCOMPARE(EnglishIn(dialogTexts), QStringList());
    QCOMPARE(EnglishIn(saveTexts), QStringList());
    QCOMPARE(driver.messages, QStringList());
}

void SpanishWindowsTest::filePanelMessages_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");

    QTest::newRow("no name") << "" << "Indique el nombre del archivo antes de continuar.";
    QTest::newRow("folder missing") << "<dir>/falta/hoja.pdf" << "La carpeta \"<dir>/falta\" no existe.";
    QTest::newRow("a folder as the file") << "<dir>/sub.pdf" << "\"<dir>/sub.pdf\" es una carpeta, no un archivo.";
    QTest::newRow("folder that takes no files") << "/proc/hoja.pdf" << "No se puede escribir en la carpeta \"/proc\".";
    QTest::newRow("existing file") << "<dir>/antes.pdf"
                                   << "El archivo \"<dir>/antes.pdf\" ya existe. ¿Desea reemplazarlo?";
}

void SpanishWindowsTest::filePanelMessages()
{
    QFETCH(QString, name);
    QFETCH(QString, message);
    QTemporaryDir folder;
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("sub.pdf")));
    QFile earlier(folder.filePath(QStringLiteral("antes.pdf")));
    QVERIFY(earlier.open(QIODevice::WriteOnly));
    earlier.close();
    name.replace(QStringLiteral("<dir>"), folder.path());
    message.replace(QStringLiteral("<dir>"), folder.path());

    auto sheet = SpanishSheet();
    WindowDriver driver;
    driver.answerYes = false;
    driver.onPrintDialog = [&](TppPrintDialog &dialog) {
        Find<QCheckBox>(dialog, "cbxPrintToFile")->click();
        Find<QLineEdit>(dialog, "edtPrintToFileName")->setText(name);
        ClickOk(dialog);
        QTest::qWait(50);
        QTest::mouseClick(Find<QPushButton>(dialog, "btnCancel"), Qt::LeftButton);
    };
    sheet->Print();
    QCOMPARE(driver.messages, QStringList{message});
    QCOMPARE(EnglishIn(driver.messages), QStringList());
}

// Printed into a file: the cancel dialog names the sheet, and so do the
// PDF's title and creator.
void SpanishWindowsTest::writtenFileNamesTheSheetInSpanish()
{
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("hoja.pdf"));
    auto sheet = SpanishSheet();
    WindowDriver driver;
    driver.onPrintDialog = [&](TppPrintDialog &dialog) {
        Find<QCheckBox>(dialog, "cbxPrintToFile")->click();
        Find<QLineEdit>(dialog, "edtPrintToFileName")->setText(file);
        ClickOk(dialog);
    };
    sheet->Print();
    QCOMPARE(driver.messages, QStringList());
    QVERIFY(!driver.statusTexts.isEmpty());
    QCOMPARE(driver.statusTexts.last(), QStringLiteral("Imprimiendo la página 1 del informe Tamaño de muestra en hoja.pdf"));
    QCOMPARE(EnglishIn(driver.statusTexts), QStringList());
    QCOMPARE(PdfInfoField(file, QStringLiteral("Title")), QStringLiteral("Tamaño de muestra"));
    QCOMPARE(PdfInfoField(file, QStringLiteral("Creator")), QStringLiteral("VALDORA 1.0"));
}

void SpanishWindowsTest::printServerJobNamesTheSheetInSpanish()
{
    printed::TestQueue queue(QStringLiteral("ValdoraSpanishJob"));
    QVERIFY(queue.Created());
    TppPrinterList::Instance().Refresh();
    auto sheet = SpanishSheet();
    sheet->PrinterSetup().SetPrinterName(queue.StdName());
    WindowDriver driver;
    driver.onPrintDialog = [](TppPrintDialog &dialog) { ClickOk(dialog); };
    sheet->Print();
    QCOMPARE(driver.messages, QStringList());
    QVERIFY(queue.WaitForOutput());
    const int job = queue.NewestJob();
    QVERIFY(job > 0);
    cups_job_t *jobs = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, qPrintable(queue.Name()), 0, CUPS_WHICHJOBS_ALL);
    QString title;
    for (int i = 0; i < count; ++i) {
        if (jobs[i].id == job)
            title = QString::fromUtf8(jobs[i].title);
    }
    cupsFreeJobs(count, jobs);
    QCOMPARE(title, QStringLiteral("Tamaño de muestra"));
    QVERIFY(!driver.statusTexts.isEmpty());
    QVERIFY2(driver.statusTexts.last().contains(QStringLiteral("del informe Tamaño de muestra en")),
             qPrintable(driver.statusTexts.last()));
}

int main(int argc, char *argv[])
{
    // The windows follow the user's locale, read as the program starts.
    qputenv("LC_ALL", "es_ES.UTF-8");
    qputenv("LANG", "es_ES.UTF-8");
    QApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("VALDORA"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.0"));
    InstallToolkitTranslation(application, QLocale::system());
    SpanishWindowsTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "spanish_windows_test.moc"
