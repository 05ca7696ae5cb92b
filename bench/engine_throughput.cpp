// Pages per second of a long report: AutoStop off and PageLimit N, the
// detail band holding a label, a shape, a picture and a word-wrapped memo of
// a few hundred words, all pages asked for at once through the report's
// publisher. Usage: bench_engine_throughput N on|off [memo|varying|nomemo]:
// N pages, page caching on or off, and the memo's text the same on every
// detail band (memo, the default), different on each (varying: its first
// line counts the prints, so every page wraps its texts afresh), or no memo
// at all, which shows what the engine and the other components cost. Prints
// one line: N, caching, pages, seconds, pages per second, detail bands per
// page and per second, time per band, peak memory.
// Run through bench/engine.sh, one process per figure, so that each peak is
// its own.

#include "bench/engine_bench_device.h"
#include "output/publisher.h"
#include "platform/picture.h"
#include "report/band_kinds.h"
#include "report/engine.h"
#include "report/image.h"
#include "report/label.h"
#include "report/memo.h"
#include "report/report.h"
#include "report/shape.h"

#include <QApplication>
#include <QElapsedTimer>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

static void LoadPictures()
{
    Q_INIT_RESOURCE(pictures);
}

namespace {

// A few hundred words of Spanish-looking text, in lines.
TppStringList MemoText()
{
    static const char *const kWords[] = {"muestra", "aleatoria", "simple", "para", "estimar", "una",
                                         "proporción", "con", "error", "máximo", "y", "confianza",
                                         "del", "noventa", "y", "cinco", "por", "ciento", "en", "la",
                                         "población", "objetivo", "según", "el", "diseño"};
    TppStringList lines;
    std::string line;
    for (int i = 0; i < 320; ++i) {
        line += kWords[i % std::size(kWords)];
        line += ' ';
        if (i % 80 == 79) {
            lines.push_back(line);
            line.clear();
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

template <typename Component>
Component &Place(TppBand &band, std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height)
{
    auto &component = static_cast<Component &>(*band.AddObject(std::make_unique<Component>()));
    component.SetBounds(left, top, width, height);
    return component;
}

std::unique_ptr<TppReport> LongReport(int pages, const std::string &memoMode, long &detailBands)
{
    auto report = std::make_unique<TppReport>();
    TppPrinterSetup &setup = report->PrinterSetup();
    setup.SetmmPaperWidth(215900);
    setup.SetmmPaperHeight(279401);
    for (auto set : {&TppPrinterSetup::SetmmMarginLeft, &TppPrinterSetup::SetmmMarginTop,
                     &TppPrinterSetup::SetmmMarginRight, &TppPrinterSetup::SetmmMarginBottom})
        (setup.*set)(6350);
    report->SetAutoStop(false);
    report->SetPageLimit(pages);

    auto &header = *report->AddBand(std::make_unique<TppHeaderBand>());
    header.SetmmHeight(20000);
    auto &title = Place<TppLabel>(header, 0, 5000, 100000, 6000);
    title.SetCaption("Informe de prueba");

    // Four detail bands to a page: the body runs from 26350 (top margin and
    // header) to 265051 (paper less bottom margin and footer), 238701, and
    // four bands take 232000.
    auto &detail = *report->AddBand(std::make_unique<TppDetailBand>());
    detail.SetmmHeight(58000);
    detail.AfterGenerate = [&detailBands](TppBand &) { ++detailBands; };
    auto &label = Place<TppLabel>(detail, 0, 0, 80000, 5000);
    label.SetCaption("Tamaño de la muestra");
    auto &shape = Place<TppShape>(detail, 90000, 0, 40000, 8000);
    shape.SetVisible(true);
    auto &image = Place<TppImage>(detail, 140000, 0, 10054, 8731);
    image.SetPicture(platform::LoadPictureResource(":/assets/check.jpg"));
    image.SetStretch(true);
    if (memoMode != "nomemo") {
        auto &memo = Place<TppMemo>(detail, 0, 10000, 190000, 48000);
        memo.SetLines(MemoText());
        if (memoMode == "varying") {
            // Lines edited in place change no layout: each print shows its own.
            detail.BeforePrint = [&memo, prints = 0](TppBand &) mutable {
                memo.Lines().front() = "Registro " + std::to_string(++prints) + ": " + MemoText().front();
            };
        }
    }

    auto &footer = *report->AddBand(std::make_unique<TppFooterBand>());
    footer.SetmmHeight(8000);
    Place<TppLabel>(footer, 0, 1000, 40000, 5000).SetCaption("Pie");
    return report;
}

long PeakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Processor time of this process so far: on a shared machine it shows the
// work apart from the time spent waiting for the processor.
double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval &t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s pages on|off [memo|varying|nomemo]\n", argv[0]);
        return 2;
    }
    const int pages = std::atoi(argv[1]);
    const bool cache = std::strcmp(argv[2], "on") == 0;
    const std::string memoMode = argc < 4 ? "memo" : argv[3];
    QApplication app(argc, argv);
    LoadPictures();

    long detailBands = 0;
    auto report = LongReport(pages, memoMode, detailBands);
    report->SetCachePages(cache);
    report->Publisher().SetCachePages(cache);
    // A job of its own: no window to keep responsive.
    report->SetEnableProcessMessages(false);
    CountingDevice device;
    device.SetPublisher(&report->Publisher());
    device.PageRequest().SetPageSetting(psAll);

    QElapsedTimer timer;
    const double cpuBefore = CpuSeconds();
    timer.start();
    device.RequestPages();
    const double seconds = timer.nsecsElapsed() / 1e9;
    const double cpu = CpuSeconds() - cpuBefore;

    const double bandsPerPage = device.pages ? double(detailBands) / double(device.pages) : 0.0;
    std::printf("%-7s N %6d  cache %-3s  pages %6ld  %8.3f s  %9.0f pages/s  bands/page %.2f  %9.0f bands/s"
                "  %7.1f us/band  cpu %8.3f s  peak %7.1f MB  commands/page %ld\n",
                memoMode.c_str(), pages, cache ? "on" : "off", device.pages, seconds, device.pages / seconds,
                bandsPerPage, detailBands / seconds, detailBands ? seconds * 1e6 / double(detailBands) : 0.0, cpu,
                PeakKilobytes() / 1024.0, device.pages ? device.commands / device.pages : 0);
    device.SetPublisher(nullptr);
    return device.pages == pages ? 0 : 1;
}
