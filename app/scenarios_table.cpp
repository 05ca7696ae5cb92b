#include "app/scenarios_table.h"

#include "calc/confidence.h"
#include "calc/errors.h"
#include "calc/number_text.h"

#include <algorithm>
#include <charconv>

namespace {

constexpr int kFirstHalfPercent = 2;  // 1 %
constexpr int kLastHalfPercent = 20;  // 10 %
constexpr std::int32_t kStandardLevels[] = {90, 95, 99};

// Levels are tabled texts ("95", "99.5"), read the same in every locale.
double LevelValue(const std::string &level)
{
    double value = 0;
    std::from_chars(level.data(), level.data() + level.size(), value);
    return value;
}

long double Percent(double fraction)
{
    return static_cast<long double>(fraction) * 100;
}

// The grid's errors, with the user's in its place unless the grid has it.
// Compared as fractions: the grid's are made the way the error field makes
// the user's, so a typed 5 meets the grid's 5 exactly.
std::vector<double> ErrorFractions(double userFraction)
{
    std::vector<double> fractions;
    bool userPlaced = false;
    for (int half = kFirstHalfPercent; half <= kLastHalfPercent; ++half) {
        const double fraction = static_cast<double>(half / 2.0L / 100);
        if (!userPlaced && userFraction <= fraction) {
            userPlaced = true;
            if (userFraction < fraction)
                fractions.push_back(userFraction);
        }
        fractions.push_back(fraction);
    }
    if (!userPlaced)
        fractions.push_back(userFraction);
    return fractions;
}

std::vector<ScenarioColumn> ConfidenceColumns(const SampleSizeParams &user)
{
    std::vector<ScenarioColumn> columns;
    for (const std::int32_t level : kStandardLevels) {
        if (const auto row = LookUpConfidence(level))
            columns.push_back({std::string(row->Level), row->Z});
    }
    const auto sameLevel = [&](const ScenarioColumn &c) { return c.Level == user.ConfidenceText; };
    if (std::none_of(columns.begin(), columns.end(), sameLevel))
        columns.push_back({user.ConfidenceText, user.Z});
    std::stable_sort(columns.begin(), columns.end(), [](const ScenarioColumn &a, const ScenarioColumn &b) {
        return LevelValue(a.Level) < LevelValue(b.Level);
    });
    return columns;
}

} // namespace

ScenarioCell ComputeScenarioCell(const SampleSizeParams &user, double errorFraction, const ScenarioColumn &column)
{
    SampleSizeParams params = user;
    params.ErrorFraction = errorFraction;
    params.ErrorPercent = static_cast<double>(Percent(errorFraction));
    params.Z = column.Z;
    params.ConfidenceText = column.Level;
    ScenarioCell cell;
    try {
        ComputeSampleSize(params);
        cell.SampleSize = params.SampleSize;
    } catch (const calc::CalcError &refusal) {
        cell.Refusal = refusal.what();
    }
    return cell;
}

ScenarioTable ScenarioTable::For(const SampleSizeParams &user)
{
    ScenarioTable table;
    table.m_user = user;
    table.m_columns = ConfidenceColumns(user);
    for (std::size_t c = 0; c < table.m_columns.size(); ++c) {
        if (table.m_columns[c].Level == user.ConfidenceText)
            table.m_userColumn = int(c);
    }
    // The user's column takes the user's z-value, whatever the table says.
    table.m_columns[table.m_userColumn].Z = user.Z;

    for (const double fraction : ErrorFractions(user.ErrorFraction)) {
        if (fraction == user.ErrorFraction)
            table.m_userRow = int(table.m_rows.size());
        ScenarioRow row;
        row.ErrorFraction = fraction;
        for (const ScenarioColumn &column : table.m_columns)
            row.Cells.push_back(ComputeScenarioCell(user, fraction, column));
        table.m_rows.push_back(std::move(row));
    }
    return table;
}

std::string ErrorPercentText(double errorFraction, char decimalSeparator)
{
    return calc::FormatGeneral(Percent(errorFraction), decimalSeparator);
}

std::string LevelText(const std::string &level, char decimalSeparator)
{
    std::string text = level;
    std::replace(text.begin(), text.end(), '.', decimalSeparator);
    return text;
}
