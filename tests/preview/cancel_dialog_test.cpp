#include "preview/cancel_dialog.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

// The cancel dialog with its real window: it observes a job, runs no loop.

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
    void modalShowingRunsNoLoop();
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

void CancelDialogTest::modalShowingRunsNoLoop()
{
    QWidget preview;
    preview.show();
    TppCancelDialog dialog;
    dialog.SetLanguageIndex(0);
    dialog.SetAllowCancel(true);
    dialog.SetShownModally(true);

    // Show returns at once: the job that shows it goes on and lets the
    // events in itself.
    dialog.Show();
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.windowModality(), Qt::ApplicationModal);
    QCOMPARE(QApplication::activeModalWidget(), &dialog);
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QStringList shown;
    for (const char *text : {"Accessing data...", "Printing page 1 of 1 for report Report on the ValdoraPDF"}) {
        dialog.SetStatusText(text);
        dialog.StatusChanged();
        shown << Message(dialog)->text();
    }
    QCOMPARE(shown, (QStringList{"Accessing data...", "Printing page 1 of 1 for report Report on the ValdoraPDF"}));

    dialog.Close();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
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
    dialog.Show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QVERIFY(CancelButton(dialog)->isEnabled());

    if (escape)
        QTest::keyClick(&dialog, Qt::Key_Escape);
    else
        QTest::mouseClick(CancelButton(dialog), Qt::LeftButton);

    QCOMPARE(cancels, 1);
    // Cancel closes the window at once; the job ends on its own time.
    QVERIFY(!dialog.isVisible());
}

void CancelDialogTest::buttonFollowsAllowCancel()
{
    TppCancelDialog dialog;
    dialog.SetLanguageIndex(0);
    dialog.SetAllowCancel(false);
    dialog.SetShownModally(true);
    int cancels = 0;
    dialog.CancelHook = [&] { ++cancels; };
    dialog.Show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));

    QTest::keyClick(&dialog, Qt::Key_Escape);

    QVERIFY(!CancelButton(dialog)->isEnabled());
    QCOMPARE(cancels, 0);
    QVERIFY(dialog.isVisible());
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
