#pragma once

#include <QString>

#include <optional>
#include <utility>
#include <vector>

class ScenarioTable;

// The user's calculation as caption and value, in the results screen's
// number texts: the error, the confidence, the proportion, the elements the
// user considered, the sample size (the table's user cell), and the cost per
// interview when given.
std::vector<std::pair<QString, QString>> UserValues(const ScenarioTable &table,
                                                    std::optional<double> costPerInterview = std::nullopt);

// The same on one line, for the window's summary.
QString UserValuesLine(const ScenarioTable &table);
