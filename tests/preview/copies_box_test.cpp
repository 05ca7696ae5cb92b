// The print dialog's copies box: the arrows, the keys and OK read what it
// holds the same way, and OK takes no number of copies out of range.

#include "output/printer.h"
#include "preview/copies_up_down.h"
#include "preview/print_dialog.h"
#include "preview/print_registration.h"

#include "../support/message_reader.h"
#include "../support/printed_output.h"
#include "tests/preview/print_flow_fixture.h"

#include <QLineEdit>
#include <QPushButton>
#include <QPrinterInfo>
#include <QtTest>

#include <functional>

namespace {

using print_flow::RunModal;

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
    QTest::addColumn<QString>("down");  // after the down arrow, and after the Down key
    QTest::addColumn<QString>("up");    // after the up arrow, and after the Up key
    QTest::addColumn<int>("ok");        // copies OK takes; 0: refused with the message

    QTest::newRow("three") << "3" << "2" << "4" << 3;
    QTest::newRow("blank and zero before") << " 05" << "4" << "6" << 5;
    QTest::newRow("one") << "1" << "1" << "2" << 1;
    QTest::newRow("most") << "999" << "998" << "999" << 999;
    QTest::newRow("zero") << "0" << "1" << "2" << 0;
    QTest::newRow("minus one") << "-1" << "1" << "2" << 0;
    QTest::newRow("minus ninety-nine") << "-99" << "1" << "2" << 0;
    QTest::newRow("letters") << "abc" << "1" << "2" << 0;
    QTest::newRow("NUL after digits") << QString::fromUtf16(u"5\u0000", 2) << "1" << "2" << 0;
    QTest::newRow("empty") << "" << "1" << "2" << 0;
}

// The box keeps what was typed when it is left; the arrows and the keys step
// from it alike; OK takes a number from 1 to 999 and refuses anything else
// with the same message, whether pressed in the box or after leaving it.
void CopiesBoxTest::oneReading()
{
    QFETCH(QString, text);
    QFETCH(QString, down);
    QFETCH(QString, up);
    QFETCH(int, ok);

    for (const bool leaveFirst : {false, true}) {
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
            QCOMPARE(copies->text(), text);
            copies->setText(text);
            QTest::mouseClick(upDown, Qt::LeftButton, {}, lower);
            QCOMPARE(copies->text(), down);
            copies->setText(text);
            QTest::mouseClick(upDown, Qt::LeftButton, {}, upper);
            QCOMPARE(copies->text(), up);
            copies->setFocus();
            copies->setText(text);
            QTest::keyClick(copies, Qt::Key_Down);
            QCOMPARE(copies->text(), down);
            copies->setText(text);
            QTest::keyClick(copies, Qt::Key_Up);
            QCOMPARE(copies->text(), up);

            copies->setText(text);
            if (leaveFirst) {
                // The mouse on OK takes the focus from the box first.
                QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("btnOK")), Qt::LeftButton);
            } else {
                // Enter presses OK without leaving the box.
                QTest::keyClick(copies, Qt::Key_Return);
            }
            QTest::qWait(20);
            QCOMPARE(dialog.isVisible(), ok == 0);
            if (ok == 0)
                QCOMPARE(copies->text(), text);
        });
        if (ok == 0) {
            QCOMPARE(result, mrCancel);
            QCOMPARE(messages.texts.size(), 1);
            // A message box ends its text at a NUL.
            if (!text.contains(QChar(0)))
                QCOMPARE(messages.texts.front(),
                         QStringLiteral("\"%1\" is not a number of copies: enter a whole number from 1 to 999.").arg(text));
            QCOMPARE(fixture.printer.PrinterSetup().Copies(), 4);
        } else {
            QCOMPARE(result, mrOK);
            QVERIFY(messages.texts.isEmpty());
            QCOMPARE(fixture.printer.PrinterSetup().Copies(), ok);
        }
    }
}

QTEST_MAIN(CopiesBoxTest)
#include "copies_box_test.moc"
