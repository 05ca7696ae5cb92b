#pragma once

#include <string>

struct ConsideredElements;
struct ResultTexts;
class TppReport;

// The sheet's rows in step with the results screen's: the population row
// disappears when the population is not considered, and the check mark of
// each optional element shows whether the user gave it.
void ShowConsideredSheetRows(const TppReport &sheet, const ConsideredElements &considered);

// The sheet carrying a calculation's texts as the results screen shows them,
// and the note as one entry (its lines separated by CR LF), so that writing
// it again never repeats it; each value kept within its box.
void WriteSheetValues(TppReport &sheet, const ResultTexts &texts, const std::string &note);
