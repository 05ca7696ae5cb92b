#include "app/command_line_texts.h"

#include <vector>

namespace {

constexpr CommandLineTexts kEnglish{
    // help
    R"(Usage: valdora
       valdora --error PERCENT --confidence LEVEL [OPTION...]
       valdora --batch FILE [--output FILE] [--pdf FILE]

Computes the size of a simple random sample for estimating a proportion.
Without arguments the program opens its windows. With calculation options
it computes without opening a window and writes the result to standard
output.

Calculation (each element as on the selection screen; an element whose
option is absent is not taken into account):
  --error PERCENT          maximum acceptable error, greater than 0, at most 20
  --confidence LEVEL       confidence level: 50 to 99, 99.5 or 99.7
  --proportion PERCENT     approximate proportion, 15 to 95 (else 50 is assumed)
  --population N           population size, 1 or more
  --deff VALUE             design effect as a value, greater than 0
  --rho VALUE              intraclass correlation, 0 to 1, with
  --cluster-size N         cluster size, 1 to 1000000: the design effect from both
  --response-rate PERCENT  expected response rate, 1 to 100

Output:
  --json                   one JSON object instead of lines of text
  --note TEXT              the note of the results sheet
  --pdf FILE               write the results sheet into a PDF file
  --print                  print the results sheet on the default printer
  --printer QUEUE          print on this queue instead
  --copies N               copies to print, 1 to 999

A file of strata:
  --batch FILE             compute each row of a CSV table whose header names
                           any of the columns stratum, error, confidence,
                           proportion, population, deff, rho, cluster_size,
                           response_rate and note; "-" reads standard input
  --output FILE            write the table with sample_size there instead of
                           to standard output
  --pdf FILE               with --batch: one results sheet per stratum

  --help                   show this help and exit
  --version                show the version and exit

Numbers are read in the locale's format and also with a decimal point.
Exit status: 0 done; 2 bad input; 3 the calculation failed (for example
"Floating point overflow"); 4 the output could not be written or printed.
)",
    "valdora %1\n",
    "Sample size: %1",
    "Maximum error: %1 %",
    "Confidence: %1 % (z = %2)",
    "Proportion: %1 %",
    "Design effect: %1",
    "Response rate: %1 %",
    "Population size: %1",
    "Proportion: %1 % (assumed)",
    "Design effect: %1 (assumed)",
    "Response rate: %1 % (assumed)",
    "Design effect: %1 (RHO %2, cluster size %3)",
    {
        "the maximum acceptable error is a percentage greater than 0 and at most 20",
        "the confidence level is a whole percentage from 50 to 99, or 99.5 or 99.7",
        "the proportion is a whole percentage from 15 to 95",
        "the population size is a number of 1 or more",
        "the design effect is a number greater than 0",
        "RHO is a number from 0 to 1",
        "the cluster size is a whole number from 1 to 1000000",
        "the response rate is a whole percentage from 1 to 100",
    },
    "the number of copies is a whole number from 1 to 999",
    "%1: '%2' is not accepted; %3.",
    "%1 is required: %2.",
    "%1 gives the design effect as a value, %2 and %3 compute it: give one or the other.",
    "%1 needs %2.",
    "%1 cannot be combined with %2.",
    "%1 is given twice.",
    "unknown option '%1'; see 'valdora --help'.",
    "%1 needs a value.",
    "unexpected argument '%1'; see 'valdora --help'.",
    "%1: there is no print queue '%2'.",
    "the results sheet could not be written: %1",
    "the results sheet could not be printed: %1",
    "%1: unknown column '%2'; the columns are stratum, error, confidence, proportion, population, deff, rho, "
    "cluster_size, response_rate and note.",
    "%1: the table has no header row.",
    "the row has %1 cells and the header %2.",
    "%1: cannot be read: %2",
    "%1: cannot be written: %2",
    "%1 of %2 rows refused; see their message column.",
    "Total",
};

constexpr CommandLineTexts kSpanish{
    R"(Uso: valdora
     valdora --error PORCENTAJE --confidence NIVEL [OPCIÓN...]
     valdora --batch ARCHIVO [--output ARCHIVO] [--pdf ARCHIVO]

Calcula el tamaño de una muestra aleatoria simple para estimar una
proporción. Sin argumentos el programa abre sus ventanas. Con opciones de
cálculo calcula sin abrir ninguna ventana y escribe el resultado en la
salida estándar.

Cálculo (cada elemento como en la pantalla de selección; un elemento cuya
opción falta no se contempla en el cálculo):
  --error PORCENTAJE       error máximo aceptable, mayor que 0, como máximo 20
  --confidence NIVEL       nivel de confianza: 50 a 99, 99,5 o 99,7
  --proportion PORCENTAJE  proporción aproximada, 15 a 95 (si no, se supone 50)
  --population N           tamaño de la población, 1 o más
  --deff VALOR             efecto de diseño como valor, mayor que 0
  --rho VALOR              correlación intraclase, 0 a 1, con
  --cluster-size N         tamaño del conglomerado, 1 a 1000000: el efecto de
                           diseño a partir de ambos
  --response-rate PORCENTAJE  tasa de respuesta esperada, 1 a 100

Salida:
  --json                   un objeto JSON en lugar de líneas de texto
  --note TEXTO             la nota de la hoja de resultados
  --pdf ARCHIVO            escribe la hoja de resultados en un archivo PDF
  --print                  imprime la hoja de resultados en la impresora
                           predeterminada
  --printer COLA           imprime en esta cola
  --copies N               copias que imprimir, 1 a 999

Un archivo de estratos:
  --batch ARCHIVO          calcula cada renglón de una tabla CSV cuyo
                           encabezado nombra cualquiera de las columnas
                           stratum, error, confidence, proportion,
                           population, deff, rho, cluster_size, response_rate
                           y note; "-" lee la entrada estándar
  --output ARCHIVO         escribe ahí la tabla con sample_size en lugar de en
                           la salida estándar
  --pdf ARCHIVO            con --batch: una hoja de resultados por estrato

  --help                   muestra esta ayuda y termina
  --version                muestra la versión y termina

Los números se leen en el formato regional y también con punto decimal.
Estado de salida: 0 hecho; 2 datos no válidos; 3 el cálculo falló (por
ejemplo "Floating point overflow"); 4 no se pudo escribir o imprimir.
)",
    "valdora %1\n",
    "Tamaño de la muestra: %1",
    "Error máximo: %1 %",
    "Confianza: %1 % (z = %2)",
    "Proporción: %1 %",
    "Efecto de diseño: %1",
    "Tasa de respuesta: %1 %",
    "Tamaño de la población: %1",
    "Proporción: %1 % (supuesta)",
    "Efecto de diseño: %1 (supuesto)",
    "Tasa de respuesta: %1 % (supuesta)",
    "Efecto de diseño: %1 (RHO %2, tamaño del conglomerado %3)",
    {
        "el error máximo aceptable es un porcentaje mayor que 0 y como máximo 20",
        "el nivel de confianza es un porcentaje entero de 50 a 99, o 99.5 o 99.7",
        "la proporción es un porcentaje entero de 15 a 95",
        "el tamaño de la población es un número de 1 o más",
        "el efecto de diseño es un número mayor que 0",
        "RHO es un número de 0 a 1",
        "el tamaño del conglomerado es un número entero de 1 a 1000000",
        "la tasa de respuesta es un porcentaje entero de 1 a 100",
    },
    "el número de copias es un número entero de 1 a 999",
    "%1: no se acepta '%2'; %3.",
    "falta %1: %2.",
    "%1 da el efecto de diseño como valor, %2 y %3 lo calculan: indique uno u otro.",
    "%1 requiere %2.",
    "%1 no se puede combinar con %2.",
    "%1 aparece dos veces.",
    "opción desconocida '%1'; véase 'valdora --help'.",
    "%1 requiere un valor.",
    "argumento inesperado '%1'; véase 'valdora --help'.",
    "%1: no existe la cola de impresión '%2'.",
    "no se pudo escribir la hoja de resultados: %1",
    "no se pudo imprimir la hoja de resultados: %1",
    "%1: columna desconocida '%2'; las columnas son stratum, error, confidence, proportion, population, deff, "
    "rho, cluster_size, response_rate y note.",
    "%1: la tabla no tiene renglón de encabezado.",
    "el renglón tiene %1 celdas y el encabezado %2.",
    "%1: no se puede leer: %2",
    "%1: no se puede escribir: %2",
    "%1 de %2 renglones rechazados; véase su columna message.",
    "Total",
};

} // namespace

const CommandLineTexts &CommandLineTextsFor(std::string_view languageCode)
{
    return languageCode == "es" ? kSpanish : kEnglish;
}

std::string FillIn(std::string_view format, std::initializer_list<std::string_view> arguments)
{
    const std::vector<std::string_view> values(arguments);
    std::string text;
    text.reserve(format.size() + 32);
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (c == '%' && i + 1 < format.size() && format[i + 1] >= '1' && format[i + 1] <= '9') {
            const std::size_t index = static_cast<std::size_t>(format[i + 1] - '1');
            if (index < values.size()) {
                text += values[index];
                ++i;
                continue;
            }
        }
        text += c;
    }
    return text;
}

std::string RangeText(const CommandLineTexts &texts, SurveyElement element, char separator)
{
    std::string text(texts.ranges[static_cast<std::size_t>(element)]);
    // Only the confidence's special levels are written with decimals.
    for (const std::string_view level : {std::string_view("99.5"), std::string_view("99.7")}) {
        const std::size_t at = text.find(level);
        if (at != std::string::npos)
            text[at + 2] = separator;
    }
    return text;
}

std::string_view NameOf(SurveyElement element, ElementNaming naming)
{
    return naming == ElementNaming::Options ? OptionOf(element) : ColumnOf(element);
}

std::string ProblemText(const CommandLineTexts &texts, SelectionProblem problem, ElementNaming naming,
                        char separator)
{
    const auto name = [naming](SurveyElement element) { return NameOf(element, naming); };
    const auto required = [&](SurveyElement element) {
        return FillIn(texts.required, {name(element), RangeText(texts, element, separator)});
    };
    switch (problem) {
    case SelectionProblem::None:
        break;
    case SelectionProblem::ErrorMissing:
        return required(SurveyElement::Error);
    case SelectionProblem::ConfidenceMissing:
        return required(SurveyElement::Confidence);
    case SelectionProblem::DesignEffectTwice:
        return FillIn(texts.designEffectTwice, {name(SurveyElement::DesignEffect), name(SurveyElement::Rho),
                                                name(SurveyElement::ClusterSize)});
    case SelectionProblem::RhoWithoutClusterSize:
        return FillIn(texts.needs, {name(SurveyElement::Rho), name(SurveyElement::ClusterSize)});
    case SelectionProblem::ClusterSizeWithoutRho:
        return FillIn(texts.needs, {name(SurveyElement::ClusterSize), name(SurveyElement::Rho)});
    }
    return {};
}
