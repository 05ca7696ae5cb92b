// What assistive technology hears in the report windows: every control of
// the preview, the print dialog (with and without its file panel) and the
// cancel dialog has a name; the preview's tool bar buttons and boxes, the
// copies box and the check boxes whose caption stands beside them also say
// what they do.

#include "preview_driver.h"

#include "app/results_sheet.h"
#include "output/printer.h"
#include "output/printer_list.h"
#include "preview/cancel_dialog.h"
#include "preview/preview_registration.h"
#include "preview/print_dialog.h"
#include "preview/print_registration.h"
#include "report/label.h"
#include "report/report.h"
#include "preview/viewer.h"

#include "../support/accessible_tree.h"

#include <QCheckBox>
#include <QComboBox>

#include <memory>

static void LoadResources()
{
    Q_INIT_RESOURCE(pictures);
    Q_INIT_RESOURCE(definitions);
}

namespace {

QString DescriptionOf(QWidget *widget)
{
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Description);
}

} // namespace

class ReportWindowsAccessibleTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void previewControlsNamedAndDescribed();
    void printDialogControlsNamed_data();
    void printDialogControlsNamed();
    void printDialogListsSayTheirChoice();
    void printDialogListsNamedByTheirLabels_data();
    void printDialogListsNamedByTheirLabels();
    void previewReadsTheSheet();
    void cancelDialogNamed();
};

void ReportWindowsAccessibleTest::initTestCase()
{
    LoadResources();
    accessible::Activate();
    TppPrinterList::Instance().Refresh();
}

// The tool bar's buttons show glyphs only: each is read by its hint and
// says what it does, as do the zoom and page boxes.
void ReportWindowsAccessibleTest::previewControlsNamedAndDescribed()
{
    TppPreviewRegistration registration;
    std::unique_ptr<TppReport> sheet = CreateResultsSheet();
    QList<accessible::Control> controls;
    const PreviewRun run = RunPreview(*sheet, [&](TppPrintPreview &window) {
        controls = accessible::ReachableControls(window);
    });
    QVERIFY(run.opened);
    QVERIFY(controls.size() >= 10); // print, 3 zoom buttons, zoom box, 4 page buttons, page box, close
    for (const accessible::Control &control : controls) {
        QVERIFY2(!control.name.isEmpty(), qPrintable(control.id));
        QVERIFY2(!control.description.isEmpty(), qPrintable(control.id));
    }
}

void ReportWindowsAccessibleTest::printDialogControlsNamed_data()
{
    QTest::addColumn<bool>("filePanel");
    QTest::newRow("printer only") << false;
    QTest::newRow("with the file panel") << true;
}

void ReportWindowsAccessibleTest::printDialogControlsNamed()
{
    QFETCH(bool, filePanel);
    TppPrinter printer;
    printer.PrinterSetup().SetPrinterName("ValdoraPDF");
    TppPrintDialog dialog;
    dialog.SetPrinter(&printer);
    dialog.SetAllowPrintToFile(filePanel);
    dialog.SetLanguageIndex(0);
    dialog.Init();
    QStringList nameless;
    QStringList undescribed;
    QTimer::singleShot(0, &dialog, [&] {
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        nameless = accessible::NamelessControls(dialog);
        for (const char *name : {"edtCopies", "cbxCollate", "edtPageRange", "cbxPrintWhat", "cbxPrintToFile"}) {
            auto *control = dialog.findChild<QWidget *>(QString::fromLatin1(name));
            if (control && DescriptionOf(control).isEmpty())
                undescribed << QString::fromLatin1(name);
        }
        dialog.reject();
    });
    dialog.ShowModal();
    QCOMPARE(nameless, QStringList());
    QCOMPARE(undescribed, QStringList());
}

// A screen reader cannot read a closed list's choice here; the description
// carries it, ahead of the list's own description, and follows the choice.
void ReportWindowsAccessibleTest::printDialogListsSayTheirChoice()
{
    TppPrinter printer;
    printer.PrinterSetup().SetPrinterName("ValdoraPDF");
    TppPrintDialog dialog;
    dialog.SetPrinter(&printer);
    dialog.SetLanguageIndex(0);
    dialog.Init();
    QStringList printerDescriptions;
    QString whatDescription;
    QString whatChoice;
    QString whatOwn;
    QString whatOwnChoice;
    QTimer::singleShot(0, &dialog, [&] {
        auto *printers = dialog.findChild<QComboBox *>(QStringLiteral("cbxPrinters"));
        auto *what = dialog.findChild<QComboBox *>(QStringLiteral("cbxPrintWhat"));
        QVERIFY(printers && what);
        printerDescriptions << DescriptionOf(printers);
        printers->setCurrentIndex(printers->findText(QStringLiteral("ValdoraSecond")));
        printerDescriptions << DescriptionOf(printers);
        what->setCurrentIndex(1);
        whatDescription = DescriptionOf(what);
        whatChoice = what->currentText();
        // Named again in the other language: the choice is said once.
        dialog.SetLanguageIndex(1);
        whatOwn = DescriptionOf(what);
        whatOwnChoice = what->currentText();
        dialog.reject();
    });
    dialog.ShowModal();
    QCOMPARE(printerDescriptions, QStringList({QStringLiteral("ValdoraPDF"), QStringLiteral("ValdoraSecond")}));
    QVERIFY2(whatDescription.startsWith(whatChoice + QStringLiteral(". ")), qPrintable(whatDescription));
    QVERIFY(whatDescription.size() > whatChoice.size() + 10);
    QVERIFY2(whatOwn.startsWith(whatOwnChoice + QStringLiteral(". ")), qPrintable(whatOwn));
    QCOMPARE(whatOwn.count(whatOwnChoice), 1);
    QVERIFY(whatOwn != whatDescription);
}

void ReportWindowsAccessibleTest::printDialogListsNamedByTheirLabels_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("values");
    QTest::newRow("English") << 0 << QStringList{"Name", "Print", "Type"}
                             << QStringList{"Default", "All pages in range", "PDF File"};
    QTest::newRow("Spanish") << 1 << QStringList{"Nombre", "Imprimir", "Tipo"}
                             << QStringList{"Predeterminada", "Todas las páginas del intervalo", "Archivo PDF"};
}

// A list is spoken by the caption beside it, its choice as its value; the
// description still carries the choice.
void ReportWindowsAccessibleTest::printDialogListsNamedByTheirLabels()
{
    QFETCH(int, language);
    QFETCH(QStringList, names);
    QFETCH(QStringList, values);
    TppPrintRegistration fileDevices;
    TppPrinter printer;
    printer.PrinterSetup().SetPrinterName("Default");
    TppPrintDialog dialog;
    dialog.SetPrinter(&printer);
    dialog.SetAllowPrintToFile(true);
    dialog.SetLanguageIndex(language);
    dialog.Init();
    QStringList spokenNames;
    QStringList spokenValues;
    QStringList descriptions;
    QTimer::singleShot(0, &dialog, [&] {
        dialog.findChild<QCheckBox *>(QStringLiteral("cbxPrintToFile"))->click();
        for (const char *name : {"cbxPrinters", "cbxPrintWhat", "cbxPrintToFileTypes"}) {
            QAccessibleInterface *node = QAccessible::queryAccessibleInterface(dialog.findChild<QComboBox *>(QLatin1String(name)));
            QCOMPARE(node->role(), QAccessible::ComboBox);
            spokenNames << node->text(QAccessible::Name);
            spokenValues << node->text(QAccessible::Value);
            descriptions << node->text(QAccessible::Description);
            // The choices can still be walked.
            QCOMPARE(node->childCount(), 1);
            QVERIFY(node->child(0));
        }
        dialog.reject();
    });
    dialog.ShowModal();
    QCOMPARE(spokenNames, names);
    QCOMPARE(spokenValues, values);
    for (int i = 0; i < values.size(); ++i)
        QVERIFY2(descriptions[i].startsWith(values[i]), qPrintable(descriptions[i]));
}

// The page is a document whose text is the sheet's, in reading order; it
// has the focus as the preview opens, and the tool bar says it is one.
void ReportWindowsAccessibleTest::previewReadsTheSheet()
{
    TppPreviewRegistration registration;
    std::unique_ptr<TppReport> sheet = CreateResultsSheet();
    sheet->SetLanguageIndex(1);
    static_cast<TppLabel &>(SheetComponent(*sheet, "ppLabel1")).SetCaption("517");
    static_cast<TppLabel &>(SheetComponent(*sheet, "ppLabel2")).SetCaption("5");
    QString text;
    QString name;
    QString focused;
    QAccessible::Role pageRole = QAccessible::NoRole;
    QAccessible::Role toolBarRole = QAccessible::NoRole;
    QString toolBarName;
    const PreviewRun run = RunPreview(*sheet, [&](TppPrintPreview &window) {
        focused = window.focusWidget() ? window.focusWidget()->objectName() : QString();
        QAccessibleInterface *page = QAccessible::queryAccessibleInterface(window.findChild<TppViewer *>()->PageSurface());
        pageRole = page->role();
        name = page->text(QAccessible::Name);
        QAccessibleTextInterface *reader = page->textInterface();
        QVERIFY(reader);
        text = reader->text(0, reader->characterCount());
        QAccessibleInterface *toolBar = QAccessible::queryAccessibleInterface(window.findChild<QWidget *>(QStringLiteral("OuterToolPanel")));
        toolBarRole = toolBar->role();
        toolBarName = toolBar->text(QAccessible::Name);
    });
    QVERIFY(run.opened);
    QCOMPARE(focused, QStringLiteral("PageSurface"));
    QCOMPARE(pageRole, QAccessible::Document);
    QCOMPARE(name, QStringLiteral("Página 1"));
    // Read on, line after line, as a screen reader says it.
    QVERIFY2(text.simplified().contains(QStringLiteral("Tamaño de la Muestra 517 Los renglones")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("Error Máximo 5 %")), qPrintable(text));
    // Top to bottom: the sample size is read before the error.
    QVERIFY(text.indexOf(QStringLiteral("517")) < text.indexOf(QStringLiteral("Error")));
    QCOMPARE(toolBarRole, QAccessible::ToolBar);
    QCOMPARE(toolBarName, QStringLiteral("Barra de herramientas"));
}

void ReportWindowsAccessibleTest::cancelDialogNamed()
{
    TppCancelDialog dialog;
    dialog.SetLanguageIndex(0);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QVERIFY(!accessible::ReachableControls(dialog).isEmpty());
    QCOMPARE(accessible::NamelessControls(dialog), QStringList());
}

QTEST_MAIN(ReportWindowsAccessibleTest)
#include "report_windows_accessible_test.moc"
