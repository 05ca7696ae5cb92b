#include "report/report.h"

#include <cstdlib>
#include <string>

void TppReport::ConvertVersion(int versionNumber)
{
    if (versionNumber < 4100)
        SetAutoStop(false);
    if (versionNumber < 3000) {
        // Older definitions kept column positions and width in the report's
        // units; they are thousandths now.
        for (std::string &position : m_columnPositions) {
            char *end = nullptr;
            const float value = std::strtof(position.c_str(), &end);
            const bool number = end != position.c_str() && *end == '\0';
            position = std::to_string(number ? UnitsToMMThousandths(value, Units(), raHorizontal) : 0);
        }
        SetmmColumnWidth(UnitsToMMThousandths(float(mmColumnWidth()), Units(), raHorizontal));
        SetPassSetting(psTwoPass);
    }
}
