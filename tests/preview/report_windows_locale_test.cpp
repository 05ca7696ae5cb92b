// The report windows speak the user's language: in a Spanish locale the
// preview, the print dialog and the cancel dialog show the Spanish library
// texts, and their measured captions are laid out for them; in any other
// locale they show the English texts. Runs once in each (C and es_ES).

#include "preview_driver.h"

#include "app/results_sheet.h"
#include "output/printer_list.h"
#include "preview/cancel_dialog.h"
#include "preview/preview_registration.h"
#include "preview/print_dialog.h"
#include "preview/print_registration.h"
#include "report/report.h"

#include "../support/printed_output.h"

#include <QLocale>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>

#include <memory>

static void LoadResources()
{
    Q_INIT_RESOURCE(pictures);
    Q_INIT_RESOURCE(definitions);
}

namespace {

bool Spanish()
{
    return QLocale::system().language() == QLocale::Spanish;
}

QString Expected(const char *english, const char *spanish)
{
    return QString::fromUtf8(Spanish() ? spanish : english);
}

// Every print dialog, cancel dialog status and message box a print run
// opens, read from inside their modal loops; OK is pressed in the dialog.
struct PrintRunWatcher {
    QString dialogTitle, okCaption, pagesCaption, description;
    QRect descriptionBox;
    int descriptionLinesNeeded = 0;
    int descriptionLineHeight = 0;
    QString cancelTitle, cancelCaption;
    int cancelButtonWidth = 0;
    QStringList statusLines, messages;

    void Poll()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            messages << box->text();
            box->accept();
        } else if (auto *dialog = qobject_cast<TppPrintDialog *>(modal); dialog && dialog->isVisible()
                   && dialogTitle.isEmpty()) {
            ReadDialog(*dialog);
            dialog->findChild<QPushButton *>(QStringLiteral("btnOK"))->click();
        }
        for (QWidget *window : QApplication::topLevelWidgets()) {
            auto *cancel = qobject_cast<TppCancelDialog *>(window);
            if (!cancel || !cancel->isVisible())
                continue;
            cancelTitle = cancel->windowTitle();
            auto *button = cancel->findChild<QPushButton *>(QStringLiteral("btnCancel"));
            cancelCaption = button->text();
            cancelButtonWidth = button->width();
            const QString line = cancel->findChild<QLabel *>(QStringLiteral("memMessage"))->text();
            if (!line.isEmpty() && !statusLines.contains(line))
                statusLines << line;
        }
    }

    void ReadDialog(TppPrintDialog &dialog)
    {
        dialogTitle = dialog.windowTitle();
        okCaption = dialog.findChild<QPushButton *>(QStringLiteral("btnOK"))->text();
        pagesCaption = dialog.findChild<QRadioButton *>(QStringLiteral("rdbPages"))->text();
        auto *label = dialog.findChild<QLabel *>(QStringLiteral("lblPageRangeDescription"));
        description = label->text();
        descriptionBox = label->geometry();
        const QFontMetrics metrics(dialog.font());
        const QRect wrapped = metrics.boundingRect(QRect(0, 0, 217, 100000), Qt::TextWordWrap, description);
        descriptionLinesNeeded = (wrapped.height() + metrics.lineSpacing() - 1) / metrics.lineSpacing();
        descriptionLineHeight = QFontMetrics(label->font()).height();
    }
};

} // namespace

class ReportWindowsLocaleTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void previewSpeaksTheLocalesLanguage();
    void printingSpeaksTheLocalesLanguage();
};

void ReportWindowsLocaleTest::initTestCase()
{
    LoadResources();
}

void ReportWindowsLocaleTest::previewSpeaksTheLocalesLanguage()
{
    TppPreviewRegistration registration;
    std::unique_ptr<TppReport> sheet = CreateResultsSheet();
    QString title, status, closeCaption, printHint, zoomName;
    int closeWidth = 0, closeCaptionWidth = 0;
    const PreviewRun run = RunPreview(*sheet, [&](TppPrintPreview &window) {
        TppPreview &preview = PreviewOf(window);
        title = window.windowTitle();
        status = StatusOf(window);
        QToolButton *close = preview.CloseButton();
        closeCaption = close->text();
        closeWidth = close->width();
        closeCaptionWidth = QFontMetrics(window.font()).horizontalAdvance(closeCaption);
        printHint = preview.PrintButton()->toolTip();
        zoomName = preview.ZoomBox()->accessibleName();
    });
    QVERIFY(run.opened);
    QCOMPARE(title, Expected("Print Preview", "Vista preliminar"));
    QCOMPARE(status, Expected("Page 1 of 1", "Página 1 de 1"));
    QCOMPARE(closeCaption, Expected("Close", "Cerrar"));
    QCOMPARE(closeWidth, closeCaptionWidth + 30);
    QCOMPARE(printHint, Expected("Print", "Imprimir"));
    QCOMPARE(zoomName, QStringLiteral("Zoom"));
}

// A whole print run of the results sheet on the private server's PDF queue.
void ReportWindowsLocaleTest::printingSpeaksTheLocalesLanguage()
{
    if (!printed::PrintServerRunning() || !QPrinterInfo::availablePrinterNames().contains(QStringLiteral("ValdoraPDF")))
        QSKIP("needs the private print server of scripts/test-services.sh");
    TppPrinterList::Instance().Refresh();
    TppPrintRegistration registration;
    std::unique_ptr<TppReport> sheet = CreateResultsSheet();
    sheet->SetDeviceType("Printer");
    sheet->PrinterSetup().SetPrinterName("ValdoraPDF");
    sheet->PrinterSetup().SetDocumentName("Report");

    PrintRunWatcher watcher;
    QTimer poll;
    poll.setInterval(2);
    QObject::connect(&poll, &QTimer::timeout, [&] { watcher.Poll(); });
    poll.start();
    sheet->Print();
    poll.stop();

    QCOMPARE(watcher.messages, QStringList());
    QCOMPARE(watcher.dialogTitle, Expected("Print", "Imprimir"));
    QCOMPARE(watcher.okCaption, Expected("OK", "Aceptar"));
    QCOMPARE(watcher.pagesCaption, Expected("Pages", "Páginas"));
    QVERIFY(watcher.description.startsWith(Expected("Enter page numbers", "Escriba números de página")));
    // The description's box holds all of its lines in either language.
    QVERIFY(watcher.descriptionLinesNeeded >= 2);
    QVERIFY2(watcher.descriptionBox.height() >= watcher.descriptionLinesNeeded * watcher.descriptionLineHeight,
             qPrintable(QString::number(watcher.descriptionBox.height())));

    QCOMPARE(watcher.cancelTitle, Expected("Printing", "Imprimiendo"));
    QCOMPARE(watcher.cancelCaption, Expected("Cancel", "Cancelar"));
    QCOMPARE(watcher.cancelButtonWidth,
             QFontMetrics(QApplication::font()).horizontalAdvance(watcher.cancelCaption) + 30);
    QVERIFY(!watcher.statusLines.isEmpty());
    QCOMPARE(watcher.statusLines.last(),
             Expected("Printing page 1 for report Report on the ValdoraPDF",
                      "Imprimiendo la página 1 del informe Report en ValdoraPDF"));
}

QTEST_MAIN(ReportWindowsLocaleTest)
#include "report_windows_locale_test.moc"
