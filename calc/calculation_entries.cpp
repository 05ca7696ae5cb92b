#include "calc/calculation_entries.h"

#include "calc/confidence.h"
#include "calc/sample_size.h"

namespace {

double Fraction(long double percent)
{
    return static_cast<double>(percent / 100);
}

} // namespace

void ReadCalculationEntries(const CalculationEntries &entries, SampleSizeParams &params)
{
    SelectConfidence(params, entries.ConfidenceLevel, entries.Level995, entries.Level997);
    params.KnownProportion = Fraction(entries.KnownProportionPercent);
    params.ResponseRate = Fraction(entries.ResponseRatePercent);
    params.Rho = entries.Rho;
    params.ClusterSize = entries.ClusterSize;
    params.PopulationSize = entries.PopulationSize;
    params.TypedDesignEffect = entries.TypedDesignEffect;
    params.PopulationOn = entries.PopulationOn ? 1 : 0;
    params.ResponseRateOn = entries.ResponseRateOn ? 1 : 0;
    params.DesignEffectByValue = entries.DesignEffectByValue ? 1 : 0;
}
