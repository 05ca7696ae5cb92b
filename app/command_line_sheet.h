#pragma once

#include "app/present_result.h"
#include "calc/result_presentation.h"

#include <optional>
#include <string>
#include <vector>

struct SurveySelection;

// One results sheet: the texts the results screen would show, its rows, and
// the note.
struct SheetContent {
    ResultTexts texts;
    ConsideredElements considered;
    std::string note;
};

// The rows with a check mark, as the screen's boxes would be marked.
ConsideredElements ConsideredIn(const SurveySelection &selection);

// Where the sheets go: a PDF file (through the PDF file device, so a failed
// job keeps an existing file), or a print queue ("Default" for the default
// one).
struct SheetDestination {
    std::optional<std::string> pdfFile;
    std::string printer = "Default";
    int copies = 1;
};

// Writes or prints the sheets, one page each, as one document, through the
// results sheet report with neither print dialog nor cancel dialog. Throws
// with the reason when nothing, or not everything, could be written or
// printed; messages the report would show in boxes become that reason.
void OutputSheets(const std::vector<SheetContent> &sheets, const SheetDestination &destination);

// Whether a print queue of that name exists.
bool PrintQueueExists(const std::string &name);
