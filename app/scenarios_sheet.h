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
// sheet, with the curve drawn at the resolution of the printer the sheet is
// set up for, so that it is sharp on paper.
void FillScenariosSheet(TppReport &sheet, const ScenarioTable &table, std::optional<double> costPerInterview);

// The resolution the curve is drawn at for a printer of `printerDotsPerInch`:
// the printer's own, within what a page picture sensibly takes.
int ChartDotsPerInch(int printerDotsPerInch);
