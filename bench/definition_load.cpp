// Time to load the results sheet's stored definition into a report, against
// a plain QPrinterInfo listing in the same run. The first load also builds
// the printer list the report's printer setup resolves "Default" with; later
// loads show the reading itself. Prints milliseconds; run through
// bench/definition_load.sh.

#include "bench/timing.h"

#include "report/band.h"
#include "report/definition_reader.h"
#include "report/report.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPrinterInfo>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

int ComponentCount(const TppReport &report)
{
    int count = 0;
    for (int i = 0; i < report.BandCount(); ++i)
        count += report.Bands(i)->ObjectCount();
    return count;
}

} // namespace

// The definition and its pictures are compiled into a static library; naming
// their initialisers keeps the linker from dropping them.
static void LoadDefinitions()
{
    Q_INIT_RESOURCE(pictures);
    Q_INIT_RESOURCE(definitions);
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    LoadDefinitions();
    constexpr int kRounds = 25;
    constexpr const char *kSheet = ":/assets/results_sheet.json";

    int printers = 0;
    const double qtFirst = Milliseconds([&] { printers = QPrinterInfo::availablePrinters().size(); });

    int components = 0;
    const double loadFirst = Milliseconds([&] { components = ComponentCount(*LoadReportDefinition(kSheet)); });

    std::vector<double> qt;
    std::vector<double> load;
    for (int round = 0; round < kRounds; ++round) {
        qt.push_back(Milliseconds([] { QPrinterInfo::availablePrinters(); }));
        load.push_back(Milliseconds([&] { LoadReportDefinition(kSheet); }));
    }

    std::printf("results sheet: %d components; %d printers known to Qt\n", components, printers);
    std::printf("QPrinterInfo::availablePrinters()  first %8.2f ms  median of %d %8.2f ms\n", qtFirst,
                kRounds, Median(qt));
    std::printf("load results sheet definition      first %8.2f ms  median of %d %8.2f ms\n", loadFirst,
                kRounds, Median(load));
    return 0;
}
