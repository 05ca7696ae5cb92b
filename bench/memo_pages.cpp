// Time per page of a stretching memo that runs over many pages, for texts
// from 1 KB to 4 MB: a page should cost what it prints, whatever the length
// of the whole text. For each size: the pages of the whole report generated
// in one request (milliseconds per page), and one page from the middle
// generated again from the saved state (median of a few rounds). Measured on
// the PDF test queue's resolution; run through bench/memo.sh.

#include "bench/engine_bench_device.h"
#include "bench/timing.h"
#include "output/publisher.h"
#include "report/band_kinds.h"
#include "report/engine.h"
#include "report/memo.h"
#include "report/report.h"

#include <QApplication>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>

namespace {

// Paragraphs of about 600 bytes of the calculator's own vocabulary, one to a
// line, `bytes` in all.
TppStringList MemoLines(std::size_t bytes)
{
    static const char *const kWords[] = {
        "muestra", "población", "proporción", "error", "máximo", "aceptable", "nivel", "confianza",
        "tamaño", "efecto", "diseño", "tasa", "respuesta", "corrección", "finita", "aleatorio",
        "simple", "de", "la", "el", "y", "con", "para", "un", "una", "valor", "estimación"};
    TppStringList lines;
    std::string line;
    std::size_t total = 0;
    unsigned state = 12345;
    while (total < bytes) {
        state = state * 1103515245u + 12345u;
        const std::string word = kWords[(state >> 16) % std::size(kWords)];
        line += word;
        line += ' ';
        total += word.size() + 1;
        if (line.size() > 600) {
            lines.push_back(std::move(line));
            line.clear();
            total += 2;
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

double CpuMilliseconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval &t) { return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

std::unique_ptr<TppReport> MemoReport(std::size_t bytes)
{
    auto report = std::make_unique<TppReport>();
    TppPrinterSetup &setup = report->PrinterSetup();
    setup.SetmmPaperWidth(210000);
    setup.SetmmPaperHeight(297000);
    for (auto set : {&TppPrinterSetup::SetmmMarginLeft, &TppPrinterSetup::SetmmMarginTop,
                     &TppPrinterSetup::SetmmMarginRight, &TppPrinterSetup::SetmmMarginBottom})
        (setup.*set)(10000);
    auto &detail = *report->AddBand(std::make_unique<TppDetailBand>());
    detail.SetPrintHeight(phDynamic);
    detail.SetmmHeight(20000);
    auto &memo = static_cast<TppMemo &>(*detail.AddObject(std::make_unique<TppMemo>()));
    memo.SetBounds(0, 0, 190000, 20000);
    memo.SetStretch(true);
    memo.SetLines(MemoLines(bytes));
    return report;
}

void Measure(std::size_t bytes, bool print)
{
    auto report = MemoReport(bytes);
    report->SetEnableProcessMessages(false);
    CountingDevice device;
    device.SetPublisher(&report->Publisher());
    // The report's printer is opened by a first page generated apart.
    device.PageRequest().SetPageSetting(psFirstPage);
    device.RequestPages();
    report->Engine().Reset();
    device.pages = 0;
    device.PageRequest().SetPageSetting(psAll);
    const double cpuBefore = CpuMilliseconds();
    const double wall = Milliseconds([&] { device.RequestPages(); });
    const double cpu = CpuMilliseconds() - cpuBefore;
    const double pages = double(std::max(device.pages, 1L));
    if (print)
        std::printf("memo %8zu bytes  pages %5ld  wall %9.1f ms  %8.3f ms/page  cpu %9.1f ms  %8.3f ms/page\n",
                    bytes, device.pages, wall, wall / pages, cpu, cpu / pages);
    device.SetPublisher(nullptr);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    // Loading fonts and the print support is no memo's either.
    Measure(std::size_t(1) << 10, false);
    for (const std::size_t bytes : {std::size_t(1) << 10, std::size_t(16) << 10, std::size_t(100) << 10,
                                    std::size_t(1) << 20, std::size_t(4) << 20})
        Measure(bytes, true);
    return 0;
}
