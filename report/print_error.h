#pragma once

#include <stdexcept>
#include <string>

// The error of page generation. Any other error raised while pages are
// generated reaches the caller wrapped in one of these.
class EPrintError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;

    // "Cannot generate report." followed by CR LF CR LF and the reason.
    static EPrintError CannotGenerate(const std::string &reason);
};
