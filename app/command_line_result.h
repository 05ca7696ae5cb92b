#pragma once

#include <optional>
#include <string>

struct CommandLineTexts;
struct SampleSizeParams;
struct SurveySelection;

// A completed calculation on standard output: the sample size and the data
// it came from, one line each, numbers as the results screen writes them
// with `separator`; an assumed element says so.
std::string ResultLines(const SampleSizeParams &params, const SurveySelection &selection,
                        const CommandLineTexts &texts, char separator);

// The same as one JSON object for scripts: "sample_size", each element under
// its column name (null when not taken into account), the z-value, which
// elements were given and which assumed, and the note when there is one.
std::string ResultJson(const SampleSizeParams &params, const SurveySelection &selection,
                       const std::optional<std::string> &note);
