#pragma once

// The calculation the scenarios tests and benchmark start from, as the
// variable-selection screen leaves the record before CALCULAR computes it:
// error 4.5 %, confidence 93 %, proportion unknown, the population
// considered, response rate 85 %. With N = 5000 the sample size is 440.

#include "calc/confidence.h"
#include "calc/sample_size.h"

inline SampleSizeParams ScenarioInputs(double population = 5000)
{
    SampleSizeParams p;
    p.ErrorPercent = 4.5;
    p.ErrorFraction = static_cast<double>(4.5L / 100);
    p.ProportionUnknown = 1;
    p.UnknownProportion = 0.5;
    p.KnownProportion = 0.15;
    p.PopulationOn = 1;
    p.PopulationSize = population;
    p.ResponseRateOn = 1;
    p.ResponseRate = 0.85;
    SelectConfidence(p, 93, false, false);
    return p;
}
