#include "app/scenarios_csv.h"

#include "app/scenarios_table.h"

std::vector<std::vector<std::string>> ScenarioRecords(const ScenarioTable &table, const CsvConvention &convention)
{
    const char decimal = convention.DecimalSeparator();
    std::vector<std::vector<std::string>> records;
    std::vector<std::string> header{"error"};
    for (const ScenarioColumn &column : table.Columns())
        header.push_back("confidence_" + LevelText(column.Level, decimal));
    records.push_back(std::move(header));
    for (const ScenarioRow &row : table.Rows()) {
        std::vector<std::string> record{ErrorPercentText(row.ErrorFraction, decimal)};
        for (const ScenarioCell &cell : row.Cells)
            record.push_back(cell.Refused() ? cell.Refusal : std::to_string(cell.SampleSize));
        records.push_back(std::move(record));
    }
    return records;
}

CsvConvention ConventionForDecimalSeparator(char decimalSeparator)
{
    CsvConvention convention;
    convention.separator = decimalSeparator == ',' ? ';' : ',';
    return convention;
}
