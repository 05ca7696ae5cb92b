#include "app/command_line_result.h"

#include "app/command_line_texts.h"
#include "calc/number_text.h"
#include "calc/result_presentation.h"
#include "calc/sample_size.h"
#include "calc/survey_selection.h"

#include <algorithm>
#include <cstdio>
#include <vector>

using calc::FormatGeneral;

std::string ResultLines(const SampleSizeParams &params, const SurveySelection &selection,
                        const CommandLineTexts &texts, char separator)
{
    const ResultTexts shown = PresentationTexts(params, separator);
    std::string lines;
    const auto line = [&lines](std::string text) {
        lines += text;
        lines += '\n';
    };
    line(FillIn(texts.sampleSize, {shown.SampleSize}));
    line(FillIn(texts.error, {shown.Error}));
    // The level's text is the table's, with a point; the lines use the user's separator throughout.
    std::string level = shown.Confidence;
    std::replace(level.begin(), level.end(), '.', separator);
    line(FillIn(texts.confidence, {level, FormatGeneral(params.Z, separator)}));
    line(FillIn(selection.ProportionPercent ? texts.proportion : texts.proportionAssumed, {shown.Proportion}));
    if (selection.Rho)
        line(FillIn(texts.designEffectFromRho, {shown.DesignEffect, FormatGeneral(*selection.Rho, separator),
                                                FormatGeneral(*selection.ClusterSize, separator)}));
    else
        line(FillIn(selection.DesignEffect ? texts.designEffect : texts.designEffectAssumed, {shown.DesignEffect}));
    line(FillIn(selection.ResponseRatePercent ? texts.responseRate : texts.responseRateAssumed,
                {shown.ResponseRate}));
    if (selection.PopulationSize)
        line(FillIn(texts.population, {shown.Population}));
    return lines;
}

namespace {

std::string JsonString(const std::string &text)
{
    std::string quoted = "\"";
    for (const char c : text) {
        switch (c) {
        case '"':
            quoted += "\\\"";
            break;
        case '\\':
            quoted += "\\\\";
            break;
        case '\n':
            quoted += "\\n";
            break;
        case '\r':
            quoted += "\\r";
            break;
        case '\t':
            quoted += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
                quoted += escaped;
            } else {
                quoted += c;
            }
        }
    }
    return quoted + '"';
}

std::string JsonList(const std::vector<const char *> &names)
{
    std::string list = "[";
    for (const char *name : names) {
        if (list.size() > 1)
            list += ", ";
        list += JsonString(name);
    }
    return list + ']';
}

} // namespace

std::string ResultJson(const SampleSizeParams &params, const SurveySelection &selection,
                       const std::optional<std::string> &note)
{
    // The screen's texts with a point are JSON numbers ("1E-5" included).
    const ResultTexts shown = PresentationTexts(params, '.');
    const std::string null = "null";
    std::vector<const char *> given = {"error", "confidence"};
    std::vector<const char *> assumed;
    (selection.ProportionPercent ? given : assumed).push_back("proportion");
    if (selection.Rho) {
        given.push_back("rho");
        given.push_back("cluster_size");
    } else {
        (selection.DesignEffect ? given : assumed).push_back("deff");
    }
    (selection.ResponseRatePercent ? given : assumed).push_back("response_rate");
    if (selection.PopulationSize)
        given.push_back("population");

    std::string json = "{";
    const auto member = [&json](const char *name, const std::string &value) {
        if (json.size() > 1)
            json += ", ";
        json += JsonString(name) + ": " + value;
    };
    member("sample_size", shown.SampleSize);
    member("error", shown.Error);
    member("confidence", shown.Confidence);
    member("z", FormatGeneral(params.Z, '.'));
    member("proportion", shown.Proportion);
    member("deff", shown.DesignEffect);
    member("rho", selection.Rho ? FormatGeneral(*selection.Rho, '.') : null);
    member("cluster_size", selection.ClusterSize ? std::to_string(*selection.ClusterSize) : null);
    member("response_rate", shown.ResponseRate);
    member("population", selection.PopulationSize ? shown.Population : null);
    member("unrounded_size", FormatGeneral(params.UnroundedSize, '.'));
    member("given", JsonList(given));
    member("assumed", JsonList(assumed));
    if (note)
        member("note", JsonString(*note));
    return json + "}\n";
}
