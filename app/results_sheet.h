#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class TppComponent;
class TppReport;

// The printable results sheet, read from the definition compiled into the
// program.
std::unique_ptr<TppReport> CreateResultsSheet();

// The sheet's document name in a report language (TppLanguageIndex).
std::string ResultsSheetName(std::int32_t languageIndex);

// A component of the sheet by its name (e.g. "ppLabel7"); throws when the
// definition lacks it, since the screen relies on every row being there.
TppComponent &SheetComponent(const TppReport &sheet, std::string_view name);

// After the screen's values were copied into the value labels ppLabel1 to
// ppLabel7, keeps each value within the width the layout gives its label, so
// that a long one does not run into the bars or the "%" sign: measured on the
// sheet's measuring canvas, a value too wide gets a smaller font for its
// label, down to a legible floor, and below that is shortened in the middle
// (its first digits and its exponent stay). A value that fits keeps the
// layout's font.
void FitSheetValueLabels(TppReport &sheet);

// The width in thousandths of a millimetre the layout gives a value label.
struct SheetValueBox {
    const char *name;
    std::int32_t width;
};
inline constexpr SheetValueBox kSheetValueBoxes[] = {
    {"ppLabel1", 10499}, {"ppLabel2", 10583}, {"ppLabel3", 10583}, {"ppLabel4", 10583},
    {"ppLabel5", 10583}, {"ppLabel6", 10583}, {"ppLabel7", 10583},
};
// The layout's font size of the values, in points, and the smallest a value
// is shrunk to.
inline constexpr int kSheetValuePoints = 10;
inline constexpr int kSheetSmallestValuePoints = 6;
