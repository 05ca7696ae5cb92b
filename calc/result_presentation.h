#pragma once

#include "calc/sample_size.h"

#include <string>

// The texts the results screen and the results sheet show for a completed
// calculation. Percentages are formed in extended precision, so 0.3 shows "30".
struct ResultTexts {
    std::string SampleSize;
    std::string Error;
    std::string Confidence;
    std::string Proportion;
    std::string DesignEffect;
    std::string ResponseRate;
    std::string Population;
};

ResultTexts PresentationTexts(const SampleSizeParams &params, char decimalSeparator);

// Shown in place of the population when it is not considered.
inline constexpr const char *kHiddenPopulationText = "      ";
