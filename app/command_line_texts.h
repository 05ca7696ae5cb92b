#pragma once

#include "app/survey_elements.h"

#include <initializer_list>
#include <string>
#include <string_view>

// What the command line says, in the user's language: Spanish in a Spanish
// locale, English otherwise. "%1", "%2"... are filled in by FillIn.
struct CommandLineTexts {
    std::string_view help;
    std::string_view version;

    // One line each of the result.
    std::string_view sampleSize;
    std::string_view error;
    std::string_view confidence;
    std::string_view proportion;
    std::string_view designEffect;
    std::string_view responseRate;
    std::string_view population;
    std::string_view proportionAssumed;
    std::string_view designEffectAssumed;
    std::string_view responseRateAssumed;
    std::string_view designEffectFromRho;

    // Each element's accepted range, as the end of a sentence.
    std::string_view ranges[kSurveyElementCount];
    std::string_view copiesRange;

    std::string_view notAccepted;
    std::string_view required;
    std::string_view designEffectTwice;
    std::string_view needs;
    std::string_view cannotCombine;
    std::string_view givenTwice;
    std::string_view unknownOption;
    std::string_view missingValue;
    std::string_view unexpectedArgument;
    std::string_view noSuchQueue;
    std::string_view sheetNotWritten;
    std::string_view sheetNotPrinted;

    std::string_view unknownColumn;
    std::string_view noHeader;
    std::string_view cellCount;
    std::string_view cannotRead;
    std::string_view cannotWrite;
    std::string_view rowsRefused;
    std::string_view total;
};

// The texts for a language code ("es", "en"...).
const CommandLineTexts &CommandLineTextsFor(std::string_view languageCode);

// The format with "%1" to "%9" replaced by the arguments, literally.
std::string FillIn(std::string_view format, std::initializer_list<std::string_view> arguments);

// How elements are named in a message: as options ("--error") or as
// columns of a file of strata ("error").
enum class ElementNaming { Options, Columns };

std::string_view NameOf(SurveyElement element, ElementNaming naming);

// The message for what keeps a set of given elements from a calculation;
// empty when nothing does.
std::string ProblemText(const CommandLineTexts &texts, SelectionProblem problem, ElementNaming naming,
                        char separator);

// An element's accepted range, its decimal numbers written with `separator`.
std::string RangeText(const CommandLineTexts &texts, SurveyElement element, char separator);
