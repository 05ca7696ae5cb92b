// The print dialog's copies box: the arrows, the leaving of the box and OK
// read what it holds the same way, and never fewer than one copy.

#include "output/printer.h"
#include "preview/copies_up_down.h"
#include "preview/print_dialog.h"
#include "preview/print_registration.h"

#include "../support/message_reader.h"
#include "../support/printed_output.h"

#include <QLineEdit>
#include <QPrinterInfo>
#include <QtTest>

#include <functional>

namespace {

struct DialogFixture {
    DialogFixture()
    {
        printer.PrinterSetup().SetPrinterName("ValdoraPDF");
        printer.PrinterSetup().SetCopies(4);
        dialog.SetPrinter(&printer);
        dialog.SetLanguageIndex(0);
        dialog.Init();
    }

    TppPrinter printer;
    TppPrintDialog dialog;
};

TppModalResult RunModal(TppPrintDialog &dialog, const std::function<void()> &whileOpen)
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

} // namespace

class CopiesBoxTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void oneReading_data();
    void oneReading();

private:
    TppPrintRegistration m_registration;
};

void CopiesBoxTest::initTestCase()
{
    if (!printed::PrintServerRunning() || !QPrinterInfo::availablePrinterNames().contains(QStringLiteral("ValdoraPDF")))
        QSKIP("needs the private print server of scripts/test-services.sh");
}

void CopiesBoxTest::oneReading_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("left");  // the box once left
    QTest::addColumn<QString>("down");  // after the down arrow
    QTest::addColumn<QString>("up");    // after the up arrow
    QTest::addColumn<int>("ok");        // copies OK takes; 0: refused with the message

    QTest::newRow("three") << "3" << "3" << "2" << "4" << 3;
    QTest::newRow("blank and zero before") << " 05" << "5" << "4" << "6" << 5;
    QTest::newRow("one") << "1" << "1" << "1" << "2" << 1;
    QTest::newRow("most") << "999" << "999" << "998" << "999" << 999;
    QTest::newRow("zero") << "0" << "1" << "1" << "2" << 1;
    QTest::newRow("minus one") << "-1" << "1" << "1" << "2" << 1;
    QTest::newRow("minus ninety-nine") << "-99" << "1" << "1" << "2" << 1;
    QTest::newRow("letters") << "abc" << "1" << "1" << "2" << 0;
    QTest::newRow("NUL after digits") << QString::fromUtf16(u"5\u0000", 2) << "1" << "1" << "2" << 0;
    QTest::newRow("empty") << "" << "1" << "1" << "2" << 0;
}

void CopiesBoxTest::oneReading()
{
    QFETCH(QString, text);
    QFETCH(QString, left);
    QFETCH(QString, down);
    QFETCH(QString, up);
    QFETCH(int, ok);

    DialogFixture fixture;
    TppPrintDialog &dialog = fixture.dialog;
    MessageReader messages;
    const TppModalResult result = RunModal(dialog, [&] {
        auto *copies = dialog.findChild<QLineEdit *>(QStringLiteral("edtCopies"));
        auto *collate = dialog.findChild<QWidget *>(QStringLiteral("cbxCollate"));
        auto *upDown = dialog.findChild<TppCopiesUpDown *>();
        QVERIFY(copies && collate && upDown);
        const QPoint upper(upDown->width() / 2, 2);
        const QPoint lower(upDown->width() / 2, upDown->height() - 3);

        copies->setFocus();
        copies->setText(text);
        collate->setFocus();
        QCOMPARE(copies->text(), left);
        copies->setText(text);
        QTest::mouseClick(upDown, Qt::LeftButton, {}, lower);
        QCOMPARE(copies->text(), down);
        copies->setText(text);
        QTest::mouseClick(upDown, Qt::LeftButton, {}, upper);
        QCOMPARE(copies->text(), up);

        // Enter presses OK without leaving the box.
        copies->setFocus();
        copies->setText(text);
        QTest::keyClick(copies, Qt::Key_Return);
        QCOMPARE(dialog.isVisible(), ok == 0);
    });
    if (ok == 0) {
        QCOMPARE(result, mrCancel);
        QCOMPARE(messages.texts.size(), 1);
        // A message box ends its text at a NUL.
        if (!text.contains(QChar(0)))
            QCOMPARE(messages.texts.front(), QStringLiteral("'%1' is not a valid integer value.").arg(text));
        QCOMPARE(fixture.printer.PrinterSetup().Copies(), 4);
    } else {
        QCOMPARE(result, mrOK);
        QVERIFY(messages.texts.isEmpty());
        QCOMPARE(fixture.printer.PrinterSetup().Copies(), ok);
    }
}

QTEST_MAIN(CopiesBoxTest)
#include "copies_box_test.moc"
