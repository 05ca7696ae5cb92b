#pragma once

#include <QStringList>

// The fixed texts of the definitions screen, one entry a line. Several lines
// end in a blank and some are blank on purpose: the design-effect text leaves
// room for the two formula panels that lie over it, and its underscore line
// draws the bar over the v of the line below.
namespace DefinitionTexts {

QStringList Error();        // maximum acceptable error d
QStringList Confidence();   // confidence 1 - alpha
QStringList Proportion();   // proportion p
QStringList DesignEffect(); // intraclass correlation RHO and design effect DEFF
QStringList ResponseRate(); // response rate TR
QStringList Population();   // population size N

} // namespace DefinitionTexts
