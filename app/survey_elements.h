#pragma once

#include "calc/survey_selection.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

// The elements of a survey as the command line and a file of strata name
// them: the option "--cluster-size" and the column "cluster_size" are the
// same element.
enum class SurveyElement { Error, Confidence, Proportion, Population, DesignEffect, Rho, ClusterSize, ResponseRate };

inline constexpr std::size_t kSurveyElementCount = 8;

struct SurveyElementName {
    SurveyElement element;
    std::string_view option;
    std::string_view column;
};

inline constexpr std::array<SurveyElementName, kSurveyElementCount> kSurveyElementNames = {{
    {SurveyElement::Error, "--error", "error"},
    {SurveyElement::Confidence, "--confidence", "confidence"},
    {SurveyElement::Proportion, "--proportion", "proportion"},
    {SurveyElement::Population, "--population", "population"},
    {SurveyElement::DesignEffect, "--deff", "deff"},
    {SurveyElement::Rho, "--rho", "rho"},
    {SurveyElement::ClusterSize, "--cluster-size", "cluster_size"},
    {SurveyElement::ResponseRate, "--response-rate", "response_rate"},
}};

std::optional<SurveyElement> ElementOfOption(std::string_view option);
std::optional<SurveyElement> ElementOfColumn(std::string_view column);
std::string_view OptionOf(SurveyElement element);
std::string_view ColumnOf(SurveyElement element);

// What keeps a set of given elements from making a calculation.
enum class SelectionProblem {
    None,
    ErrorMissing,
    ConfidenceMissing,
    RhoWithoutClusterSize,
    ClusterSizeWithoutRho,
    DesignEffectTwice,
};

// A survey being read element by element. Values are read as the screens
// read them, with the user's decimal separator, and also with a point; each
// must lie in the element's accepted range.
class SurveyEntry {
public:
    explicit SurveyEntry(char decimalSeparator)
        : m_separator(decimalSeparator)
    {
    }

    // Stores the element's value; false, storing nothing, when the text is
    // not a number within the element's range.
    bool Read(SurveyElement element, std::string_view text);

    bool Given(SurveyElement element) const { return m_given[static_cast<std::size_t>(element)]; }
    SelectionProblem Problem() const;
    const SurveySelection &Selection() const { return m_selection; }

private:
    char m_separator;
    SurveySelection m_selection;
    std::array<bool, kSurveyElementCount> m_given{};
};
