#pragma once

#include <cstdint>

struct SampleSizeParams;

// What "CALCULAR" reads from the variable-selection screen, in the units the
// screen shows: whole percentages in the spin fields, the typed numbers as
// read, and which of the choices are marked.
struct CalculationEntries {
    std::int32_t ConfidenceLevel = 50;
    bool Level995 = false;
    bool Level997 = false;
    std::int32_t KnownProportionPercent = 50;
    std::int32_t ResponseRatePercent = 100;
    double Rho = 0;
    std::int32_t ClusterSize = 10;
    double PopulationSize = 100;
    double TypedDesignEffect = 1;
    bool PopulationOn = false;
    bool ResponseRateOn = false;
    bool DesignEffectByValue = false;
};

// Selects the confidence level and reads the entries into the record, as the
// calculation run does before it computes. The error, the proportion choice
// and whether the design effect counts are already in the record: the
// screen's fields and boxes write them as they change.
void ReadCalculationEntries(const CalculationEntries &entries, SampleSizeParams &params);
