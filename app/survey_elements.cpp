#include "app/survey_elements.h"

#include "calc/errors.h"
#include "calc/number_text.h"

#include <cmath>

std::optional<SurveyElement> ElementOfOption(std::string_view option)
{
    for (const SurveyElementName &name : kSurveyElementNames) {
        if (name.option == option)
            return name.element;
    }
    return std::nullopt;
}

std::optional<SurveyElement> ElementOfColumn(std::string_view column)
{
    for (const SurveyElementName &name : kSurveyElementNames) {
        if (name.column == column)
            return name.element;
    }
    return std::nullopt;
}

std::string_view OptionOf(SurveyElement element)
{
    return kSurveyElementNames[static_cast<std::size_t>(element)].option;
}

std::string_view ColumnOf(SurveyElement element)
{
    return kSurveyElementNames[static_cast<std::size_t>(element)].column;
}

namespace {

// The number in the user's format or with a point; none for anything else,
// a number beyond the double range included.
std::optional<double> NumberIn(std::string_view text, char separator)
{
    for (const char candidate : {separator, '.'}) {
        try {
            return calc::ParseFloat(text, candidate);
        } catch (const calc::CalcError &) {
        }
        if (candidate == '.')
            break;
    }
    return std::nullopt;
}

std::optional<std::int32_t> WholeIn(double value, std::int32_t low, std::int32_t high)
{
    if (value < low || value > high || value != std::floor(value))
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

} // namespace

bool SurveyEntry::Read(SurveyElement element, std::string_view text)
{
    const std::optional<double> number = NumberIn(text, m_separator);
    if (!number)
        return false;
    const double value = *number;
    SurveySelection &s = m_selection;
    switch (element) {
    case SurveyElement::Error:
        if (!(value > 0 && value <= 20))
            return false;
        s.ErrorPercent = value;
        break;
    case SurveyElement::Confidence:
        if (value == 99.5 || value == 99.7) {
            s.Level995 = value == 99.5;
            s.Level997 = value == 99.7;
        } else if (const auto level = WholeIn(value, 50, 99)) {
            s.ConfidenceLevel = *level;
            s.Level995 = s.Level997 = false;
        } else {
            return false;
        }
        break;
    case SurveyElement::Proportion: {
        const auto percent = WholeIn(value, 15, 95);
        if (!percent)
            return false;
        s.ProportionPercent = *percent;
        break;
    }
    case SurveyElement::Population:
        if (!(value >= 1))
            return false;
        s.PopulationSize = value;
        break;
    case SurveyElement::DesignEffect:
        if (!(value > 0))
            return false;
        s.DesignEffect = value;
        break;
    case SurveyElement::Rho:
        if (!(value >= 0 && value <= 1))
            return false;
        s.Rho = value;
        break;
    case SurveyElement::ClusterSize: {
        const auto size = WholeIn(value, 1, 1000000);
        if (!size)
            return false;
        s.ClusterSize = *size;
        break;
    }
    case SurveyElement::ResponseRate: {
        const auto percent = WholeIn(value, 1, 100);
        if (!percent)
            return false;
        s.ResponseRatePercent = *percent;
        break;
    }
    }
    m_given[static_cast<std::size_t>(element)] = true;
    return true;
}

SelectionProblem SurveyEntry::Problem() const
{
    if (!Given(SurveyElement::Error))
        return SelectionProblem::ErrorMissing;
    if (!Given(SurveyElement::Confidence))
        return SelectionProblem::ConfidenceMissing;
    if (Given(SurveyElement::DesignEffect) && (Given(SurveyElement::Rho) || Given(SurveyElement::ClusterSize)))
        return SelectionProblem::DesignEffectTwice;
    if (Given(SurveyElement::Rho) && !Given(SurveyElement::ClusterSize))
        return SelectionProblem::RhoWithoutClusterSize;
    if (Given(SurveyElement::ClusterSize) && !Given(SurveyElement::Rho))
        return SelectionProblem::ClusterSizeWithoutRho;
    return SelectionProblem::None;
}
