#pragma once

#include <memory>
#include <optional>

class ScenarioTable;
class TppReport;

// The printable scenarios sheet, read from its definition compiled into the
// program beside the results sheet's: the user's values, the table of sample
// sizes and the curve.
std::unique_ptr<TppReport> CreateScenariosSheet();

// Writes the table (and the cost per interview, when there is one) onto the
// sheet, with the curve as a picture of two encodings: one at the screen's
// resolution for the preview, and one at the resolution of the printer the
// sheet is set up for, so that it is sharp on paper.
void FillScenariosSheet(TppReport &sheet, const ScenarioTable &table, std::optional<double> costPerInterview);

// How many times the screen's pixels each way the curve's printed encoding
// has for a printer of `printerDotsPerInch`: the printer's resolution in
// whole steps of 96 dots per inch, from 192 to 576.
int ChartPrintScale(int printerDotsPerInch);
