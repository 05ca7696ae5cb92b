#pragma once

#include <cstdint>
#include <string>

// The one calculation record of the program: inputs, intermediates and result.
// Flags are 0 or 1 as the screens write them.
struct SampleSizeParams {
    double ErrorFraction = 0;
    double ErrorSquared = 0;
    double ErrorPercent = 0;
    std::int32_t DesignEffectOn = 0;
    std::int32_t ProportionKnown = 0;
    std::int32_t ProportionUnknown = 0;
    double KnownProportion = 0;
    double UnknownProportion = 0;
    double ResponseRate = 0;
    double Rho = 0;
    double TypedDesignEffect = 0;
    double ClusterSize = 0;
    double DesignEffect = 0;
    std::string ConfidenceText;
    double Z = 0;
    double BaseSize = 0;
    double CorrectedSize = 0;
    double PopulationSize = 0;
    double UnroundedSize = 0;
    std::int32_t DesignEffectByValue = 0;
    std::int32_t ResponseRateOn = 0;
    std::int32_t PopulationOn = 0;
    std::int64_t SampleSize = 0;
};

// Evaluates every formula in 80-bit extended precision and stores each result
// as a double. Throws calc::ArithmeticError at the failing step; fields written
// before it keep their new values.
void ComputeSampleSize(SampleSizeParams &params);
