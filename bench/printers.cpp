// Time to know the printers: the engine's printer list built on first use
// with every printer's capabilities, against a plain QPrinterInfo listing in
// the same run. Prints milliseconds; run through bench/printers.sh.

#include "bench/timing.h"

#include "output/printer_list.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPrinterInfo>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

std::size_t BuildAllCapabilities(const TppPrinterList &list)
{
    std::size_t papers = 0;
    for (const std::string &name : list.Names())
        papers += list.Find(name)->Capabilities().PaperNames().size();
    return papers;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    constexpr int kRounds = 15;

    int qtPrinters = 0;
    const double qtFirst = Milliseconds([&] { qtPrinters = QPrinterInfo::availablePrinters().size(); });

    std::size_t papers = 0;
    const double listFirst = Milliseconds([] { TppPrinterList::Instance(); });
    const double capabilitiesFirst = Milliseconds([&] { papers = BuildAllCapabilities(TppPrinterList::Instance()); });

    std::vector<double> qtList;
    std::vector<double> qtWithSizes;
    std::vector<double> engineList;
    std::vector<double> engineWithCapabilities;
    for (int round = 0; round < kRounds; ++round) {
        qtList.push_back(Milliseconds([] { QPrinterInfo::availablePrinters(); }));
        qtWithSizes.push_back(Milliseconds([] {
            for (const QPrinterInfo &printer : QPrinterInfo::availablePrinters())
                printer.supportedPageSizes();
        }));
        engineList.push_back(Milliseconds([] { TppPrinterList::Instance().Refresh(); }));
        engineWithCapabilities.push_back(Milliseconds([] {
            TppPrinterList::Instance().Refresh();
            BuildAllCapabilities(TppPrinterList::Instance());
        }));
    }

    std::printf("queues: %d (engine list entries: %d, papers over all entries: %zu)\n", qtPrinters,
                TppPrinterList::Instance().Count(), papers);
    std::printf("first use, QPrinterInfo::availablePrinters():          %8.2f ms\n", qtFirst);
    std::printf("first use, engine printer list:                        %8.2f ms\n", listFirst);
    std::printf("first use, capabilities of every entry:                %8.2f ms\n", capabilitiesFirst);
    std::printf("median of %d, QPrinterInfo::availablePrinters():       %8.2f ms\n", kRounds, Median(qtList));
    std::printf("median of %d, availablePrinters() + page sizes:        %8.2f ms\n", kRounds, Median(qtWithSizes));
    std::printf("median of %d, engine list refresh:                     %8.2f ms\n", kRounds, Median(engineList));
    std::printf("median of %d, engine list refresh + capabilities:      %8.2f ms\n", kRounds, Median(engineWithCapabilities));
    return 0;
}
