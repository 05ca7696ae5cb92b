#pragma once

#include "calc/sample_size.h"

#include <cstdint>
#include <optional>

// One survey's elements as given outside the screens (the command line, a
// file of strata), in the screens' units: the error and the confidence
// always, every other element only when it is taken into account. The
// design effect is given either as a value or by RHO and the cluster size.
struct SurveySelection {
    double ErrorPercent = 5;
    std::int32_t ConfidenceLevel = 95;
    bool Level995 = false;
    bool Level997 = false;
    std::optional<std::int32_t> ProportionPercent;
    std::optional<double> DesignEffect;
    std::optional<double> Rho;
    std::optional<std::int32_t> ClusterSize;
    std::optional<std::int32_t> ResponseRatePercent;
    std::optional<double> PopulationSize;

    bool DesignEffectConsidered() const { return DesignEffect || Rho || ClusterSize; }
};

// The record as the variable-selection screen leaves it for these values
// when "CALCULAR" runs: what its fields and boxes write as they change, then
// the calculation run's own reading. The caller computes.
SampleSizeParams RecordFor(const SurveySelection &selection);
