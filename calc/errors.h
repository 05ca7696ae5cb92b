#pragma once

#include <stdexcept>
#include <string>

namespace calc {

// Faults of the calculation carry the exact text the user is shown.
class CalcError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class ArithmeticError : public CalcError {
public:
    using CalcError::CalcError;
};

class ConversionError : public CalcError {
public:
    using CalcError::CalcError;
};

inline constexpr const char *kDivisionByZero = "Floating point division by zero";
inline constexpr const char *kInvalidOperation = "Invalid floating point operation";
inline constexpr const char *kOverflow = "Floating point overflow";

} // namespace calc
