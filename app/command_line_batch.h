#pragma once

#include <optional>
#include <ostream>
#include <string>

struct CommandLineTexts;

// A file of strata: each row a survey, the table written again with its
// sample size.
struct BatchRequest {
    std::string input;                 // "-" for standard input
    std::optional<std::string> output; // none for standard output
    std::optional<std::string> pdf;    // one sheet per stratum
};

// Reads the table row by row and writes each row with "sample_size" and
// "message" added as soon as it is computed, in the input's convention, then
// a total row. A refused row gets its message and the others go on. Answers
// the exit status: 0 when every row has its size, 2 when a row or the file
// itself was refused, 3 when only calculations failed, 4 when the output
// could not be written.
int RunBatch(const BatchRequest &request, const CommandLineTexts &texts, std::ostream &out, std::ostream &err);
