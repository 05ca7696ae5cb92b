// Wrapping a long memo text on the PDF test queue's resolution: time and
// lines for texts of 0.25, 0.5 and 1 MB, wrapped into one tall rectangle and
// page by page through the continuation position, to show that the cost
// grows linearly with the text's length; and one huge word without blanks.
#include "output/printer.h"
#include "output/printer_canvas.h"
#include "report/plain_text.h"
#include "report/text_wrapper.h"

#include <QGuiApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::int32_t kWidth = 170000;      // 170 mm, a memo across an A4 page
constexpr std::int32_t kPageHeight = 240000; // 240 mm of memo per page
constexpr int kRepeats = 3;

// A deterministic Spanish-looking text of `bytes` bytes: words of the
// calculator's own vocabulary, paragraphs of about 600 bytes.
std::string MemoText(std::size_t bytes)
{
    static const char *const words[] = {
        "muestra", "población", "proporción", "error", "máximo", "aceptable", "nivel",
        "confianza", "tamaño", "efecto", "diseño", "tasa", "respuesta", "corrección",
        "finita", "aleatorio", "simple", "de", "la", "el", "y", "con", "para", "un", "una",
        "valor", "estimación", "cálculo", "resultado", "hoja",
    };
    std::string text;
    text.reserve(bytes + 32);
    unsigned state = 12345;
    std::size_t paragraph = 0;
    while (text.size() < bytes) {
        state = state * 1103515245u + 12345u;
        const std::string word = words[(state >> 16) % std::size(words)];
        text += word;
        paragraph += word.size() + 1;
        if (paragraph > 600) {
            text += ".\r\n";
            paragraph = 0;
        } else {
            text += ' ';
        }
    }
    text.resize(bytes);
    return text;
}

TppFont Arial10()
{
    TppFont font;
    font.SetName("Arial");
    font.SetSize(10);
    return font;
}

struct Run {
    double milliseconds = 0;
    std::size_t lines = 0;
    int pages = 0;
};

Run WrapWhole(const std::string &text, platform::Canvas *canvas)
{
    Run best;
    for (int i = 0; i < kRepeats; ++i) {
        const auto start = Clock::now();
        TppStringList lines;
        std::size_t position = 0;
        TppPlainText::WrapText(text, {0, 0, kWidth, 2000000000}, lines, position, canvas, {}, 0,
                               false, Arial10(), false, taLeftJustified);
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        if (i == 0 || ms < best.milliseconds)
            best = {ms, lines.size(), 1};
    }
    return best;
}

Run WrapPaged(const std::string &text, platform::Canvas *canvas)
{
    Run best;
    for (int i = 0; i < kRepeats; ++i) {
        const auto start = Clock::now();
        Run run;
        std::size_t position = 0;
        while (position < text.size()) {
            TppStringList lines;
            const std::size_t before = position;
            TppPlainText::WrapText(text, {0, 0, kWidth, kPageHeight}, lines, position, canvas, {},
                                   0, false, Arial10(), false, taLeftJustified);
            run.lines += lines.size();
            ++run.pages;
            if (position <= before)
                break; // would never end
        }
        run.milliseconds = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        if (i == 0 || run.milliseconds < best.milliseconds)
            best = run;
    }
    return best;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    TppPrinter printer;
    printer.SetPrinterName("ValdoraPDF");
    platform::Canvas *canvas = TppPlainText::MeasuringCanvasOf(&printer);
    if (!canvas || printer.PrinterDisplayName() != "ValdoraPDF") {
        std::fprintf(stderr, "the test queue ValdoraPDF is missing: start the test services\n");
        return 1;
    }
    std::printf("Wrapping a memo text, Arial 10 pt, 170 mm wide, on %s at %d dpi (best of %d)\n",
                printer.PrinterDisplayName().c_str(), canvas->PixelsPerInchX(), kRepeats);
    std::printf("%10s %12s %8s %14s %12s %8s %6s %14s\n", "bytes", "whole ms", "lines", "us/KB",
                "paged ms", "lines", "pages", "us/KB");
    double firstWhole = 0;
    double firstPaged = 0;
    for (const std::size_t bytes : {256u * 1024u, 512u * 1024u, 1024u * 1024u}) {
        const std::string text = MemoText(bytes);
        const Run whole = WrapWhole(text, canvas);
        const Run paged = WrapPaged(text, canvas);
        const double kb = bytes / 1024.0;
        std::printf("%10zu %12.1f %8zu %14.1f %12.1f %8zu %6d %14.1f\n", bytes, whole.milliseconds,
                    whole.lines, whole.milliseconds * 1000 / kb, paged.milliseconds, paged.lines,
                    paged.pages, paged.milliseconds * 1000 / kb);
        if (firstWhole == 0) {
            firstWhole = whole.milliseconds;
            firstPaged = paged.milliseconds;
        } else {
            std::printf("%10s time x%.2f (whole), x%.2f (paged) for x%.0f the text\n", "",
                        whole.milliseconds / firstWhole, paged.milliseconds / firstPaged,
                        bytes / (256.0 * 1024));
        }
    }
    // A pasted text without a single blank: one huge word cut into lines.
    std::printf("\nOne word without blanks (letters cut where the line is full)\n");
    std::printf("%10s %12s %8s %14s\n", "bytes", "whole ms", "lines", "us/KB");
    for (const std::size_t bytes : {256u * 1024u, 512u * 1024u, 1024u * 1024u}) {
        const Run whole = WrapWhole(std::string(bytes, 'x'), canvas);
        std::printf("%10zu %12.1f %8zu %14.1f\n", bytes, whole.milliseconds, whole.lines,
                    whole.milliseconds * 1000 / (bytes / 1024.0));
    }
    return 0;
}
