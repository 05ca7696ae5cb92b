// A file of strata as any bytes: the CSV reader ends on every input, and
// what it read, written again in the convention it found, reads back to the
// same cells and the same convention. Every cell read as each element is
// either refused or stored within that element's accepted range.

#include "app/csv_table.h"
#include "app/survey_elements.h"
#include "tests/fuzz/fuzz_check.h"

#include <sstream>
#include <string>
#include <vector>

namespace {

using Table = std::vector<std::vector<std::string>>;

bool ReadTable(const std::string &bytes, Table &table, CsvConvention &convention)
{
    std::istringstream input(bytes);
    CsvReader reader(input);
    std::vector<std::string> cells;
    if (!reader.ReadHeader(cells))
        return false;
    table.push_back(cells);
    while (reader.Next(cells))
        table.push_back(cells);
    convention = reader.Convention();
    return true;
}

void CheckRange(const SurveySelection &s)
{
    FUZZ_CHECK(s.ErrorPercent > 0 && s.ErrorPercent <= 20, "error %g", s.ErrorPercent);
    FUZZ_CHECK((s.ConfidenceLevel >= 50 && s.ConfidenceLevel <= 99) || s.Level995 || s.Level997, "level %d",
               s.ConfidenceLevel);
    FUZZ_CHECK(!s.ProportionPercent || (*s.ProportionPercent >= 15 && *s.ProportionPercent <= 95), "proportion");
    FUZZ_CHECK(!s.PopulationSize || *s.PopulationSize >= 1, "population");
    FUZZ_CHECK(!s.DesignEffect || *s.DesignEffect > 0, "design effect");
    FUZZ_CHECK(!s.Rho || (*s.Rho >= 0 && *s.Rho <= 1), "rho");
    FUZZ_CHECK(!s.ClusterSize || (*s.ClusterSize >= 1 && *s.ClusterSize <= 1000000), "cluster size");
    FUZZ_CHECK(!s.ResponseRatePercent || (*s.ResponseRatePercent >= 1 && *s.ResponseRatePercent <= 100),
               "response rate");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char *>(data), size);
    Table table;
    CsvConvention convention;
    if (!ReadTable(bytes, table, convention))
        return 0;

    std::string written;
    {
        CsvWriter writer(convention, [&written](std::string_view text) { written += text; });
        for (const auto &row : table)
            writer.Write(row);
        writer.Flush();
    }
    Table again;
    CsvConvention conventionAgain;
    FUZZ_CHECK(ReadTable(written, again, conventionAgain), "the written table has no header");
    FUZZ_CHECK(again == table, "cells differ after writing and reading again");
    FUZZ_CHECK(conventionAgain.separator == convention.separator && conventionAgain.lineEnd == convention.lineEnd
                   && conventionAgain.byteOrderMark == convention.byteOrderMark,
               "the convention changed");

    for (const auto &row : table) {
        SurveyEntry entry(convention.DecimalSeparator());
        for (std::size_t i = 0; i < row.size(); ++i)
            entry.Read(kSurveyElementNames[i % kSurveyElementCount].element, row[i]);
        CheckRange(entry.Selection());
    }
    return 0;
}
