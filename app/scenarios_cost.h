#pragma once

#include <QString>

#include <cstdint>
#include <optional>

// The survey's cost column: the cost per interview the user types, and what
// each row's sample would cost.

// The field's number in the user's number format; none for an empty field.
// Throws calc::ConversionError for text that is not a number,
// calc::ArithmeticError beyond the double range, and std::invalid_argument
// (with the user's message) for a negative cost.
std::optional<double> ReadCostPerInterview(const QString &text);

// sampleSize x costPerInterview in extended precision, stored as a double;
// throws calc::ArithmeticError (overflow) beyond the double range.
double SurveyCost(std::int64_t sampleSize, double costPerInterview);

// A cost as money is written in the user's locale: two decimals, grouped.
QString CostText(double cost);
