#include "calc/result_presentation.h"

#include "calc/number_text.h"

using calc::FormatGeneral;

namespace {

std::string Percent(double fraction, char separator)
{
    return FormatGeneral(static_cast<long double>(fraction) * 100, separator);
}

} // namespace

ResultTexts PresentationTexts(const SampleSizeParams &params, char separator)
{
    ResultTexts texts;
    double proportion = 0;
    if (params.ProportionKnown == 1)
        proportion = params.KnownProportion;
    if (params.ProportionUnknown == 1)
        proportion = params.UnknownProportion;
    texts.Proportion = Percent(proportion, separator);
    texts.Confidence = params.ConfidenceText;
    texts.Error = Percent(params.ErrorFraction, separator);
    texts.SampleSize = std::to_string(params.SampleSize);
    texts.ResponseRate = Percent(params.ResponseRate, separator);
    texts.DesignEffect = FormatGeneral(params.DesignEffect, separator);
    texts.Population = params.PopulationOn == 1 ? FormatGeneral(params.PopulationSize, separator)
                                                : std::string(kHiddenPopulationText);
    return texts;
}
