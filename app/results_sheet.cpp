#include "app/results_sheet.h"

#include "report/band.h"
#include "report/component.h"
#include "report/definition_reader.h"
#include "report/report.h"

#include <QtGlobal>

#include <stdexcept>
#include <string>

// The definition lives in a resource of a static library; naming its
// initialiser keeps the linker from dropping it. Not inside a namespace.
static void InitDefinitionResource()
{
    Q_INIT_RESOURCE(definitions);
}

std::unique_ptr<TppReport> CreateResultsSheet()
{
    InitDefinitionResource();
    return LoadReportDefinition(":/assets/results_sheet.json");
}

TppComponent &SheetComponent(const TppReport &sheet, std::string_view name)
{
    for (int b = 0; b < sheet.BandCount(); ++b) {
        const TppBand *band = sheet.Bands(b);
        for (int i = 0; i < band->ObjectCount(); ++i) {
            TppComponent *component = band->Objects(i);
            if (component->Name() == name)
                return *component;
        }
    }
    throw std::runtime_error("The results sheet has no component " + std::string(name) + ".");
}
