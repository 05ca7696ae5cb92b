#include "output/pdf_file_device.h"
#include "output/printer.h"
#include "output/printer_device.h"
#include "output/printer_list.h"
#include "platform/units.h"
#include "preview/collation_pictures.h"
#include "preview/copies_up_down.h"
#include "preview/print_dialog.h"
#include "preview/print_registration.h"
#include "preview/printer_item_delegate.h"

#include "../support/kept_settings.h"
#include "../support/message_reader.h"
#include "../support/printed_output.h"
#include "tests/preview/print_flow_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <functional>

// The print dialog with its real controls, over printers of the private
// print server.

namespace {

using print_flow::RunModal;

template <typename Control>
Control *Find(QWidget &dialog, const char *name)
{
    auto *control = dialog.findChild<Control *>(QString::fromLatin1(name));
    if (!control)
        qFatal("no control %s", name);
    return control;
}

// Shows the dialog modally and runs `whileOpen` inside its modal loop; the
// dialog is cancelled afterwards if `whileOpen` left it open.
QStringList ItemTexts(const QComboBox &list)
{
    QStringList texts;
    for (int i = 0; i < list.count(); ++i)
        texts << list.itemText(i);
    return texts;
}

// A printer on the PDF queue with the given copies and collation.
struct DialogFixture {
    explicit DialogFixture(int copies = 1, bool collation = true)
    {
        TppPrinterSetup &setup = printer.PrinterSetup();
        setup.SetPrinterName("ValdoraPDF");
        setup.SetCopies(copies);
        setup.SetCollation(collation);
        dialog.SetPrinter(&printer);
        dialog.SetLanguageIndex(0);
        dialog.Init();
    }

    TppPrinter printer;
    TppPrintDialog dialog;
};

} // namespace

class PrintDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init() { ForgetKeptSettings(); }

    void layoutFollowsTheDescription();
    void controlsFilledFromPrinterAndRequest_data();
    void controlsFilledFromPrinterAndRequest();
    void radioButtonsAndPageBox();
    void okHandsBackThePages_data();
    void okHandsBackThePages();
    void unreadableCopiesWhenOkIsPressedInTheBox();
    void copiesUpDown();
    void collationFollowsTheBox();
    void printerChoiceChangesTheSetup();
    void queueGoneBeforeOk();
    void cancelHandsNothingBack();
    void registration();
};

void PrintDialogTest::initTestCase()
{
    if (!printed::PrintServerRunning() || !QPrinterInfo::availablePrinterNames().contains(QStringLiteral("ValdoraSecond")))
        QSKIP("needs the private print server of scripts/test-services.sh");
    TppPrinterList::Instance().Refresh();
}

void PrintDialogTest::layoutFollowsTheDescription()
{
    DialogFixture fixture;
    TppPrintDialog &dialog = fixture.dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Print"));
    QCOMPARE(Find<QLabel>(dialog, "lblNumberOfCopies")->text(), QStringLiteral("Number of &copies:"));
    QCOMPARE(Find<QComboBox>(dialog, "cbxPrintWhat")->itemText(2), QStringLiteral("Even pages"));

    // The description is as tall as the lines it wraps into.
    auto *description = Find<QLabel>(dialog, "lblPageRangeDescription");
    const QFontMetrics metrics(dialog.font());
    const int lines = metrics.boundingRect(QRect(0, 0, 217, 10000), Qt::TextWordWrap, description->text()).height()
        / metrics.lineSpacing();
    QVERIFY(lines >= 2);
    QCOMPARE(description->height(), QFontMetrics(description->font()).height() * lines);

    // Both frames end 9 pixels below it; what is below moves down as much.
    QCOMPARE(UnitsToScreenPixels(utMMThousandths, raVertical, nullptr, 2381.0f), 9);
    auto *pageRange = Find<QFrame>(dialog, "bvlPageRange");
    QCOMPARE(pageRange->geometry().bottom() + 1, description->geometry().bottom() + 1 + 9);
    QCOMPARE(Find<QFrame>(dialog, "bvlCopies")->height(), pageRange->height());
    const int growth = pageRange->height() - 110;
    auto *printWhat = Find<QLabel>(dialog, "lblPrintWhat");
    QCOMPARE(printWhat->x() + printWhat->width(), 285);
    QCOMPARE(printWhat->y(), 230 + growth);
    QCOMPARE(Find<QComboBox>(dialog, "cbxPrintWhat")->geometry(), QRect(292, 225 + growth, 187, 21));

    // Without file targets the file panel is gone: 95 pixels shorter, the
    // buttons right below the print-what list.
    RunModal(dialog, [&] {
        QVERIFY(Find<QWidget>(dialog, "pnlPrintToFile")->isHidden());
        QCOMPARE(dialog.width(), 482);
        QCOMPARE(dialog.height(), 388 - 95 + growth);
        auto *bottom = Find<QWidget>(dialog, "pnlBottom");
        QCOMPARE(bottom->y(), 253 + growth);
        QCOMPARE(Find<QPushButton>(dialog, "btnOK")->geometry(), QRect(322, 9, 75, 23));
        QCOMPARE(Find<QPushButton>(dialog, "btnCancel")->geometry(), QRect(402, 9, 75, 23));
        QVERIFY(Find<QPushButton>(dialog, "btnOK")->isDefault());
        QCOMPARE(Find<QLineEdit>(dialog, "edtCopies")->maxLength(), 3);
    });
}

void PrintDialogTest::controlsFilledFromPrinterAndRequest_data()
{
    QTest::addColumn<int>("setting");
    QTest::addColumn<QStringList>("list");
    QTest::addColumn<int>("range");
    QTest::addColumn<QString>("checked");
    QTest::addColumn<QString>("pageBox");

    QTest::newRow("all") << int(psAll) << QStringList() << int(prAll) << "rdbAll" << "";
    QTest::newRow("page list") << int(psPageList) << QStringList{"2", "4"} << int(prAll) << "rdbPages" << "2,4";
    QTest::newRow("single page") << int(psSinglePage) << QStringList() << int(prEvenPages) << "rdbCurrentPage" << "";
    QTest::newRow("page range") << int(psPageRange) << QStringList{"3", "7"} << int(prOddPages) << "rdbPages" << "3-7";
    QTest::newRow("first page") << int(psFirstPage) << QStringList() << int(prAll) << "rdbAll" << "";
}

void PrintDialogTest::controlsFilledFromPrinterAndRequest()
{
    QFETCH(int, setting);
    QFETCH(QStringList, list);
    QFETCH(int, range);
    QFETCH(QString, checked);
    QFETCH(QString, pageBox);

    DialogFixture fixture(3, false);
    TppPrintDialog &dialog = fixture.dialog;
    TppPageRequest &request = dialog.PageRequest();
    request.SetPageSetting(static_cast<TppPageSettingType>(setting));
    std::vector<std::string> entries;
    for (const QString &entry : list)
        entries.push_back(entry.toStdString());
    request.SetPageList(entries);
    request.SetPageRange(static_cast<TppPageRangeType>(range));

    RunModal(dialog, [&] {
        auto *printers = Find<QComboBox>(dialog, "cbxPrinters");
        QStringList expected;
        for (const std::string &name : TppPrinterList::Instance().Names()) {
            if (name != "Screen")
                expected << QString::fromStdString(name);
        }
        expected.sort();
        QCOMPARE(ItemTexts(*printers), expected);
        QCOMPARE(printers->currentText(), QStringLiteral("ValdoraPDF"));
        // Queues of the print server here are local.
        QCOMPARE(printers->itemData(printers->currentIndex(), TppPrinterItemDelegate::NetworkRole).toBool(), false);
        QCOMPARE(Find<QLabel>(dialog, "lblPrinterTypeDesc")->text(), QStringLiteral("ValdoraPDF"));
        QVERIFY(Find<QLabel>(dialog, "lblPrinterWhereDesc")->text().startsWith(QStringLiteral("file:")));
        QVERIFY(!Find<QLabel>(dialog, "lblNoPrintersInstalled")->isVisible());

        QVERIFY(Find<QRadioButton>(dialog, qPrintable(checked))->isChecked());
        QCOMPARE(Find<QLineEdit>(dialog, "edtPageRange")->text(), pageBox);
        QCOMPARE(Find<QComboBox>(dialog, "cbxPrintWhat")->currentData().toInt(), range);
        QCOMPARE(Find<QLineEdit>(dialog, "edtCopies")->text(), QStringLiteral("3"));
        QVERIFY(!Find<QCheckBox>(dialog, "cbxCollate")->isChecked());
        QCOMPARE(Find<QLabel>(dialog, "imgCollate")->pixmap().toImage(), NotCollatedPicture().toImage());
    });
}

void PrintDialogTest::radioButtonsAndPageBox()
{
    DialogFixture fixture;
    TppPrintDialog &dialog = fixture.dialog;
    RunModal(dialog, [&] {
        auto *pageBox = Find<QLineEdit>(dialog, "edtPageRange");
        auto *all = Find<QRadioButton>(dialog, "rdbAll");
        auto *current = Find<QRadioButton>(dialog, "rdbCurrentPage");
        auto *pages = Find<QRadioButton>(dialog, "rdbPages");
        // Clicking into the page box chooses "Pages".
        QTest::mouseClick(pageBox, Qt::LeftButton);
        QVERIFY(pages->isChecked());
        QTest::keyClicks(pageBox, "2-3");
        QTest::mouseClick(all, Qt::LeftButton, {}, QPoint(6, 8));
        QVERIFY(all->isChecked() && !pages->isChecked());
        QCOMPARE(pageBox->text(), QString());
        pageBox->setText("4");
        QTest::mouseClick(current, Qt::LeftButton, {}, QPoint(6, 8));
        QVERIFY(current->isChecked() && !all->isChecked());
        QCOMPARE(pageBox->text(), QString());
        // Passing through the box by the keyboard leaves the choice alone;
        // typing in it chooses "Pages".
        all->click();
        all->setFocus();
        QTest::keyClick(all, Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        pageBox->setFocus(Qt::TabFocusReason);
        QVERIFY(all->isChecked() && !pages->isChecked());
        QTest::keyClick(pageBox, Qt::Key_Tab);
        QVERIFY(all->isChecked() && !pages->isChecked());
        pageBox->setFocus(Qt::BacktabFocusReason);
        QTest::keyClicks(pageBox, "3");
        QVERIFY(pages->isChecked() && !all->isChecked());
    });
}

void PrintDialogTest::okHandsBackThePages_data()
{
    QTest::addColumn<QString>("radio");
    QTest::addColumn<QString>("pageBox");
    QTest::addColumn<int>("printWhat");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("setting");
    QTest::addColumn<QStringList>("list");
    QTest::addColumn<int>("range");
    QTest::addColumn<QString>("message");

    const QStringList none;
    QTest::newRow("pages and a range") << "rdbPages" << "1,3,5-12" << 0 << true << int(psPageList)
                                       << QStringList{"1", "3", "5", "6", "7", "8", "9", "10", "11", "12"}
                                       << int(prAll) << "";
    QTest::newRow("blanks only") << "rdbPages" << "  " << 0 << false << int(psAll) << none << int(prAll)
                                 << "No pages entered.";
    const QString notAPage = QStringLiteral("\"%1\" is not a page number or a range of pages. Enter page numbers and "
                                            "page ranges separated by commas, for example 1,3,5-12.");
    QTest::newRow("no digits") << "rdbPages" << "-" << 0 << false << int(psAll) << none << int(prAll)
                               << notAPage.arg("-");
    QTest::newRow("page 0") << "rdbPages" << "0" << 0 << true << int(psPageList) << QStringList{"0"} << int(prAll) << "";
    QTest::newRow("backwards") << "rdbPages" << "12-5" << 0 << true << int(psPageList) << QStringList{"5", "12"}
                               << int(prAll) << "";
    QTest::newRow("blanks around a dash") << "rdbPages" << "2 - 4; 7" << 0 << true << int(psPageList)
                                          << QStringList{"2", "3", "4", "7"} << int(prAll) << "";
    QTest::newRow("chained") << "rdbPages" << "1-3-5" << 0 << false << int(psAll) << none << int(prAll)
                             << notAPage.arg("1-3-5");
    QTest::newRow("leading dash") << "rdbPages" << "-4" << 0 << false << int(psAll) << none << int(prAll)
                                  << notAPage.arg("-4");
    QTest::newRow("a letter after a page") << "rdbPages" << "1,x" << 0 << false << int(psAll) << none << int(prAll)
                                           << notAPage.arg("x");
    QTest::newRow("a letter in a range") << "rdbPages" << "1,2-b,4" << 0 << false << int(psAll) << none
                                         << int(prAll) << notAPage.arg("2-b");
    QTest::newRow("too large") << "rdbPages" << "99999999999" << 0 << false << int(psAll) << none << int(prAll)
                               << "'99999999999' is not a valid integer value.";
    QTest::newRow("current page") << "rdbCurrentPage" << "" << 0 << true << int(psSinglePage) << none << int(prAll) << "";
    QTest::newRow("odd pages of all") << "rdbAll" << "" << 1 << true << int(psAll) << none << int(prOddPages) << "";
}

void PrintDialogTest::okHandsBackThePages()
{
    QFETCH(QString, radio);
    QFETCH(QString, pageBox);
    QFETCH(int, printWhat);
    QFETCH(bool, accepted);
    QFETCH(int, setting);
    QFETCH(QStringList, list);
    QFETCH(int, range);
    QFETCH(QString, message);

    DialogFixture fixture;
    TppPrintDialog &dialog = fixture.dialog;
    // The report offers the page on display as the current page.
    dialog.PageRequest().SetPageRequested(2);
    MessageReader messages;
    const TppModalResult result = RunModal(dialog, [&] {
        Find<QRadioButton>(dialog, qPrintable(radio))->click();
        if (!pageBox.isEmpty())
            Find<QLineEdit>(dialog, "edtPageRange")->setText(pageBox);
        auto *printWhatList = Find<QComboBox>(dialog, "cbxPrintWhat");
        printWhatList->setCurrentIndex(printWhat);
        emit printWhatList->activated(printWhat);
        QTest::mouseClick(Find<QPushButton>(dialog, "btnOK"), Qt::LeftButton);
        // A refused OK leaves the entries as typed.
        if (dialog.isVisible())
            QCOMPARE(Find<QLineEdit>(dialog, "edtPageRange")->text(), pageBox);
    });
    QCOMPARE(result == mrOK, accepted);
    QCOMPARE(messages.texts, message.isEmpty() ? QStringList() : QStringList{message});
    if (!accepted)
        return;
    const TppPageRequest &request = dialog.PageRequest();
    QCOMPARE(int(request.PageSetting()), setting);
    QStringList pages;
    for (const std::string &page : request.PageList())
        pages << QString::fromStdString(page);
    QCOMPARE(pages, list);
    QCOMPARE(int(request.PageRange()), range);
    QCOMPARE(request.PageRequested(), 2);
}

void PrintDialogTest::unreadableCopiesWhenOkIsPressedInTheBox()
{
    DialogFixture fixture(2);
    TppPrintDialog &dialog = fixture.dialog;
    MessageReader messages;
    const TppModalResult result = RunModal(dialog, [&] {
        auto *copies = Find<QLineEdit>(dialog, "edtCopies");
        copies->setFocus();
        copies->setText(QStringLiteral("abc"));
        // Enter presses the default button without leaving the box.
        QTest::keyClick(copies, Qt::Key_Return);
        QVERIFY(dialog.isVisible());
        copies->setText(QStringLiteral("7"));
        QTest::keyClick(copies, Qt::Key_Return);
    });
    QCOMPARE(messages.texts,
             QStringList{QStringLiteral("\"abc\" is not a number of copies: enter a whole number from 1 to 999.")});
    QCOMPARE(messages.icons, QList<QMessageBox::Icon>{QMessageBox::Warning});
    QCOMPARE(result, mrOK);
    QCOMPARE(fixture.printer.PrinterSetup().Copies(), 7);
}

void PrintDialogTest::copiesUpDown()
{
    DialogFixture fixture;
    TppPrintDialog &dialog = fixture.dialog;
    RunModal(dialog, [&] {
        auto *copies = Find<QLineEdit>(dialog, "edtCopies");
        auto *upDown = dialog.findChild<TppCopiesUpDown *>();
        QVERIFY(upDown);
        // Inside the box's right end.
        QCOMPARE(upDown->geometry().right(), copies->geometry().right() - 2);
        QCOMPARE(upDown->y(), copies->y() + 2);
        QCOMPARE(upDown->height(), copies->height() - 4);

        const QPoint upper(upDown->width() / 2, 2);
        const QPoint lower(upDown->width() / 2, upDown->height() - 3);
        copies->setText(QStringLiteral("998"));
        QTest::mouseClick(upDown, Qt::LeftButton, {}, upper);
        QCOMPARE(copies->text(), QStringLiteral("999"));
        QTest::mouseClick(upDown, Qt::LeftButton, {}, upper);
        QCOMPARE(copies->text(), QStringLiteral("999"));
        copies->setText(QStringLiteral("2"));
        QTest::mouseClick(upDown, Qt::LeftButton, {}, lower);
        QCOMPARE(copies->text(), QStringLiteral("1"));
        QTest::mouseClick(upDown, Qt::LeftButton, {}, lower);
        QCOMPARE(copies->text(), QStringLiteral("1"));

        // Leaving the box keeps what was typed: OK is what refuses it.
        copies->setFocus();
        copies->setText(QStringLiteral("abc"));
        Find<QLineEdit>(dialog, "edtPageRange")->setFocus();
        QCOMPARE(copies->text(), QStringLiteral("abc"));

        // The Up and Down keys step as the arrows do.
        copies->setFocus();
        copies->setText(QStringLiteral("998"));
        QTest::keyClick(copies, Qt::Key_Up);
        QCOMPARE(copies->text(), QStringLiteral("999"));
        QTest::keyClick(copies, Qt::Key_Up);
        QCOMPARE(copies->text(), QStringLiteral("999"));
        copies->setText(QStringLiteral("2"));
        QTest::keyClick(copies, Qt::Key_Down);
        QCOMPARE(copies->text(), QStringLiteral("1"));
        QTest::keyClick(copies, Qt::Key_Down);
        QCOMPARE(copies->text(), QStringLiteral("1"));
    });
}

void PrintDialogTest::collationFollowsTheBox()
{
    DialogFixture fixture(2, true);
    TppPrintDialog &dialog = fixture.dialog;
    RunModal(dialog, [&] {
        auto *picture = Find<QLabel>(dialog, "imgCollate");
        QCOMPARE(picture->pixmap().toImage(), CollatedPicture().toImage());
        QCOMPARE(picture->pixmap().size(), QSize(102, 53));
        QTest::mouseClick(Find<QCheckBox>(dialog, "cbxCollate"), Qt::LeftButton, {}, QPoint(6, 8));
        QVERIFY(!fixture.printer.PrinterSetup().Collation());
        QCOMPARE(picture->pixmap().toImage(), NotCollatedPicture().toImage());
        // The caption toggles the box too.
        QTest::mouseClick(Find<QLabel>(dialog, "lblCollate"), Qt::LeftButton);
        QVERIFY(fixture.printer.PrinterSetup().Collation());
        QCOMPARE(picture->pixmap().toImage(), CollatedPicture().toImage());
    });
    QVERIFY(CollatedPicture().toImage() != NotCollatedPicture().toImage());
}

void PrintDialogTest::printerChoiceChangesTheSetup()
{
    DialogFixture fixture;
    TppPrintDialog &dialog = fixture.dialog;
    RunModal(dialog, [&] {
        auto *printers = Find<QComboBox>(dialog, "cbxPrinters");
        const int second = printers->findText(QStringLiteral("ValdoraSecond"));
        QVERIFY(second >= 0);
        printers->setCurrentIndex(second);
        emit printers->activated(second);
        QCOMPARE(fixture.printer.PrinterSetup().PrinterName(), std::string("ValdoraSecond"));
        QCOMPARE(fixture.printer.PrinterName(), std::string("ValdoraSecond"));
        QCOMPARE(Find<QLabel>(dialog, "lblPrinterTypeDesc")->text(), QStringLiteral("ValdoraSecond"));
        QCOMPARE(Find<QLabel>(dialog, "lblPrinterWhereDesc")->text(), QStringLiteral("file:/dev/null"));
    });
}

void PrintDialogTest::queueGoneBeforeOk()
{
    printed::TestQueue vanishing(QStringLiteral("ValdoraVanishingDialog"));
    QVERIFY(vanishing.Created());
    TppPrinterList::Instance().Refresh();
    TppPrinter printer;
    printer.PrinterSetup().SetPrinterName(vanishing.StdName());
    TppPrintDialog dialog;
    dialog.SetPrinter(&printer);
    dialog.SetLanguageIndex(0);
    MessageReader messages;
    const TppModalResult result = RunModal(dialog, [&] {
        QCOMPARE(Find<QComboBox>(dialog, "cbxPrinters")->currentText(), vanishing.Name());
        QVERIFY(printed::Run(QStringLiteral("lpadmin"), {"-x", vanishing.Name()}));
        QTest::mouseClick(Find<QPushButton>(dialog, "btnOK"), Qt::LeftButton);
        QVERIFY(dialog.isVisible());
        // Another printer prints.
        auto *printers = Find<QComboBox>(dialog, "cbxPrinters");
        const int pdf = printers->findText(QStringLiteral("ValdoraPDF"));
        printers->setCurrentIndex(pdf);
        emit printers->activated(pdf);
        QTest::mouseClick(Find<QPushButton>(dialog, "btnOK"), Qt::LeftButton);
    });
    QCOMPARE(messages.texts, QStringList{QStringLiteral("The printer \"ValdoraVanishingDialog\" is not available: it is no "
                                                        "longer on the print server. The list of printers has been "
                                                        "read again and the default printer, \"ValdoraPDF\", is "
                                                        "chosen instead: press OK to print on it, or choose another "
                                                        "printer.")});
    QCOMPARE(messages.icons, QList<QMessageBox::Icon>{QMessageBox::Warning});
    QCOMPARE(result, mrOK);
    QCOMPARE(printer.PrinterName(), std::string("ValdoraPDF"));
    TppPrinterList::Instance().Refresh();
}

void PrintDialogTest::cancelHandsNothingBack()
{
    DialogFixture fixture(2);
    TppPrintDialog &dialog = fixture.dialog;
    const TppModalResult result = RunModal(dialog, [&] {
        Find<QRadioButton>(dialog, "rdbPages")->click();
        Find<QLineEdit>(dialog, "edtPageRange")->setText(QStringLiteral("3"));
        Find<QLineEdit>(dialog, "edtCopies")->setText(QStringLiteral("9"));
        QTest::mouseClick(Find<QPushButton>(dialog, "btnCancel"), Qt::LeftButton);
    });
    QCOMPARE(result, mrCancel);
    QCOMPARE(dialog.PageRequest().PageSetting(), psAll);
    QCOMPARE(fixture.printer.PrinterSetup().Copies(), 2);
}

void PrintDialogTest::registration()
{
    {
        TppPrintRegistration registration;
        const TppFormFactory *printDialog = FindFormClass(TppCustomPrintDialog::AbstractClassName);
        const TppFormFactory *cancelDialog = FindFormClass(TppCustomCancelDialog::AbstractClassName);
        QVERIFY(printDialog && cancelDialog);
        QVERIFY(dynamic_cast<TppPrintDialog *>((*printDialog)(nullptr).get()));
        QVERIFY(dynamic_cast<TppCustomCancelDialog *>((*cancelDialog)(nullptr).get()));
        QCOMPARE(FindDeviceClass("Printer"), &TppPrinterDevice::StaticClass());
        QCOMPARE(FindDeviceClass("PDFFile"), &TppPdfFileDevice::StaticClass());
        QCOMPARE(QString::fromUtf8(TppPdfFileDevice::StaticClass().Description()), QStringLiteral("PDF File"));
    }
    QVERIFY(!FindFormClass(TppCustomPrintDialog::AbstractClassName));
    QVERIFY(!FindDeviceClass("printer") && !FindDeviceClass("PDFFile"));
}

QTEST_MAIN(PrintDialogTest)
#include "print_dialog_test.moc"
