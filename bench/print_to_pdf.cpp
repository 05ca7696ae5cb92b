// The road from a report to a finished PDF, through the printer device and
// the PDF queue of the private print server, on a page of four bands, each
// with two labels, a frame, a JPEG picture and a 300-word text box (Letter).
// bench/qt_print_to_pdf.cpp makes the same pages with hand-written Qt.
// Usage: bench_print_to_pdf print N repeated|unique
//          OK pressed in the print dialog, as a user prints; times to the job
//          taken by the spooler (the report's AfterPrint) and to the queue's
//          file finished, processor time of this process and of the print
//          server's filters, peak memory, bytes of the PDF
//        bench_print_to_pdf file N repeated|unique FILE
//          the PDF file device writing FILE, no dialog: finished when the
//          file is in place
//        bench_print_to_pdf generate N repeated|unique
//          the pages alone, to a device that draws nothing: pages per
//          processor second
// Words: every band's text mixes the same 25 words, or no word comes twice.
// Run through bench/print_to_pdf.sh.

#include "bench/band_text.h"
#include "bench/engine_bench_device.h"
#include "bench/print_measures.h"
#include "output/printer_list.h"
#include "output/publisher.h"
#include "platform/picture.h"
#include "preview/print_dialog.h"
#include "preview/print_registration.h"
#include "report/band_kinds.h"
#include "report/engine.h"
#include "report/image.h"
#include "report/label.h"
#include "report/memo.h"
#include "report/report.h"
#include "report/shape.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>

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

template <typename Component>
Component &Place(TppBand &band, std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height)
{
    auto &component = static_cast<Component &>(*band.AddObject(std::make_unique<Component>()));
    component.SetBounds(left, top, width, height);
    return component;
}

TppFont Arial(int points)
{
    TppFont font;
    font.SetName("Arial");
    font.SetSize(points);
    font.SetColor(clBlack);
    return font;
}

TppLabel &PlaceLabel(TppBand &band, std::int32_t left, std::int32_t top, std::int32_t width, const char *caption)
{
    auto &label = Place<TppLabel>(band, left, top, width, 5000);
    label.SetFont(Arial(10));
    label.SetCaption(caption);
    // As the hand-written page draws them: no background of their own.
    label.SetTransparent(true);
    return label;
}

// The page of the benchmarks (see bench/qt_print_to_pdf.cpp for the same in
// Qt): a title, four detail bands, a footer. Each detail band takes the next
// text of `texts` before it prints.
std::unique_ptr<TppReport> BenchReport(int pages, band_text::Source &texts)
{
    auto report = std::make_unique<TppReport>();
    TppPrinterSetup &setup = report->PrinterSetup();
    setup.SetPrinterName(kQueue);
    setup.SetDocumentName("Report");
    setup.SetmmPaperWidth(215900);
    setup.SetmmPaperHeight(279401);
    for (auto set : {&TppPrinterSetup::SetmmMarginLeft, &TppPrinterSetup::SetmmMarginTop,
                     &TppPrinterSetup::SetmmMarginRight, &TppPrinterSetup::SetmmMarginBottom})
        (setup.*set)(6350);
    report->SetAutoStop(false);
    report->SetPageLimit(pages);

    auto &header = *report->AddBand(std::make_unique<TppHeaderBand>());
    header.SetmmHeight(20000);
    PlaceLabel(header, 0, 5000, 100000, "Informe de prueba");

    // Four bands of 58000 fill the body between header and footer (238701).
    auto &detail = *report->AddBand(std::make_unique<TppDetailBand>());
    detail.SetmmHeight(58000);
    PlaceLabel(detail, 0, 0, 80000, "Tamaño de la muestra");
    PlaceLabel(detail, 0, 5500, 80000, "Nivel de confianza: 95 %");
    auto &frame = Place<TppShape>(detail, 90000, 0, 40000, 8000);
    frame.SetBrush(TppBrush{clWhite, bsClear});
    auto &image = Place<TppImage>(detail, 140000, 0, 10054, 8731);
    image.SetPicture(platform::LoadPictureResource(":/assets/check.jpg"));
    image.SetStretch(true);
    auto &memo = Place<TppMemo>(detail, 0, 11500, 200000, 46000);
    memo.SetFont(Arial(7));
    memo.SetTransparent(true);
    detail.BeforePrint = [&memo, &texts](TppBand &) {
        TppStringList &lines = memo.Lines();
        lines.clear();
        for (std::string &paragraph : texts.NextBand())
            lines.push_back(std::move(paragraph));
    };

    auto &footer = *report->AddBand(std::make_unique<TppFooterBand>());
    footer.SetmmHeight(8000);
    PlaceLabel(footer, 0, 1000, 40000, "Pie");
    return report;
}

band_text::Words WordsArgument(const char *text)
{
    return std::strcmp(text, "unique") == 0 ? band_text::Words::Unique : band_text::Words::Repeated;
}

// Presses OK in the print dialog once it is up, and notes the time.
class OkPresser
{
public:
    OkPresser() { Poll(); }
    ~OkPresser() { delete m_guard; }

    QElapsedTimer sinceOk;
    double cpuAtOk = 0;

private:
    // Polls until it has pressed, and no longer: a poll left running would
    // spin inside every event loop of the print road and be counted as its
    // processor time.
    void Poll()
    {
        auto *dialog = qobject_cast<TppPrintDialog *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) {
            QTimer::singleShot(1, m_guard, [this] { Poll(); });
            return;
        }
        cpuAtOk = print_measures::CpuSeconds();
        sinceOk.start();
        dialog->findChild<QPushButton *>(QStringLiteral("btnOK"))->click();
    }

    QObject *m_guard = new QObject;
};

int Print(int pages, band_text::Words words, const char *wordsName)
{
    band_text::Source texts(words);
    auto report = BenchReport(pages, texts);
    report->SetDeviceType("Printer");
    const long server = print_measures::PrintServerPid();
    print_measures::WaitForQueueIdle(kQueue);
    const double serverBefore = print_measures::ServerChildrenCpuSeconds(server);

    print_measures::Figures figures;
    figures.pages = pages;
    OkPresser presser;
    bool printed = false;
    report->AfterPrint = [&](TppCustomReport &) {
        figures.acceptedSeconds = presser.sinceOk.nsecsElapsed() / 1e9;
        printed = true;
    };
    report->Print();
    if (!printed || !print_measures::WaitForQueueIdle(kQueue))
        return 1;
    figures.finishedSeconds = presser.sinceOk.nsecsElapsed() / 1e9;
    figures.cpuSeconds = print_measures::CpuSeconds() - presser.cpuAtOk;
    figures.serverCpuSeconds = print_measures::ServerChildrenCpuSeconds(server) - serverBefore;
    figures.pdfBytes = print_measures::FileBytes(print_measures::QueueOutputFile(kQueue));
    print_measures::PrintFigures("valdora print", wordsName, figures);
    return 0;
}

int WriteFile(int pages, band_text::Words words, const char *wordsName, const char *file)
{
    band_text::Source texts(words);
    auto report = BenchReport(pages, texts);
    report->SetDeviceType("PDFFile");
    report->SetShowPrintDialog(false);
    report->SetTextFileName(file);

    print_measures::Figures figures;
    figures.pages = pages;
    const double cpuBefore = print_measures::CpuSeconds();
    QElapsedTimer timer;
    timer.start();
    report->Print();
    figures.acceptedSeconds = figures.finishedSeconds = timer.nsecsElapsed() / 1e9;
    figures.cpuSeconds = print_measures::CpuSeconds() - cpuBefore;
    figures.pdfBytes = print_measures::FileBytes(file);
    if (figures.pdfBytes <= 0)
        return 1;
    print_measures::PrintFigures("valdora file", wordsName, figures);
    return 0;
}

int Generate(int pages, band_text::Words words, const char *wordsName)
{
    band_text::Source texts(words);
    auto report = BenchReport(pages, texts);
    // A job of its own: no window to keep responsive.
    report->SetEnableProcessMessages(false);
    CountingDevice device;
    device.SetPublisher(&report->Publisher());
    device.PageRequest().SetPageSetting(psAll);
    texts.Prepare(pages * band_text::kBandsPerPage);

    QElapsedTimer timer;
    const double cpuBefore = print_measures::CpuSeconds();
    timer.start();
    device.RequestPages();
    const double seconds = timer.nsecsElapsed() / 1e9;
    const double cpu = print_measures::CpuSeconds() - cpuBefore;
    std::printf("valdora generate %-8s N %5d  pages %5ld  %7.3f s  cpu %7.3f s  %8.1f pages per cpu second"
                "  peak %6.1f MB\n",
                wordsName, pages, device.pages, seconds, cpu, device.pages / cpu, print_measures::PeakMegabytes());
    device.SetPublisher(nullptr);
    return device.pages == pages ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s print|generate|file N repeated|unique [FILE]\n", argv[0]);
        return 2;
    }
    QApplication app(argc, argv);
    LoadPictures();
    TppPrintRegistration registration;
    TppPrinterList::Instance().Refresh();
    const int pages = std::atoi(argv[2]);
    if (std::strcmp(argv[1], "print") == 0)
        return Print(pages, WordsArgument(argv[3]), argv[3]);
    if (std::strcmp(argv[1], "generate") == 0)
        return Generate(pages, WordsArgument(argv[3]), argv[3]);
    if (std::strcmp(argv[1], "file") == 0 && argc > 4)
        return WriteFile(pages, WordsArgument(argv[3]), argv[3], argv[4]);
    return 2;
}
