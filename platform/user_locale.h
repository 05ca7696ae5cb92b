#pragma once

namespace platform {

// The decimal separator of the user's locale ('.' or ',' in practice).
char DecimalSeparator();

} // namespace platform
