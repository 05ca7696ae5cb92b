#pragma once

#include <QString>

// The texts of the scenarios window and its printed sheet, in the language
// of the report windows: Spanish in a Spanish locale, English otherwise.
enum class ScenarioText {
    WindowTitle,        // "Escenarios"
    Summary,            // the user's values: "%1" the list
    ErrorColumn,        // "Error máximo"
    ConfidenceColumn,   // "Confianza %1 %"
    CostColumn,         // "Costo (confianza %1 %)"
    CostField,          // "&Costo por entrevista:"
    CostFieldDescription,
    NegativeCost,
    TableName,
    TableDescription,
    ChartName,
    UserCell,           // what marks the user's cell for a screen reader
    AxisError,          // "Error máximo (%)"
    AxisSampleSize,     // "Tamaño de muestra"
    UserPoint,          // the legend of the user's point
    PrintButton,        // "&Imprimir"
    PrintDescription,
    CloseButton,        // "&Cerrar"
    SheetTitle,
    SheetUserValues,
    SheetTable,
    SheetUserMark,      // the note under the printed table
    ValueError,
    ValueConfidence,
    ValueProportion,
    ValueDesignEffect,
    ValueResponseRate,
    ValuePopulation,
    ValueSampleSize,
    ValueCost,
};

// The text in the user's language.
QString ScenarioString(ScenarioText text);
// The same in a given language; `spanish` false gives English.
QString ScenarioString(ScenarioText text, bool spanish);

// Whether the user's locale speaks Spanish.
bool ScenariosInSpanish();
