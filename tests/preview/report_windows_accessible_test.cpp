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
#include "report/report.h"

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
