// Time from asking for the print dialog to its first turn of the event loop,
// the printer list read on the way, with the print server up and with it
// down (a socket where none listens). Prints milliseconds; run through
// bench/print_dialog_open.sh.

#include "bench/timing.h"

#include "output/printer.h"
#include "output/printer_list.h"
#include "preview/print_dialog.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTimer>

#include <cups/cups.h>

#include <cstdio>
#include <vector>

namespace {

double OpenOnce()
{
    TppPrinter printer;
    printer.PrinterSetup().SetPrinterName("Default");
    TppPrintDialog dialog;
    dialog.SetPrinter(&printer);
    dialog.SetLanguageIndex(0);
    QElapsedTimer timer;
    double opened = 0;
    QTimer::singleShot(0, &dialog, [&] {
        opened = timer.nsecsElapsed() / 1e6;
        dialog.reject();
    });
    timer.start();
    dialog.ShowModal();
    return opened;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    constexpr int kRounds = 9;
    TppPrinterList::Instance();

    std::vector<double> listUp;
    std::vector<double> openUp;
    for (int round = 0; round < kRounds; ++round) {
        listUp.push_back(Milliseconds([] { TppPrinterList::Instance().Refresh(); }));
        openUp.push_back(OpenOnce());
    }

    const QByteArray server = cupsServer();
    const QByteArray nowhere = QDir::temp().filePath(QStringLiteral("valdora-bench-no-cupsd.sock")).toUtf8();
    cupsSetServer(nowhere.constData());
    std::vector<double> listDown;
    std::vector<double> openDown;
    for (int round = 0; round < kRounds; ++round) {
        listDown.push_back(Milliseconds([] { TppPrinterList::Instance().Refresh(); }));
        openDown.push_back(OpenOnce());
    }
    cupsSetServer(server.constData());

    std::printf("median of %d, printer list read, server up:    %8.2f ms\n", kRounds, Median(listUp));
    std::printf("median of %d, dialog open, server up:          %8.2f ms\n", kRounds, Median(openUp));
    std::printf("median of %d, printer list read, server down:  %8.2f ms\n", kRounds, Median(listDown));
    std::printf("median of %d, dialog open, server down:        %8.2f ms\n", kRounds, Median(openDown));
    return 0;
}
