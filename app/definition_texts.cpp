#include "app/definition_texts.h"

namespace DefinitionTexts {

namespace {

QString Blanks(int count)
{
    return QString(count, QLatin1Char(' '));
}

} // namespace

QStringList Error()
{
    return {
        QStringLiteral("Representa el valor máximo del error que estamos "),
        QStringLiteral("dispuestos a aceptar con la confianza también fija."),
    };
}

QStringList Confidence()
{
    return {
        QStringLiteral("Indica la probabilidad de que nuestro estimador se "),
        QStringLiteral("acerque al verdadero valor a una distancia menor "),
        QStringLiteral("al error fijado."),
    };
}

QStringList Proportion()
{
    return {
        QStringLiteral("Significa la proporción de elementos de la "),
        QStringLiteral("población que poseen una característica. "),
        QStringLiteral("Si no se tiene información previa se recomienda "),
        QStringLiteral("aceptar p = 0.5 que maximiza el cálculo del tamaño "),
        QStringLiteral("de muestra y por lo tanto minimiza la varianza"),
    };
}

QStringList DesignEffect()
{
    QStringList lines{
        QStringLiteral("Es una medida de asociación que muestra que tan similares son los "),
        QStringLiteral("elementos dentro de un conglomerado; toma valores de [0 a 1]."),
        QString(),
        QString(),
        QStringLiteral("DEEF ._  Es la pérdida o ganancia en precisión que se logra al "),
        QStringLiteral("estratificar y conglomerar en un diseño muestral. Se define como el "),
        QStringLiteral("cociente entre la varianza real y la que teóricamente se hubiera "),
        QStringLiteral("logrado con un muestreo aleatorio simple. "),
        QString(),
        Blanks(22) + QStringLiteral("Expresión") + Blanks(44) + QStringLiteral("Cálculo"),
    };
    // Room for the two formula panels.
    for (int line = 0; line < 6; ++line)
        lines.append(QString());
    lines.append(Blanks(14) + QLatin1Char('_'));
    lines.append(QStringLiteral("Donde   v   es el número promedio de cuestionarios que se aplican en "));
    lines.append(QStringLiteral("cada uno de los conglomerados"));
    lines.append(Blanks(1));
    return lines;
}

QStringList ResponseRate()
{
    return {
        QStringLiteral("Es el porcentaje de respuestas completas que "),
        QStringLiteral("esperamos obtener para nuestra variable"),
    };
}

QStringList Population()
{
    return {
        QStringLiteral("Es el número de elementos en la población"),
        QStringLiteral("que se mide"),
    };
}

} // namespace DefinitionTexts
