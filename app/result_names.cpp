#include "app/result_names.h"

#include "app/form3.h"

namespace {

struct ResultRow {
    QLabel *value;
    const char *caption;
    const char *unit;
    QLabel *mark; // none for the sample size, which no one gives
};

// Empty for a row without a value (the population when it is not considered).
QString SpokenValue(const ResultRow &row)
{
    const QString value = row.value->text().trimmed();
    if (value.isEmpty())
        return {};
    QString spoken = QString::fromUtf8(row.caption) + QStringLiteral(": ") + value;
    if (*row.unit)
        spoken += QLatin1Char(' ') + QString::fromUtf8(row.unit);
    return spoken;
}

} // namespace

void NameResultValues(Ui::Form3 &ui)
{
    const ResultRow rows[] = {
        {ui.Label2, "Tamaño de la Muestra", "", nullptr},
        {ui.Label3, "Error Máximo", "%", ui.Image2},
        {ui.Label4, "Confianza", "%", ui.Image3},
        {ui.Label5, "Tamaño Aproximado de la Proporción", "%", ui.Image4},
        {ui.Label16, "Efecto de Diseño", "", ui.Image5},
        {ui.Label17, "Tasa de Respuesta", "%", ui.Image6},
        {ui.Label18, "Tamaño de la Población", "", ui.Image7},
    };
    // The window's description carries the result, so that a screen reader
    // says it as the window opens, before the user looks for it.
    ui.Label2->window()->setAccessibleDescription(SpokenValue(rows[0]));
    for (const ResultRow &row : rows) {
        const QString spoken = SpokenValue(row);
        row.value->setAccessibleName(spoken);
        if (spoken.isEmpty())
            row.value->setAccessibleDescription(QString());
        else if (row.mark)
            row.value->setAccessibleDescription(row.mark->isHidden()
                                                    ? QStringLiteral("Dato considerado por el sistema")
                                                    : QStringLiteral("Dato proporcionado por el usuario"));
    }
}
