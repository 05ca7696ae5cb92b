// What the report windows keep between showings and between runs: the
// preview's size, place and zoom, the print dialog's printer, file choice
// and file name; a settings file that cannot be read gives the windows as
// stored.

#include "preview_driver.h"

#include "app/results_sheet.h"
#include "output/pdf_file_device.h"
#include "output/printer.h"
#include "output/printer_list.h"
#include "preview/preview_registration.h"
#include "preview/print_dialog.h"
#include "preview/print_registration.h"
#include "preview/user_settings.h"
#include "report/report.h"

#include "../support/kept_settings.h"
#include "../support/message_reader.h"
#include "../support/printed_output.h"
#include "tests/preview/print_flow_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>

#include <functional>
#include <memory>

static void LoadResources()
{
    Q_INIT_RESOURCE(pictures);
    Q_INIT_RESOURCE(definitions);
}

namespace {

using print_flow::Find;
using print_flow::RunModal;

struct Shown {
    QSize size;
    QPoint place;
    TppZoomSettingType zoom = zsWholePage;
    int calculatedZoom = 0;
};

void WriteSettingsFile(const QByteArray &contents)
{
    const QString path = user_settings::SettingsFile();
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(contents), contents.size());
}

} // namespace

class KeptChoicesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void settingsStayOutOfTheUsersFolder();
    void previewOpensWhereItWasLeft_data();
    void previewOpensWhereItWasLeft();
    void previewKeptOnAVisibleScreen();
    void damagedSettingsGiveTheStoredWindow_data();
    void damagedSettingsGiveTheStoredWindow();
    void printDialogKeepsPrinterAndFile();
    void vanishedKeptPrinterGivesTheReportsOwn();

private:
    Shown ShowPreview(const std::function<void(TppPrintPreview &)> &change = {});

    std::unique_ptr<TppPreviewRegistration> m_previewRegistration;
    std::unique_ptr<TppPrintRegistration> m_printRegistration;
    std::unique_ptr<TppReport> m_sheet;
};

void KeptChoicesTest::initTestCase()
{
    LoadResources();
}

void KeptChoicesTest::init()
{
    ForgetKeptSettings();
    m_previewRegistration = std::make_unique<TppPreviewRegistration>();
    m_printRegistration = std::make_unique<TppPrintRegistration>();
    m_sheet = CreateResultsSheet();
}

void KeptChoicesTest::cleanup()
{
    m_sheet.reset();
    m_printRegistration.reset();
    m_previewRegistration.reset();
}

// The preview as it shows its first page, after `change` has acted on it.
Shown KeptChoicesTest::ShowPreview(const std::function<void(TppPrintPreview &)> &change)
{
    Shown shown;
    RunPreview(*m_sheet, [&](TppPrintPreview &window) {
        shown.size = window.size();
        shown.place = window.geometry().topLeft();
        shown.zoom = window.Viewer().ZoomSetting();
        shown.calculatedZoom = window.Viewer().CalculatedZoom();
        if (change)
            change(window);
    });
    return shown;
}

void KeptChoicesTest::settingsStayOutOfTheUsersFolder()
{
    const QString file = user_settings::SettingsFile();
    QVERIFY2(file.startsWith(QDir::tempPath()), qPrintable(file));
    QVERIFY(file.endsWith(QStringLiteral("/VALDORA/VALDORA.conf")));
}

void KeptChoicesTest::previewOpensWhereItWasLeft_data()
{
    QTest::addColumn<int>("action");
    QTest::addColumn<int>("zoom");
    QTest::addColumn<int>("percentage");

    QTest::newRow("100 %") << int(paHundredPercent) << int(zs100Percent) << 100;
    QTest::newRow("page width") << int(paPageWidth) << int(zsPageWidth) << 0;
    QTest::newRow("typed percentage") << -1 << int(zsPercentage) << 150;
}

void KeptChoicesTest::previewOpensWhereItWasLeft()
{
    QFETCH(int, action);
    QFETCH(int, zoom);
    QFETCH(int, percentage);

    // The first preview opens as stored.
    const QRect left(60, 70, 700, 600);
    const Shown first = ShowPreview([&](TppPrintPreview &window) {
        window.setGeometry(left);
        QTRY_COMPARE(window.geometry(), left);
        if (action >= 0)
            PreviewOf(window).PerformAction(action);
        else
            TypeAndEnter(PreviewOf(window).ZoomBox(), QString::number(percentage));
    });
    QCOMPARE(first.size, QSize(547, 323));
    QCOMPARE(first.zoom, zsWholePage);

    // Later ones where, as large and as zoomed as the last was left.
    const Shown second = ShowPreview();
    QCOMPARE(second.size, left.size());
    QCOMPARE(second.place, left.topLeft());
    QCOMPARE(int(second.zoom), zoom);
    if (zoom != zsPageWidth)
        QCOMPARE(second.calculatedZoom, percentage);

    // Across runs: the file holds them for the next start.
    QSettings stored(user_settings::SettingsFile(), QSettings::IniFormat);
    QCOMPARE(stored.value(QStringLiteral("Preview/Width")).toInt(), left.width());
    QCOMPARE(stored.value(QStringLiteral("Preview/Zoom")).toInt(), zoom);
}

// A place on a screen that is gone (or far larger than this one) comes back
// onto the screen, whole.
void KeptChoicesTest::previewKeptOnAVisibleScreen()
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    user_settings::PreviewPlace away;
    away.frame = QRect(screen.right() + 3000, screen.bottom() + 2000, screen.width() + 500, 400);
    away.zoom = zs100Percent;
    user_settings::WritePreviewPlace(away);
    QRect frame;
    ShowPreview([&](TppPrintPreview &window) { frame = window.frameGeometry(); });
    QVERIFY2(screen.intersects(frame), qPrintable(QStringLiteral("%1,%2 %3x%4").arg(frame.x()).arg(frame.y()).arg(frame.width()).arg(frame.height())));
    QVERIFY(frame.width() <= screen.width() + 20);
    QVERIFY(screen.contains(QRect(frame.topLeft() + QPoint(0, 30), QSize(frame.width() - 20, 10)).center()));
}

void KeptChoicesTest::damagedSettingsGiveTheStoredWindow_data()
{
    QTest::addColumn<QByteArray>("contents");

    QByteArray binary(512, '\0');
    for (int i = 0; i < binary.size(); ++i)
        binary[i] = char((i * 73 + 11) % 256);
    QTest::newRow("binary garbage") << binary;
    QTest::newRow("words for numbers") << QByteArray("[Preview]\nX=left\nY=top\nWidth=wide\nHeight=high\nMaximized=false\n"
                                                     "Zoom=2\nZoomPercentage=100\n[Print]\nPrinter=@Variant(\\0\\0\\0\\x7f)\n");
    QTest::newRow("a zoom that does not exist") << QByteArray("[Preview]\nX=10\nY=10\nWidth=600\nHeight=500\n"
                                                              "Maximized=false\nZoom=9\nZoomPercentage=100\n");
    QTest::newRow("a size of nothing") << QByteArray("[Preview]\nX=10\nY=10\nWidth=0\nHeight=-5\nMaximized=false\n"
                                                     "Zoom=2\nZoomPercentage=100\n");
    QTest::newRow("a list where a name belongs") << QByteArray("[Print]\nPrinter=ValdoraSecond, ValdoraPDF\nToFile=maybe\n");
}

void KeptChoicesTest::damagedSettingsGiveTheStoredWindow()
{
    QFETCH(QByteArray, contents);
    WriteSettingsFile(contents);
    const Shown shown = ShowPreview();
    QCOMPARE(shown.size, QSize(547, 323));
    QCOMPARE(shown.zoom, zsWholePage);
    const user_settings::PrintTarget target = user_settings::ReadPrintTarget();
    QCOMPARE(target.printer, QString());
    QVERIFY(!target.toFile);
}

// OK keeps the printer, the file choice and the file name for the next
// dialog; Cancel keeps nothing.
void KeptChoicesTest::printDialogKeepsPrinterAndFile()
{
    if (!printed::PrintServerRunning() || !QPrinterInfo::availablePrinterNames().contains(QStringLiteral("ValdoraSecond")))
        QSKIP("needs the private print server of scripts/test-services.sh");
    QTemporaryDir folder;
    const QString fileName = folder.filePath(QStringLiteral("sheet.pdf"));
    const auto newDialog = [](TppPrinter &printer) {
        auto dialog = std::make_unique<TppPrintDialog>();
        printer.PrinterSetup().SetPrinterName("Default");
        dialog->SetPrinter(&printer);
        dialog->SetLanguageIndex(0);
        dialog->SetAllowPrintToFile(true);
        dialog->SetDeviceType("Printer");
        return dialog;
    };

    TppPrinter printer;
    std::unique_ptr<TppPrintDialog> dialog = newDialog(printer);
    QCOMPARE(RunModal(*dialog, [&] {
        auto *printers = Find<QComboBox>(*dialog, "cbxPrinters");
        const int second = printers->findText(QStringLiteral("ValdoraSecond"));
        printers->setCurrentIndex(second);
        emit printers->activated(second);
        Find<QCheckBox>(*dialog, "cbxPrintToFile")->setChecked(true);
        Find<QLineEdit>(*dialog, "edtPrintToFileName")->setText(fileName);
        QTest::mouseClick(Find<QPushButton>(*dialog, "btnOK"), Qt::LeftButton);
    }), mrOK);

    // A dialog cancelled with other choices keeps nothing of them.
    TppPrinter cancelled;
    dialog = newDialog(cancelled);
    RunModal(*dialog, [&] {
        QCOMPARE(Find<QComboBox>(*dialog, "cbxPrinters")->currentText(), QStringLiteral("ValdoraSecond"));
        QVERIFY(Find<QCheckBox>(*dialog, "cbxPrintToFile")->isChecked());
        QCOMPARE(Find<QLineEdit>(*dialog, "edtPrintToFileName")->text(), fileName);
        QCOMPARE(Find<QComboBox>(*dialog, "cbxPrintToFileTypes")->currentData().toString(),
                 QString::fromStdString(TppPdfFileDevice::StaticClass().DeviceTypeName()));
        Find<QCheckBox>(*dialog, "cbxPrintToFile")->setChecked(false);
        QTest::mouseClick(Find<QPushButton>(*dialog, "btnCancel"), Qt::LeftButton);
    });

    // Paper after a file: the name stays for the next file.
    TppPrinter onPaper;
    dialog = newDialog(onPaper);
    QCOMPARE(RunModal(*dialog, [&] {
        QVERIFY(Find<QCheckBox>(*dialog, "cbxPrintToFile")->isChecked());
        Find<QCheckBox>(*dialog, "cbxPrintToFile")->setChecked(false);
        QTest::mouseClick(Find<QPushButton>(*dialog, "btnOK"), Qt::LeftButton);
    }), mrOK);
    QCOMPARE(onPaper.PrinterName(), std::string("ValdoraSecond"));

    TppPrinter last;
    dialog = newDialog(last);
    RunModal(*dialog, [&] {
        QCOMPARE(Find<QComboBox>(*dialog, "cbxPrinters")->currentText(), QStringLiteral("ValdoraSecond"));
        QVERIFY(!Find<QCheckBox>(*dialog, "cbxPrintToFile")->isChecked());
        QCOMPARE(Find<QLineEdit>(*dialog, "edtPrintToFileName")->text(), fileName);
    });
    // The file the next run reads.
    QSettings stored(user_settings::SettingsFile(), QSettings::IniFormat);
    QCOMPARE(stored.value(QStringLiteral("Print/Printer")).toString(), QStringLiteral("ValdoraSecond"));
    QCOMPARE(stored.value(QStringLiteral("Print/FileName")).toString(), fileName);
    QCOMPARE(stored.value(QStringLiteral("Print/ToFile")).toString(), QStringLiteral("false"));
}

// A kept printer that the server no longer has is forgotten quietly: the
// report's own printer is chosen, as on a first run.
void KeptChoicesTest::vanishedKeptPrinterGivesTheReportsOwn()
{
    if (!printed::PrintServerRunning() || !QPrinterInfo::availablePrinterNames().contains(QStringLiteral("ValdoraPDF")))
        QSKIP("needs the private print server of scripts/test-services.sh");
    user_settings::PrintTarget target;
    target.printer = QStringLiteral("ValdoraNeverThere");
    user_settings::WritePrintTarget(target);
    TppPrinter printer;
    printer.PrinterSetup().SetPrinterName("Default");
    TppPrintDialog dialog;
    dialog.SetPrinter(&printer);
    dialog.SetLanguageIndex(0);
    MessageReader messages;
    RunModal(dialog, [&] { QCOMPARE(Find<QComboBox>(dialog, "cbxPrinters")->currentText(), QStringLiteral("Default")); });
    QVERIFY(messages.texts.isEmpty());
}

QTEST_MAIN(KeptChoicesTest)
#include "kept_choices_test.moc"
