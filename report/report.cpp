#include "report/report.h"

#include <charconv>
#include <string>

void TppReport::ConvertVersion(int versionNumber)
{
    if (versionNumber < 4100)
        SetAutoStop(false);
    if (versionNumber < 3000) {
        // Older definitions kept column positions and width in the report's
        // units; they are thousandths now.
        // Stored text is read the same whatever the user's locale.
        for (std::string &position : m_columnPositions) {
            float value = 0;
            const char *end = position.data() + position.size();
            const auto result = std::from_chars(position.data(), end, value);
            const bool number = result.ec == std::errc() && result.ptr == end;
            position = std::to_string(number ? UnitsToMMThousandths(value, Units(), raHorizontal) : 0);
        }
        SetmmColumnWidth(UnitsToMMThousandths(float(mmColumnWidth()), Units(), raHorizontal));
        SetPassSetting(psTwoPass);
    }
}
