#include "calc/confidence.h"

#include "calc/sample_size.h"

#include <string>

const std::array<ConfidenceRow, 52> ConfidenceTable = {{
    {"50", 0.67}, {"51", 0.69}, {"52", 0.71}, {"53", 0.72}, {"54", 0.74},
    {"55", 0.75}, {"56", 0.77}, {"57", 0.79}, {"58", 0.81}, {"59", 0.82},
    {"60", 0.84}, {"61", 0.86}, {"62", 0.88}, {"63", 0.90}, {"64", 0.91},
    {"65", 0.93}, {"66", 0.95}, {"67", 0.97}, {"68", 1.00}, {"69", 1.01},
    {"70", 1.04}, {"71", 1.06}, {"72", 1.08}, {"73", 1.10}, {"74", 1.13},
    {"75", 1.15}, {"76", 1.17}, {"77", 1.20}, {"78", 1.23}, {"79", 1.25},
    {"80", 1.28}, {"81", 1.31}, {"82", 1.34}, {"83", 1.37}, {"84", 1.40},
    {"85", 1.44}, {"86", 1.48}, {"87", 1.51}, {"88", 1.55}, {"89", 1.60},
    {"90", 1.64}, {"91", 1.70}, {"92", 1.75}, {"93", 1.81}, {"94", 1.88},
    {"95", 1.96}, {"96", 2.05}, {"97", 2.17}, {"98", 2.33}, {"99", 2.58},
    {"99.5", 2.81}, {"99.7", 2.97},
}};

std::optional<ConfidenceRow> LookUpConfidence(std::int32_t level)
{
    if (level < 0)
        return std::nullopt; // a sign never appears in a level text
    const std::string text = std::to_string(level);
    for (const ConfidenceRow &row : ConfidenceTable) {
        if (row.Level == text)
            return row;
    }
    return std::nullopt;
}

void SelectConfidence(SampleSizeParams &params, std::int32_t level, bool level995, bool level997)
{
    if (const auto row = LookUpConfidence(level)) {
        params.Z = row->Z;
        params.ConfidenceText = std::string(row->Level);
    }
    if (level995) {
        params.Z = 2.81;
        params.ConfidenceText = "99.5";
    } else if (level997) {
        params.Z = 2.97;
        params.ConfidenceText = "99.7";
    }
}
