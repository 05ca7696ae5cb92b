#pragma once

#include "calc/sample_size.h"

#include <cstdint>
#include <string>
#include <vector>

// What one pair of maximum error and confidence gives: the sample size the
// results screen would show, or the calculation's message when it refuses.
struct ScenarioCell {
    std::int64_t SampleSize = 0;
    std::string Refusal;

    bool Refused() const { return !Refusal.empty(); }
};

// A confidence column: the level's text as the results screen shows it and
// its z-value.
struct ScenarioColumn {
    std::string Level;
    double Z = 0;
};

// A maximum error row: the fraction the calculation takes, and its cells in
// column order.
struct ScenarioRow {
    double ErrorFraction = 0;
    std::vector<ScenarioCell> Cells;
};

// Sample sizes for maximum errors around the user's and for several
// confidence levels, every other element as the user gave it. Each cell is
// the user's calculation record with only the error and the confidence
// changed, run through the same calculation.
class ScenarioTable {
public:
    // Rows: 1 % to 10 % in steps of 0.5 %, and the user's error where it is
    // none of them; columns: 90 %, 95 %, 99 % and the user's level where it is
    // none of them. Both in ascending order.
    static ScenarioTable For(const SampleSizeParams &user);

    const std::vector<ScenarioColumn> &Columns() const { return m_columns; }
    const std::vector<ScenarioRow> &Rows() const { return m_rows; }
    const ScenarioCell &Cell(int row, int column) const { return m_rows[row].Cells[column]; }
    int UserRow() const { return m_userRow; }
    int UserColumn() const { return m_userColumn; }
    // The user's own record, as the results screen shows it.
    const SampleSizeParams &User() const { return m_user; }

private:
    SampleSizeParams m_user;
    std::vector<ScenarioColumn> m_columns;
    std::vector<ScenarioRow> m_rows;
    int m_userRow = 0;
    int m_userColumn = 0;
};

// The cell for one error and confidence: the user's record with those two
// changed, computed as the results screen's was.
ScenarioCell ComputeScenarioCell(const SampleSizeParams &user, double errorFraction, const ScenarioColumn &column);

// A maximum error in percent as the results screen writes it.
std::string ErrorPercentText(double errorFraction, char decimalSeparator);

// A confidence level's tabled text ("99.5") in the user's number format.
std::string LevelText(const std::string &level, char decimalSeparator);
