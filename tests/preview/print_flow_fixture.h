#pragma once

// Prints a report through its real print dialog and cancel dialog: a driver
// that acts on the windows a print run opens, and a report of the engine
// tests whose pages print their own numbers.

#include "output/printer.h"
#include "preview/cancel_dialog.h"
#include "preview/print_dialog.h"
#include "tests/report/engine_fixture.h"

#include "../support/printed_output.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace print_flow {

using printed::TestQueue;

// Acts on the windows a print run opens, from a timer that ticks wherever
// events come in (the dialogs' modal loops, the job's entry point): the
// print dialog once, every new status line of the cancel dialog, and
// message boxes, which it reads and answers (Yes to a question unless told
// otherwise, OK to the others).
class WindowDriver
{
public:
    std::function<void(TppPrintDialog &)> onPrintDialog;
    std::function<void(TppCancelDialog &, const QString &)> onStatus;
    bool answerYes = true;

    QStringList statusTexts;
    QStringList messages;
    bool printDialogSeen = false;
    bool cancelDialogSeen = false;

    WindowDriver() { Poll(); }
    ~WindowDriver() { delete m_guard; }
    WindowDriver(const WindowDriver &) = delete;
    WindowDriver &operator=(const WindowDriver &) = delete;

private:
    void Poll()
    {
        // Armed first: a handler below may open a nested modal loop.
        QTimer::singleShot(0, m_guard, [this] { Poll(); });
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            messages << box->text();
            if (box->button(QMessageBox::Yes))
                box->button(answerYes ? QMessageBox::Yes : QMessageBox::No)->click();
            else
                box->accept();
        } else if (auto *dialog = qobject_cast<TppPrintDialog *>(modal); dialog && !printDialogSeen && dialog->isVisible()) {
            printDialogSeen = true;
            if (onPrintDialog)
                onPrintDialog(*dialog);
        }
        for (QWidget *window : QApplication::topLevelWidgets()) {
            auto *cancel = qobject_cast<TppCancelDialog *>(window);
            if (!cancel || !cancel->isVisible())
                continue;
            cancelDialogSeen = true;
            const QString text = cancel->findChild<QLabel *>(QStringLiteral("memMessage"))->text();
            if (!text.isEmpty() && (statusTexts.isEmpty() || statusTexts.last() != text)) {
                statusTexts << text;
                if (onStatus)
                    onStatus(*cancel, text);
            }
        }
    }

    QObject *m_guard = new QObject;
};

template <typename Control>
Control *Find(QWidget &dialog, const char *name)
{
    auto *control = dialog.findChild<Control *>(QString::fromLatin1(name));
    if (!control)
        qFatal("no control %s", name);
    return control;
}

// Shows the dialog modally, runs `whileOpen` once it is active, and closes
// it with Cancel unless `whileOpen` closed it.
inline TppModalResult RunModal(TppPrintDialog &dialog, const std::function<void()> &whileOpen)
{
    QTimer::singleShot(0, &dialog, [&] {
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        whileOpen();
        if (dialog.isVisible())
            dialog.reject();
    });
    return dialog.ShowModal();
}

inline void ClickOk(TppPrintDialog &dialog)
{
    QTest::mouseClick(Find<QPushButton>(dialog, "btnOK"), Qt::LeftButton);
}

// The report of the engine tests on a queue of this test, its header
// numbering its pages.
struct FlowReport {
    explicit FlowReport(const TestQueue &queue, int pages)
    {
        sheet.device.SetPublisher(nullptr);
        sheet.Pages(pages);
        TppReport &report = *sheet.report;
        report.PrinterSetup().SetPrinterName(queue.StdName());
        report.PrinterSetup().SetDocumentName("Report");
        report.SetDeviceType("Printer");
        report.OnStartPage = [this](TppCustomReport &self) {
            sheet.headerLabel->SetCaption("Page " + std::to_string(self.Engine().PageNo()));
        };
        report.BeforePrint = [this](TppCustomReport &) { events << QStringLiteral("BeforePrint"); };
        report.AfterPrint = [this](TppCustomReport &) { events << QStringLiteral("AfterPrint"); };
    }

    TppReport &Report() { return *sheet.report; }

    EngineReport sheet;
    QStringList events;
};

// Each printed page's header number, in document order.
inline QStringList PrintedPages(const QString &file)
{
    QStringList numbers;
    const QRegularExpression page(QStringLiteral("Page (\\d+)"));
    for (const QString &text : printed::PdfPageTexts(file))
        numbers << page.match(text).captured(1);
    return numbers;
}

} // namespace print_flow
