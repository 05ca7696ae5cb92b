#pragma once

#include "app/csv_table.h"

#include <string>
#include <vector>

class ScenarioTable;

// The scenarios table as CSV records: a header ("error", then
// "confidence_" and each column's level), then one record per maximum error
// in percent with its sample sizes, a refused cell holding the calculation's
// message as the window shows it. Numbers use the convention's decimal
// separator.
std::vector<std::vector<std::string>> ScenarioRecords(const ScenarioTable &table, const CsvConvention &convention);

// The convention of a table written with no input to follow: the one a
// spreadsheet in the user's locale reads, semicolons with decimal commas
// where the decimal separator is a comma.
CsvConvention ConventionForDecimalSeparator(char decimalSeparator);
