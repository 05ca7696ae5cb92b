#include "report/page_fit.h"

#include "output/page_def.h"
#include "report/band.h"
#include "report/band_kinds.h"
#include "report/custom_report.h"
#include "report/length_arithmetic.h"

namespace {

bool IsFooter(const TppBand &band)
{
    return dynamic_cast<const TppFooterBand *>(&band) || dynamic_cast<const TppColumnFooterBand *>(&band);
}

} // namespace

// The engine's own measure: the page's height within its margins, less the
// footers that stand at its bottom.
TppPageFit CheckPageFit(const TppCustomReport &report, const TppPageDef &page)
{
    const std::int32_t withinMargins
        = lengths::Subtract(lengths::Subtract(page.mmHeight, page.mmMarginTop), page.mmMarginBottom);
    std::int32_t available = withinMargins;
    const TppBand *firstFooter = nullptr;
    for (int i = 0; i < report.BandCount(); ++i) {
        const TppBand *band = report.Bands(i);
        if (band && band->Visible() && IsFooter(*band)) {
            available = lengths::Subtract(available, band->mmHeight());
            if (!firstFooter)
                firstFooter = band;
        }
    }
    if (available < 0 && firstFooter)
        return {firstFooter->UserName()};
    for (int i = 0; i < report.BandCount(); ++i) {
        const TppBand *band = report.Bands(i);
        if (!band || !band->Visible() || IsFooter(*band) || band->PrintHeight() != phStatic)
            continue;
        if (band->mmHeight() > lengths::Subtract(available, band->mmBottomOffset()))
            return {band->UserName()};
    }
    return {};
}
