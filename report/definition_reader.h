#pragma once

#include <memory>
#include <stdexcept>
#include <string_view>

class TppPropertyNode;
class TppReport;

// A stored definition that cannot be read; the text names the object and
// the property at fault ("ppReport1.ppHeaderBand1.ppLabel3: property
// \"mmLeft\" is missing.").
class TppDefinitionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A report definition is data: a document of nested objects, each with its
// "Class", its "Name", its stored "Properties" and its "Children" (the
// report's bands, each band's components, in stream and drawing order).
// Reading follows the stored-definition rules: lengths are stored as given
// (within 100 metres either way, so that generation's sums stay in range),
// pictures come only from the program's own resources, nothing is announced,
// a component's band decides its band type, and the printer setup and format
// version are settled once everything is read.
std::unique_ptr<TppReport> ReadReportDefinition(const TppPropertyNode &document);

// The same from a JSON text, or from a definition compiled into the program.
std::unique_ptr<TppReport> ReadReportDefinitionText(std::string_view json);
std::unique_ptr<TppReport> LoadReportDefinition(std::string_view resourcePath);
