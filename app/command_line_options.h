#pragma once

#include "app/survey_elements.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

struct CommandLineTexts;

// What the program was asked on its command line, the values as typed.
struct CommandLineRequest {
    enum class Mode { Windows, Help, Version, Calculation, Batch };
    Mode mode = Mode::Windows;
    std::vector<std::pair<SurveyElement, std::string>> elements;
    bool json = false;
    bool print = false;
    std::optional<std::string> note;
    std::optional<std::string> pdf;
    std::optional<std::string> printer;
    std::optional<std::string> copies;
    std::optional<std::string> batch;
    std::optional<std::string> output;

    // The sheet is written or printed: the only uses that need the report
    // engine and so a graphical platform.
    bool UsesSheet() const { return pdf || print; }
};

// A command line that cannot be carried out; the text names the option.
class BadInput : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads the arguments after the program's name; "--name value" and
// "--name=value" both work. Throws BadInput for an unknown, repeated or
// incomplete option and for options that do not go together.
CommandLineRequest ParseCommandLine(const std::vector<std::string> &arguments, const CommandLineTexts &texts);
