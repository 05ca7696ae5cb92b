// Time to generate the results sheet's page: the sheet is loaded from its
// stored definition, and each round resets the engine and asks for page 1
// through the report's publisher, as the preview does when it opens. Prints
// the median and the spread in microseconds; run through bench/engine.sh.

#include "bench/engine_bench_device.h"
#include "output/publisher.h"
#include "report/definition_reader.h"
#include "report/engine.h"
#include "report/report.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

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
    constexpr int kRounds = 2000;

    auto report = LoadReportDefinition(":/assets/results_sheet.json");
    CountingDevice device;
    device.SetPublisher(&report->Publisher());
    device.PageRequest().SetPageSetting(psSinglePage);
    device.PageRequest().SetPageRequested(1);

    // The first request also opens the measuring printer and decodes the
    // pictures; it is shown on its own.
    QElapsedTimer timer;
    timer.start();
    device.RequestPages();
    const double firstMicros = timer.nsecsElapsed() / 1e3;

    std::vector<double> samples;
    samples.reserve(kRounds);
    for (int i = 0; i < kRounds; ++i) {
        report->Engine().Reset();
        timer.restart();
        device.RequestPages();
        samples.push_back(timer.nsecsElapsed() / 1e3);
    }
    std::sort(samples.begin(), samples.end());
    const long commands = device.commands / device.pages;
    std::printf("results sheet page: %ld pages, %ld commands each\n", device.pages, commands);
    std::printf("  first request            %10.1f us\n", firstMicros);
    std::printf("  median after a reset     %10.1f us  (%d rounds)\n", samples[samples.size() / 2], kRounds);
    std::printf("  10th / 90th percentile   %10.1f / %.1f us\n", samples[samples.size() / 10],
                samples[samples.size() * 9 / 10]);
    device.SetPublisher(nullptr);
    return device.pages == kRounds + 1 ? 0 : 1;
}
