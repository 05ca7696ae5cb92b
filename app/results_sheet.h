#pragma once

#include <memory>
#include <string_view>

class TppComponent;
class TppReport;

// The printable results sheet, read from the definition compiled into the
// program.
std::unique_ptr<TppReport> CreateResultsSheet();

// A component of the sheet by its name (e.g. "ppLabel7"); throws when the
// definition lacks it, since the screen relies on every row being there.
TppComponent &SheetComponent(const TppReport &sheet, std::string_view name);
