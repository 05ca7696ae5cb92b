#include "app/sheet_rows.h"

#include "app/present_result.h"
#include "app/results_sheet.h"
#include "calc/result_presentation.h"
#include "report/component.h"
#include "report/custom_memo.h"
#include "report/report.h"

#include <stdexcept>

void ShowConsideredSheetRows(const TppReport &sheet, const ConsideredElements &considered)
{
    for (const char *name : {"ppLabel14", "ppLabel7", "ppImage8"})
        SheetComponent(sheet, name).SetVisible(considered.Population);
    SheetComponent(sheet, "ppImage6").SetVisible(considered.DesignEffect);
    SheetComponent(sheet, "ppImage7").SetVisible(considered.ResponseRate);
    SheetComponent(sheet, "ppImage5").SetVisible(considered.Proportion);
}

namespace {

// Any line ends as CR LF, as the screen's note is handed to the sheet.
std::string WithCrLf(const std::string &text)
{
    std::string lines;
    lines.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        if (text[i] == '\n')
            lines += "\r\n";
        else
            lines += text[i];
    }
    return lines;
}

} // namespace

void WriteSheetValues(TppReport &sheet, const ResultTexts &texts, const std::string &note)
{
    const std::pair<const char *, const std::string *> values[] = {
        {"ppLabel1", &texts.SampleSize},   {"ppLabel2", &texts.Error},        {"ppLabel3", &texts.Confidence},
        {"ppLabel4", &texts.Proportion},   {"ppLabel5", &texts.DesignEffect}, {"ppLabel6", &texts.ResponseRate},
        {"ppLabel7", &texts.Population},
    };
    for (const auto &[name, value] : values)
        SheetComponent(sheet, name).SetCaption(*value);
    auto *memo = dynamic_cast<TppCustomMemo *>(&SheetComponent(sheet, "ppMemo1"));
    if (!memo)
        throw std::runtime_error("The results sheet has no note.");
    memo->SetLines({WithCrLf(note)});
    FitSheetValueLabels(sheet);
}
