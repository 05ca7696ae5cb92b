#include "app/results_sheet.h"

#include "assets/library_texts.h"
#include "platform/user_locale.h"
#include "report/band.h"
#include "report/component.h"
#include "report/definition_reader.h"
#include "report/label.h"
#include "report/report.h"
#include "report/text_measuring.h"

#include <QtGlobal>

#include <algorithm>
#include <stdexcept>
#include <string>

// The definition lives in a resource of a static library; naming its
// initialiser keeps the linker from dropping it. Not inside a namespace.
static void InitDefinitionResource()
{
    Q_INIT_RESOURCE(definitions);
}

std::unique_ptr<TppReport> CreateResultsSheet()
{
    InitDefinitionResource();
    std::unique_ptr<TppReport> sheet = LoadReportDefinition(":/assets/results_sheet.json");
    // The report windows speak the user's language, as the screens write numbers.
    const TppLanguageIndex language = LanguageIndexFor(platform::LanguageCode());
    sheet->SetLanguageIndex(language);
    // What the status line, the print server's job and the PDF's title call it.
    sheet->PrinterSetup().SetDocumentName(ResultsSheetName(language));
    return sheet;
}

std::string ResultsSheetName(std::int32_t languageIndex)
{
    return languageIndex == liSpanish ? "Tamaño de muestra" : "Sample size";
}

TppComponent &SheetComponent(const TppReport &sheet, std::string_view name)
{
    for (int b = 0; b < sheet.BandCount(); ++b) {
        const TppBand *band = sheet.Bands(b);
        for (int i = 0; i < band->ObjectCount(); ++i) {
            TppComponent *component = band->Objects(i);
            if (component->Name() == name)
                return *component;
        }
    }
    throw std::runtime_error("The results sheet has no component " + std::string(name) + ".");
}

namespace {

// The horizontal ellipsis, in the engine's UTF-8.
constexpr std::string_view kEllipsis = "\xE2\x80\xA6";

bool IsAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The text shortened in the middle until it fits; a value is plain ASCII,
// anything else is left whole rather than cut inside a character.
std::string ElidedInTheMiddle(const std::string &text, std::int32_t room, const TppTextMeasuring &measuring)
{
    if (!IsAscii(text))
        return text;
    for (std::size_t keep = text.size() - 1; keep > 0; --keep) {
        const std::size_t tail = keep / 2;
        std::string candidate = text.substr(0, keep - tail);
        candidate += kEllipsis;
        candidate += text.substr(text.size() - tail);
        if (measuring.Width(candidate, {}) <= room)
            return candidate;
    }
    return std::string(kEllipsis);
}

} // namespace

void FitSheetValueLabels(TppReport &sheet)
{
    TppTextMeasuring measuring(sheet.MeasuringCanvas());
    for (const SheetValueBox &box : kSheetValueBoxes) {
        auto *label = dynamic_cast<TppLabel *>(&SheetComponent(sheet, box.name));
        if (!label)
            throw std::runtime_error("The results sheet's " + std::string(box.name) + " is not a label.");
        TppFont font = label->Font();
        font.SetSize(kSheetValuePoints);
        std::string text = label->Caption();
        measuring.Canvas().SetFont(font);
        while (font.Size() > kSheetSmallestValuePoints && measuring.Width(text, {}) > box.width) {
            font.SetSize(font.Size() - 1);
            measuring.Canvas().SetFont(font);
        }
        if (measuring.Width(text, {}) > box.width)
            text = ElidedInTheMiddle(text, box.width, measuring);
        label->SetFont(font);
        label->SetCaption(text);
    }
}
