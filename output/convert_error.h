#pragma once

#include <stdexcept>

// A text that should hold a number does not hold one the program can use.
class EConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
