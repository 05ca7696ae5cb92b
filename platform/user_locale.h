#pragma once

#include <string>

namespace platform {

// The decimal separator of the user's locale ('.' or ',' in practice).
char DecimalSeparator();

// The ISO 639 code of the same locale's language ("es", "en"); empty for
// the C locale, which names none.
std::string LanguageCode();

} // namespace platform
