#include "preview/cancel_dialog.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

// The cancel dialog with its real window, activation and timer.

namespace {

QLabel *Message(QWidget &dialog)
{
    return dialog.findChild<QLabel *>(QStringLiteral("memMessage"));
}

QPushButton *CancelButton(QWidget &dialog)
{
    return dialog.findChild<QPushButton *>(QStringLiteral("btnCancel"));
}

} // namespace

class CancelDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void layoutAndTexts();
    void producesOnceAndClosesByItself();
    void cancelButtonAndEscape_data();
    void cancelButtonAndEscape();
    void buttonFollowsAllowCancel();
    void nonModalGivesBackTheDisabledWindow();
};

void CancelDialogTest::layoutAndTexts()
{
    TppCancelDialog dialog;
    QCOMPARE(dialog.size(), QSize(270, 133));
    QCOMPARE(Message(dialog)->geometry(), QRect(42, 14, 187, 75));
    QCOMPARE(Message(dialog)->text(), QString());
    QVERIFY(Message(dialog)->alignment() & Qt::AlignHCenter);
    QCOMPARE(dialog.cursor().shape(), Qt::WaitCursor);
    QVERIFY(dialog.font().bold());
    QVERIFY(!Message(dialog)->font().bold());

    dialog.SetLanguageIndex(0);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Printing"));
    QPushButton *button = CancelButton(dialog);
    QCOMPARE(button->text(), QStringLiteral("Cancel"));
    const int width = QFontMetrics(QApplication::font()).horizontalAdvance(QStringLiteral("Cancel")) + 30;
    QCOMPARE(button->geometry(), QRect((270 - width) / 2, 98, width, 23));

    dialog.SetStatusText("Printing page 1 of 1 for report Report on the ValdoraPDF");
    dialog.StatusChanged();
    QCOMPARE(Message(dialog)->text(), QStringLiteral("Printing page 1 of 1 for report Report on the ValdoraPDF"));
}

void CancelDialogTest::producesOnceAndClosesByItself()
{
    TppCancelDialog dialog;
    dialog.SetLanguageIndex(0);
    dialog.SetAllowCancel(true);
    dialog.SetShownModally(true);
    int activations = 0;
    QStringList shown;
    QElapsedTimer sinceJobEnd;
    dialog.ActivateHook = [&] {
        ++activations;
        if (activations > 1)
            return;
        QVERIFY(CancelButton(dialog)->isEnabled());
        for (const char *text : {"Accessing data...", "Printing page 1 of 1 for report Report on the ValdoraPDF"}) {
            dialog.SetStatusText(text);
            dialog.StatusChanged();
            QCoreApplication::processEvents();
            shown << Message(dialog)->text();
        }
        sinceJobEnd.start();
        dialog.StartCloseTimer();
    };
    QElapsedTimer total;
    total.start();
    const TppModalResult result = dialog.ShowModal();
    const qint64 closedAfter = sinceJobEnd.elapsed();
    QCOMPARE(result, mrOK);
    QCOMPARE(activations, 1);
    QCOMPARE(shown, (QStringList{"Accessing data...", "Printing page 1 of 1 for report Report on the ValdoraPDF"}));
    QVERIFY(!dialog.isVisible());
    QVERIFY2(closedAfter >= 9 && closedAfter < 1000, qPrintable(QString::number(closedAfter)));
}

void CancelDialogTest::cancelButtonAndEscape_data()
{
    QTest::addColumn<bool>("escape");
    QTest::newRow("button") << false;
    QTest::newRow("Esc") << true;
}

void CancelDialogTest::cancelButtonAndEscape()
{
    QFETCH(bool, escape);
    TppCancelDialog dialog;
    dialog.SetLanguageIndex(0);
    dialog.SetAllowCancel(true);
    dialog.SetShownModally(true);
    int cancels = 0;
    dialog.CancelHook = [&] { ++cancels; };
    dialog.ActivateHook = [&] {
        // The job runs on: the user cancels while it processes messages.
        QTimer::singleShot(0, &dialog, [&] {
            if (escape)
                QTest::keyClick(&dialog, Qt::Key_Escape);
            else
                QTest::mouseClick(CancelButton(dialog), Qt::LeftButton);
        });
        QElapsedTimer job;
        job.start();
        while (cancels == 0 && job.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        dialog.StartCloseTimer();
    };
    QCOMPARE(dialog.ShowModal(), mrCancel);
    QCOMPARE(cancels, 1);
}

void CancelDialogTest::buttonFollowsAllowCancel()
{
    TppCancelDialog dialog;
    dialog.SetLanguageIndex(0);
    dialog.SetAllowCancel(false);
    dialog.SetShownModally(true);
    int cancels = 0;
    dialog.CancelHook = [&] { ++cancels; };
    bool enabled = true;
    dialog.ActivateHook = [&] {
        enabled = CancelButton(dialog)->isEnabled();
        QTest::keyClick(&dialog, Qt::Key_Escape);
        dialog.StartCloseTimer();
    };
    QCOMPARE(dialog.ShowModal(), mrOK);
    QVERIFY(!enabled);
    QCOMPARE(cancels, 0);
}

void CancelDialogTest::nonModalGivesBackTheDisabledWindow()
{
    QWidget preview;
    preview.setFocusPolicy(Qt::StrongFocus);
    preview.show();
    preview.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&preview));

    TppCancelDialog dialog;
    dialog.SetLanguageIndex(0);
    dialog.Show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    preview.setEnabled(false);
    dialog.Close();
    QVERIFY(!dialog.isVisible());
    QVERIFY(preview.isEnabled());
}

QTEST_MAIN(CancelDialogTest)
#include "cancel_dialog_test.moc"
