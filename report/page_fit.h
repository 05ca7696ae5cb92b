#pragma once

#include <string>

class TppCustomReport;
class TppPageDef;

// Whether a report's bands can be laid out on a page: asked before printing,
// so that a paper or orientation chosen for the job is refused while the
// choice can still be changed, rather than failing halfway through.
struct TppPageFit {
    // The first visible band of fixed height that does not fit between the
    // top margin and the footer; empty when every band fits.
    std::string bandName;
    bool Fits() const { return bandName.empty(); }
};

TppPageFit CheckPageFit(const TppCustomReport &report, const TppPageDef &page);
