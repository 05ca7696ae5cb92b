// The number reader, with a point and with a comma as the decimal separator
// (the two kinds of locale the program meets), against a reading of its own:
// the text is a number exactly when the model's grammar says so, a number
// too large for a double is an overflow, any other number reads as the C
// library reads its spelling with a point; swapping the two separators in
// the text and in the reader changes nothing; and what the general-format
// writer makes of a value reads back to the same text.

#include "calc/errors.h"
#include "calc/number_text.h"
#include "tests/fuzz/fuzz_check.h"

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace {

// Blanks, an optional sign, digits with at most one separator (one digit at
// least), an optional exponent with digits, blanks. Returns the number
// spelled for strtod, or nothing when the text is no number.
std::optional<std::string> ModelSpelling(std::string_view text, char separator)
{
    std::size_t i = 0;
    const auto blanks = [&] { while (i < text.size() && text[i] == ' ') ++i; };
    const auto digit = [&] { return i < text.size() && text[i] >= '0' && text[i] <= '9'; };
    std::string out;
    blanks();
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        out += text[i++];
    int digits = 0;
    while (digit()) { out += text[i++]; ++digits; }
    if (i < text.size() && text[i] == separator) {
        out += '.';
        ++i;
        while (digit()) { out += text[i++]; ++digits; }
    }
    if (digits == 0)
        return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        out += 'e';
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            out += text[i++];
        if (!digit())
            return std::nullopt;
        while (digit()) out += text[i++];
    }
    blanks();
    if (i != text.size())
        return std::nullopt;
    return out;
}

struct Outcome {
    enum Kind { Value, Conversion, Overflow } kind;
    double value = 0;
};

Outcome Read(std::string_view text, char separator)
{
    try {
        return {Outcome::Value, calc::ParseFloat(text, separator)};
    } catch (const calc::ConversionError &error) {
        FUZZ_CHECK(error.what() == calc::InvalidFloatMessage(text), "message \"%s\"", error.what());
        return {Outcome::Conversion};
    } catch (const calc::ArithmeticError &error) {
        FUZZ_CHECK(std::string(error.what()) == calc::kOverflow, "message \"%s\"", error.what());
        return {Outcome::Overflow};
    }
}

bool SameValue(double a, double b)
{
    return a == b && std::signbit(a) == std::signbit(b);
}

void CheckAgainstModel(std::string_view text, char separator, const Outcome &outcome)
{
    const std::optional<std::string> spelling = ModelSpelling(text, separator);
    if (!spelling) {
        FUZZ_CHECK(outcome.kind == Outcome::Conversion, "\"%.*s\" read as a number", int(text.size()), text.data());
        return;
    }
    FUZZ_CHECK(outcome.kind != Outcome::Conversion, "\"%s\" not read as a number", spelling->c_str());
    const double model = std::strtod(spelling->c_str(), nullptr);
    if (std::isinf(model)) {
        FUZZ_CHECK(outcome.kind == Outcome::Overflow, "\"%s\" is beyond the double range but read as %.17g",
                   spelling->c_str(), outcome.value);
        return;
    }
    FUZZ_CHECK(outcome.kind == Outcome::Value, "\"%s\" reported as an overflow", spelling->c_str());
    FUZZ_CHECK(std::isfinite(outcome.value), "\"%s\" read as %g", spelling->c_str(), outcome.value);
    if (std::fabs(model) >= DBL_MIN)
        FUZZ_CHECK(SameValue(outcome.value, model), "\"%s\" read as %.17g, not %.17g", spelling->c_str(),
                   outcome.value, model);
    else
        // Underflow is no error: zero or a subnormal, rounded either way.
        FUZZ_CHECK(std::fabs(outcome.value) <= DBL_MIN, "\"%s\" read as %.17g", spelling->c_str(), outcome.value);
}

std::string Swapped(std::string_view text)
{
    std::string out(text);
    for (char &c : out)
        c = c == '.' ? ',' : c == ',' ? '.' : c;
    return out;
}

// The largest value whose 15-digit spelling is still a double.
constexpr double kLargestWrittenReadable = 1.79769313486231e308;

void CheckWrittenReadsBack(double value, char separator)
{
    if (std::fabs(value) > kLargestWrittenReadable)
        return;
    const std::string written = calc::FormatGeneral(value, separator);
    const Outcome again = Read(written, separator);
    FUZZ_CHECK(again.kind == Outcome::Value, "written \"%s\" does not read back", written.c_str());
    FUZZ_CHECK(calc::FormatGeneral(again.value, separator) == written, "\"%s\" written again differs",
               written.c_str());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    const Outcome point = Read(text, '.');
    const Outcome comma = Read(text, ',');
    CheckAgainstModel(text, '.', point);
    CheckAgainstModel(text, ',', comma);

    const std::string swapped = Swapped(text);
    const Outcome swappedComma = Read(swapped, ',');
    FUZZ_CHECK(swappedComma.kind == point.kind, "separators swapped read differently");
    if (point.kind == Outcome::Value) {
        FUZZ_CHECK(SameValue(swappedComma.value, point.value), "separators swapped give another value");
        CheckWrittenReadsBack(point.value, '.');
        CheckWrittenReadsBack(point.value, ',');
    }
    return 0;
}
