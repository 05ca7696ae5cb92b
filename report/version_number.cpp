#include "report/version_number.h"

#include <string>

int VersionNumber(std::string_view version)
{
    std::string digits;
    bool pointSeen = false;
    for (char c : version) {
        if (c >= '0' && c <= '9') {
            digits += c;
        } else if (c == '.' && !pointSeen) {
            pointSeen = true;
        } else {
            break;
        }
    }
    if (digits.empty())
        return 0;
    while (digits.size() < 4)
        digits += '0';
    // Nine digits still fit an int.
    if (digits.size() > 9)
        digits.resize(9);
    return std::stoi(digits);
}
