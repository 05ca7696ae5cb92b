#include "output/page_def.h"

#include "platform/units.h"

#include <cmath>

namespace {

std::int32_t ScreenPixels(std::int32_t thousandths, TppResolutionAxis axis)
{
    return static_cast<std::int32_t>(std::trunc(MMThousandthsToUnits(thousandths, utScreenPixels, axis)));
}

} // namespace

TppSheetRect TppPageDef::PrintableRect() const
{
    return {mmMarginLeft, mmMarginTop, mmWidth - mmMarginRight, mmHeight - mmMarginBottom};
}

std::int32_t TppPageDef::PrintableHeight() const
{
    return mmHeight - mmMarginTop - mmMarginBottom;
}

std::int32_t TppPageDef::PrintableWidth() const
{
    return mmWidth - mmMarginLeft - mmMarginRight;
}

std::int32_t TppPageDef::spPrintableWidth() const
{
    return ScreenPixels(PrintableWidth(), raHorizontal);
}

std::int32_t TppPageDef::spPaperHeight() const
{
    return ScreenPixels(mmHeight, raVertical);
}

std::int32_t TppPageDef::spPaperWidth() const
{
    return ScreenPixels(mmWidth, raHorizontal);
}
