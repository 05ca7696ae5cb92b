#include "app/scenarios_texts.h"

#include "assets/library_texts.h"
#include "platform/user_locale.h"

namespace {

struct TextPair {
    ScenarioText Id;
    const char *Spanish;
    const char *English;
};

// In the order of the enumeration.
constexpr TextPair kTexts[] = {
    {ScenarioText::WindowTitle, "Escenarios", "Scenarios"},
    {ScenarioText::Summary, "Su cálculo: %1", "Your calculation: %1"},
    {ScenarioText::ErrorColumn, "Error máximo", "Maximum error"},
    {ScenarioText::ConfidenceColumn, "Confianza %1 %", "Confidence %1 %"},
    {ScenarioText::CostColumn, "Costo (confianza %1 %)", "Cost (confidence %1 %)"},
    {ScenarioText::CostField, "&Costo por entrevista:", "&Cost per interview:"},
    {ScenarioText::CostFieldDescription,
     "Con un costo por entrevista la tabla añade el costo de la encuesta para cada error",
     "With a cost per interview the table adds the survey's cost for each error"},
    {ScenarioText::NegativeCost, "El costo por entrevista no puede ser negativo.",
     "The cost per interview cannot be negative."},
    {ScenarioText::TableName, "Tamaños de muestra", "Sample sizes"},
    {ScenarioText::TableDescription,
     "Tamaño de muestra por error máximo (renglones) y confianza (columnas)",
     "Sample size by maximum error (rows) and confidence (columns)"},
    {ScenarioText::ChartName, "Curva del tamaño de muestra contra el error máximo",
     "Curve of the sample size against the maximum error"},
    {ScenarioText::UserCell, "su cálculo", "your calculation"},
    {ScenarioText::AxisError, "Error máximo (%)", "Maximum error (%)"},
    {ScenarioText::AxisSampleSize, "Tamaño de muestra", "Sample size"},
    {ScenarioText::UserPoint, "Su cálculo", "Your calculation"},
    {ScenarioText::PrintButton, "&Imprimir", "&Print"},
    {ScenarioText::PrintDescription, "Abre la vista preliminar de la hoja de escenarios para imprimirla",
     "Opens the print preview of the scenarios sheet to print it"},
    {ScenarioText::CloseButton, "&Cerrar", "&Close"},
    {ScenarioText::SheetTitle, "Escenarios: el tamaño de muestra según el error máximo y la confianza",
     "Scenarios: the sample size by maximum error and confidence"},
    {ScenarioText::SheetUserValues, "Datos del cálculo", "Values of the calculation"},
    {ScenarioText::SheetTable, "Tamaños de muestra", "Sample sizes"},
    {ScenarioText::SheetUserMark, "» « su cálculo", "» « your calculation"},
    {ScenarioText::ValueError, "Error máximo", "Maximum error"},
    {ScenarioText::ValueConfidence, "Confianza", "Confidence"},
    {ScenarioText::ValueProportion, "Proporción", "Proportion"},
    {ScenarioText::ValueDesignEffect, "Efecto de diseño", "Design effect"},
    {ScenarioText::ValueResponseRate, "Tasa de respuesta", "Response rate"},
    {ScenarioText::ValuePopulation, "Tamaño de la población", "Population size"},
    {ScenarioText::ValueSampleSize, "Tamaño de muestra", "Sample size"},
    {ScenarioText::ValueCost, "Costo por entrevista", "Cost per interview"},
};

static_assert(std::size(kTexts) == std::size_t(ScenarioText::ValueCost) + 1);

constexpr bool InEnumerationOrder()
{
    for (std::size_t i = 0; i < std::size(kTexts); ++i) {
        if (kTexts[i].Id != ScenarioText(i))
            return false;
    }
    return true;
}
static_assert(InEnumerationOrder());

} // namespace

bool ScenariosInSpanish()
{
    return LanguageIndexFor(platform::LanguageCode()) == liSpanish;
}

QString ScenarioString(ScenarioText text, bool spanish)
{
    const TextPair &pair = kTexts[std::size_t(text)];
    return QString::fromUtf8(spanish ? pair.Spanish : pair.English);
}

QString ScenarioString(ScenarioText text)
{
    return ScenarioString(text, ScenariosInSpanish());
}
