#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

struct SampleSizeParams;

// One confidence level with its tabled z-value.
struct ConfidenceRow {
    std::string_view Level;
    double Z;
};

// The 52 levels: every whole percentage 50..99, then 99.5 and 99.7. The
// z-values are table data; a few deliberately differ from the normal quantile.
extern const std::array<ConfidenceRow, 52> ConfidenceTable;

// The row whose level text is `level` written in decimal; only whole levels match.
std::optional<ConfidenceRow> LookUpConfidence(std::int32_t level);

// Writes Z and ConfidenceText. A selected special level overrides the whole
// level; with no match and no special level the record keeps its values.
void SelectConfidence(SampleSizeParams &params, std::int32_t level, bool level995, bool level997);
