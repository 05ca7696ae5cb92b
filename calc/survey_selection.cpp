#include "calc/survey_selection.h"

#include "calc/calculation_entries.h"

SampleSizeParams RecordFor(const SurveySelection &selection)
{
    SampleSizeParams params;
    // The error field and the boxes' handling.
    params.ErrorPercent = selection.ErrorPercent;
    params.ErrorFraction = static_cast<double>(static_cast<long double>(selection.ErrorPercent) / 100);
    params.DesignEffectOn = selection.DesignEffectConsidered() ? 1 : 0;
    params.ProportionKnown = selection.ProportionPercent ? 1 : 0;
    params.ProportionUnknown = selection.ProportionPercent ? 0 : 1;
    params.UnknownProportion = 0.5;

    // A field of an element not taken into account holds the screen's value.
    CalculationEntries entries;
    entries.ConfidenceLevel = selection.ConfidenceLevel;
    entries.Level995 = selection.Level995;
    entries.Level997 = selection.Level997;
    entries.KnownProportionPercent = selection.ProportionPercent.value_or(50);
    entries.ResponseRatePercent = selection.ResponseRatePercent.value_or(100);
    entries.Rho = selection.Rho.value_or(0);
    entries.ClusterSize = selection.ClusterSize.value_or(10);
    entries.PopulationSize = selection.PopulationSize.value_or(100);
    entries.TypedDesignEffect = selection.DesignEffect.value_or(1);
    entries.PopulationOn = selection.PopulationSize.has_value();
    entries.ResponseRateOn = selection.ResponseRatePercent.has_value();
    entries.DesignEffectByValue = selection.DesignEffect.has_value();
    ReadCalculationEntries(entries, params);
    return params;
}
