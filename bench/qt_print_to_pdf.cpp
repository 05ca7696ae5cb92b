// The yardstick of bench/print_to_pdf.cpp: the same pages written as a Qt
// developer would by hand, with nothing of the report engine. Letter, a
// title, four bands a page, each with two labels, a frame, a JPEG picture
// (decoded once) and a 300-word text box (a QTextDocument per band), a
// footer; QPainter into a QPrinter.
// Usage: bench_qt_print_to_pdf pdf N repeated|unique PICTURE FILE
//          the PDF written straight into FILE; finished when the painter ends
//        bench_qt_print_to_pdf writer N repeated|unique PICTURE FILE
//          the same through a QPdfWriter of the printer's resolution
//        bench_qt_print_to_pdf queue N repeated|unique PICTURE
//          printed on the private print server's PDF queue; accepted when the
//          painter ends, finished when the queue's file is complete
//        bench_qt_print_to_pdf generate N repeated|unique PICTURE
//          the text documents laid out without painting: pages per
//          processor second
// Run through bench/print_to_pdf.sh.

#include "bench/band_text.h"
#include "bench/print_measures.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTextDocument>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

constexpr const char *kQueue = "ValdoraPDF";

// The page in millimetres, as the report of bench/print_to_pdf.cpp lays it out.
constexpr double kMargin = 6.35;
constexpr double kHeaderHeight = 20;
constexpr double kBandHeight = 58;
constexpr double kFooterHeight = 8;
constexpr double kPaperHeight = 279.401;

class Page
{
public:
    Page(QPaintDevice &device, const QImage &picture)
        : m_device(device)
        , m_picture(picture)
        , m_dpi(device.logicalDpiY())
        , m_labelFont(QStringLiteral("Arial"), 10)
        , m_textFont(QStringLiteral("Arial"), 7)
    {
    }

    // One page; with no painter the text documents are laid out only.
    void Make(QPainter *painter, band_text::Source &texts)
    {
        Label(painter, 0, kMargin + 5, 100, QStringLiteral("Informe de prueba"));
        double top = kMargin + kHeaderHeight;
        for (int band = 0; band < band_text::kBandsPerPage; ++band, top += kBandHeight)
            Band(painter, top, texts);
        Label(painter, 0, kPaperHeight - kMargin - kFooterHeight + 1, 40, QStringLiteral("Pie"));
    }

private:
    double Px(double millimetres) const { return millimetres * m_dpi / 25.4; }
    QRectF Rect(double left, double top, double width, double height) const
    {
        return QRectF(Px(kMargin + left), Px(top), Px(width), Px(height));
    }

    void Label(QPainter *painter, double left, double top, double width, const QString &text)
    {
        if (!painter)
            return;
        painter->setFont(m_labelFont);
        painter->drawText(Rect(left, top, width, 5), Qt::AlignLeft | Qt::AlignTop, text);
    }

    void Band(QPainter *painter, double top, band_text::Source &texts)
    {
        Label(painter, 0, top, 80, QStringLiteral("Tamaño de la muestra"));
        Label(painter, 0, top + 5.5, 80, QStringLiteral("Nivel de confianza: 95 %"));
        if (painter) {
            painter->setPen(QPen(Qt::black, Px(0.26)));
            painter->setBrush(Qt::NoBrush);
            painter->drawRect(Rect(90, top, 40, 8));
            painter->drawImage(Rect(140, top, 10.054, 8.731), m_picture);
        }
        QString text;
        for (const std::string &paragraph : texts.NextBand()) {
            if (!text.isEmpty())
                text += QLatin1Char('\n');
            text += QString::fromStdString(paragraph);
        }
        QTextDocument document;
        document.documentLayout()->setPaintDevice(&m_device);
        document.setDocumentMargin(0);
        document.setDefaultFont(m_textFont);
        document.setTextWidth(Px(200));
        document.setPlainText(text);
        const QRectF box = Rect(0, top + 11.5, 200, 46);
        if (!painter) {
            document.size();
            return;
        }
        painter->save();
        painter->translate(box.topLeft());
        document.drawContents(painter, QRectF(QPointF(0, 0), box.size()));
        painter->restore();
    }

    QPaintDevice &m_device;
    const QImage &m_picture;
    int m_dpi;
    QFont m_labelFont;
    QFont m_textFont;
};

void SetUp(QPrinter &printer)
{
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setFullPage(true);
    printer.setDocName(QStringLiteral("Report"));
}

bool PrintPages(QPrinter &printer, int pages, band_text::Source &texts, const QImage &picture)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    Page page(printer, picture);
    for (int n = 0; n < pages; ++n) {
        if (n > 0)
            printer.newPage();
        page.Make(&painter, texts);
    }
    return painter.end();
}

int Print(bool direct, int pages, band_text::Source &texts, const QImage &picture, const char *file,
          const char *wordsName)
{
    QPrinter printer(QPrinter::HighResolution);
    if (direct) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromLocal8Bit(file));
    } else {
        printer.setPrinterName(QString::fromLatin1(kQueue));
    }
    SetUp(printer);
    const long server = print_measures::PrintServerPid();
    if (!direct)
        print_measures::WaitForQueueIdle(kQueue);
    const double serverBefore = print_measures::ServerChildrenCpuSeconds(server);

    print_measures::Figures figures;
    figures.pages = pages;
    const double cpuBefore = print_measures::CpuSeconds();
    QElapsedTimer timer;
    timer.start();
    if (!PrintPages(printer, pages, texts, picture))
        return 1;
    figures.acceptedSeconds = timer.nsecsElapsed() / 1e9;
    if (!direct && !print_measures::WaitForQueueIdle(kQueue))
        return 1;
    figures.finishedSeconds = timer.nsecsElapsed() / 1e9;
    figures.cpuSeconds = print_measures::CpuSeconds() - cpuBefore;
    figures.serverCpuSeconds = print_measures::ServerChildrenCpuSeconds(server) - serverBefore;
    figures.pdfBytes = print_measures::FileBytes(direct ? file : print_measures::QueueOutputFile(kQueue));
    print_measures::PrintFigures(direct ? "qt pdf" : "qt queue", wordsName, figures);
    return 0;
}

int Write(int pages, band_text::Source &texts, const QImage &picture, const char *file, const char *wordsName)
{
    QPdfWriter writer(QString::fromLocal8Bit(file));
    writer.setResolution(QPrinter(QPrinter::HighResolution).resolution());
    writer.setPageSize(QPageSize(QPageSize::Letter));
    writer.setPageMargins(QMarginsF());
    writer.setTitle(QStringLiteral("Report"));
    print_measures::Figures figures;
    figures.pages = pages;
    const double cpuBefore = print_measures::CpuSeconds();
    QElapsedTimer timer;
    timer.start();
    QPainter painter;
    if (!painter.begin(&writer))
        return 1;
    Page page(writer, picture);
    for (int n = 0; n < pages; ++n) {
        if (n > 0)
            writer.newPage();
        page.Make(&painter, texts);
    }
    if (!painter.end())
        return 1;
    figures.acceptedSeconds = figures.finishedSeconds = timer.nsecsElapsed() / 1e9;
    figures.cpuSeconds = print_measures::CpuSeconds() - cpuBefore;
    figures.pdfBytes = print_measures::FileBytes(file);
    print_measures::PrintFigures("qt writer", wordsName, figures);
    return 0;
}

int Generate(int pages, band_text::Source &texts, const QImage &picture, const char *wordsName)
{
    // Measured at the resolution the pages would be printed at.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    SetUp(printer);
    Page page(printer, picture);
    texts.Prepare(pages * band_text::kBandsPerPage);
    QElapsedTimer timer;
    const double cpuBefore = print_measures::CpuSeconds();
    timer.start();
    for (int n = 0; n < pages; ++n)
        page.Make(nullptr, texts);
    const double seconds = timer.nsecsElapsed() / 1e9;
    const double cpu = print_measures::CpuSeconds() - cpuBefore;
    std::printf("qt generate      %-8s N %5d  pages %5d  %7.3f s  cpu %7.3f s  %8.1f pages per cpu second"
                "  peak %6.1f MB\n",
                wordsName, pages, pages, seconds, cpu, pages / cpu, print_measures::PeakMegabytes());
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 5 || ((std::strcmp(argv[1], "pdf") == 0 || std::strcmp(argv[1], "writer") == 0) && argc < 6)) {
        std::fprintf(stderr, "usage: %s pdf|writer|queue|generate N repeated|unique PICTURE [FILE]\n", argv[0]);
        return 2;
    }
    QApplication app(argc, argv);
    const int pages = std::atoi(argv[2]);
    const char *wordsName = argv[3];
    band_text::Source texts(std::strcmp(wordsName, "unique") == 0 ? band_text::Words::Unique
                                                                  : band_text::Words::Repeated);
    const QImage picture(QString::fromLocal8Bit(argv[4]));
    if (picture.isNull()) {
        std::fprintf(stderr, "cannot read the picture %s\n", argv[4]);
        return 2;
    }
    if (std::strcmp(argv[1], "pdf") == 0)
        return Print(true, pages, texts, picture, argv[5], wordsName);
    if (std::strcmp(argv[1], "writer") == 0)
        return Write(pages, texts, picture, argv[5], wordsName);
    if (std::strcmp(argv[1], "queue") == 0)
        return Print(false, pages, texts, picture, nullptr, wordsName);
    if (std::strcmp(argv[1], "generate") == 0)
        return Generate(pages, texts, picture, wordsName);
    return 2;
}
