// Printing on paper through the report, as a user does it: Print with the
// device type "Printer", OK pressed in the print dialog, the job handed to
// the PDF queue of the private print server. The time runs from the OK
// click to the report's AfterPrint, which fires once the spooler has
// accepted the job.
// Usage: bench_printing sheet [runs] - the one-page results sheet, median
//        bench_printing long N        - an N-page report; pages per second
//                                       and the process's peak memory
// Run through bench/printing.sh, one process per figure.

#include "app/results_sheet.h"
#include "bench/timing.h"
#include "output/printer_list.h"
#include "preview/print_dialog.h"
#include "preview/print_registration.h"
#include "report/band_kinds.h"
#include "report/engine.h"
#include "report/label.h"
#include "report/report.h"
#include "report/shape.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>

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

constexpr const char *kQueue = "ValdoraPDF";

long PeakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

template <typename Component>
Component &Place(TppBand &band, std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height)
{
    auto &component = static_cast<Component &>(*band.AddObject(std::make_unique<Component>()));
    component.SetBounds(left, top, width, height);
    return component;
}

// A Letter report of `pages` pages: a title, four detail bands of a label and
// a frame, a footer.
std::unique_ptr<TppReport> LongReport(int pages)
{
    auto report = std::make_unique<TppReport>();
    report->SetAutoStop(false);
    report->SetPageLimit(pages);
    auto &header = *report->AddBand(std::make_unique<TppHeaderBand>());
    header.SetmmHeight(20000);
    Place<TppLabel>(header, 0, 5000, 100000, 6000).SetCaption("Informe de prueba");
    auto &detail = *report->AddBand(std::make_unique<TppDetailBand>());
    detail.SetmmHeight(60000);
    Place<TppLabel>(detail, 0, 0, 80000, 5000).SetCaption("Tamaño de la muestra");
    Place<TppShape>(detail, 90000, 0, 40000, 8000).SetVisible(true);
    auto &footer = *report->AddBand(std::make_unique<TppFooterBand>());
    footer.SetmmHeight(8000);
    Place<TppLabel>(footer, 0, 1000, 40000, 5000).SetCaption("Pie");
    return report;
}

// Presses OK in the print dialog once it is up, and notes the time.
class OkPresser
{
public:
    OkPresser() { Poll(); }
    ~OkPresser() { delete m_guard; }

    QElapsedTimer sinceOk;

private:
    void Poll()
    {
        QTimer::singleShot(0, m_guard, [this] { Poll(); });
        auto *dialog = qobject_cast<TppPrintDialog *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible() || m_pressed == dialog)
            return;
        m_pressed = dialog;
        sinceOk.start();
        dialog->findChild<QPushButton *>(QStringLiteral("btnOK"))->click();
    }

    QObject *m_guard = new QObject;
    QDialog *m_pressed = nullptr;
};

// Milliseconds from OK to the job accepted.
double PrintOnce(TppReport &report)
{
    OkPresser presser;
    double accepted = -1;
    report.AfterPrint = [&](TppCustomReport &) { accepted = presser.sinceOk.nsecsElapsed() / 1e6; };
    report.Print();
    return accepted;
}

void Prepare(TppReport &report)
{
    report.PrinterSetup().SetPrinterName(kQueue);
    report.PrinterSetup().SetDocumentName("Report");
    report.SetDeviceType("Printer");
}

int Sheet(int runs)
{
    auto sheet = CreateResultsSheet();
    Prepare(*sheet);
    std::vector<double> samples;
    for (int run = 0; run < runs; ++run) {
        const double ms = PrintOnce(*sheet);
        if (ms < 0)
            return 1;
        samples.push_back(ms);
    }
    std::printf("results sheet, OK to job accepted: median %.1f ms (min %.1f, max %.1f, %d runs)\n", Median(samples),
                *std::min_element(samples.begin(), samples.end()), *std::max_element(samples.begin(), samples.end()),
                runs);
    return 0;
}

int Long(int pages)
{
    auto report = LongReport(pages);
    Prepare(*report);
    // When the last page was made: the rest is the spooler taking the job.
    QElapsedTimer sinceStart;
    double lastPageMade = 0;
    report->OnEndPage = [&](TppCustomReport &self) {
        if (self.Engine().PageNo() == pages)
            lastPageMade = sinceStart.nsecsElapsed() / 1e9;
    };
    sinceStart.start();
    const double ms = PrintOnce(*report);
    const double total = sinceStart.nsecsElapsed() / 1e9;
    if (ms < 0)
        return 1;
    const double handOver = total - lastPageMade;
    std::printf("N %5d  OK to job accepted %7.3f s  %6.0f pages/s  (pages made %6.0f pages/s, hand-over to the spooler %.3f s)  peak %6.1f MB\n",
                pages, ms / 1000, pages / (ms / 1000), pages / (ms / 1000 - handOver), handOver,
                PeakKilobytes() / 1024.0);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s sheet [runs] | long N\n", argv[0]);
        return 2;
    }
    QApplication app(argc, argv);
    LoadPictures();
    TppPrintRegistration registration;
    TppPrinterList::Instance().Refresh();
    if (std::strcmp(argv[1], "sheet") == 0)
        return Sheet(argc > 2 ? std::atoi(argv[2]) : 15);
    if (std::strcmp(argv[1], "long") == 0 && argc > 2)
        return Long(std::atoi(argv[2]));
    return 2;
}
