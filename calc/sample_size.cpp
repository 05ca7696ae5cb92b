#include "calc/sample_size.h"

#include "calc/extended_math.h"

using calc::Divide;
using calc::Extended;
using calc::StoreDouble;

namespace {

Extended BaseSizeFor(const SampleSizeParams &params, double p)
{
    const Extended z = params.Z;
    const Extended factor = ((z * z) * p) * (Extended(1) - p);
    return Divide(factor, params.ErrorSquared);
}

Extended FinitePopulationCorrection(const SampleSizeParams &params)
{
    const Extended n0 = params.BaseSize;
    const Extended ratio = Divide(n0 - 1, Extended(params.PopulationSize) - 1);
    return Divide(n0, ratio + 1);
}

} // namespace

void ComputeSampleSize(SampleSizeParams &params)
{
    const Extended d = params.ErrorFraction;
    params.ErrorSquared = StoreDouble(d * d);

    // Both tests run in order; the unknown proportion would win if both were set.
    if (params.ProportionKnown == 1)
        params.BaseSize = StoreDouble(BaseSizeFor(params, params.KnownProportion));
    if (params.ProportionUnknown == 1)
        params.BaseSize = StoreDouble(BaseSizeFor(params, params.UnknownProportion));

    Extended n = params.BaseSize;
    if (params.PopulationOn == 0) {
        params.PopulationSize = 0;
    } else {
        params.CorrectedSize = StoreDouble(FinitePopulationCorrection(params));
        n = params.CorrectedSize;
    }

    if (params.DesignEffectOn == 1) {
        params.DesignEffect = params.DesignEffectByValue == 1
            ? params.TypedDesignEffect
            : StoreDouble(((Extended(params.ClusterSize) - 1) * params.Rho) + 1);
    } else {
        params.DesignEffect = 1;
    }

    const Extended r = params.ResponseRateOn == 1 ? Extended(params.ResponseRate) : Extended(1);
    params.UnroundedSize = StoreDouble(Divide(n * params.DesignEffect, r));
    params.SampleSize = calc::RoundToInt64(params.UnroundedSize);
}
