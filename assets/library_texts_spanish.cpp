#include "assets/library_text_table.h"

#include <array>

namespace {

// Every placeholder of the English text, in the same order (the values fill
// them in order); a mnemonic where the English text has one.
constexpr std::array kSpanish{
    LibraryTextRow{43002, "Accediendo a los datos..."},
    LibraryTextRow{43004, "Calculando la página <page> del informe <documentname>"},
    LibraryTextRow{43008, "No hay ninguna impresora conectada a este equipo."},
    LibraryTextRow{43010, "Dibujando la página <page> de <pagecount> del informe <documentname>"},
    LibraryTextRow{43016, "de"},
    LibraryTextRow{43018, "Página"},
    LibraryTextRow{43020, "Vista preliminar"},
    LibraryTextRow{43021, "Cerrar"},
    LibraryTextRow{43022, "Buscar datos"},
    LibraryTextRow{43023, "Página completa"},
    LibraryTextRow{43024, "Ancho de página"},
    LibraryTextRow{43025, "100 %"},
    LibraryTextRow{43026, "Primera página"},
    LibraryTextRow{43027, "Página anterior"},
    LibraryTextRow{43028, "Página siguiente"},
    LibraryTextRow{43029, "Última página"},
    LibraryTextRow{43040, "Abre el diálogo de impresión para imprimir el informe"},
    LibraryTextRow{43041, "Busca en los datos del informe"},
    LibraryTextRow{43042, "Ajusta el zoom para que se vea la página entera"},
    LibraryTextRow{43043, "Ajusta el zoom para que el ancho de la página llene la ventana"},
    LibraryTextRow{43044, "Muestra la página a su tamaño real"},
    LibraryTextRow{43045, "Muestra la primera página del informe"},
    LibraryTextRow{43046, "Muestra la página anterior a esta"},
    LibraryTextRow{43047, "Muestra la página siguiente a esta"},
    LibraryTextRow{43048, "Muestra la última página del informe"},
    LibraryTextRow{43049, "Cierra la vista preliminar; mientras se genera una página, la cancela"},
    LibraryTextRow{43050, "Zoom"},
    LibraryTextRow{43051, "El zoom en por ciento; escriba uno y pulse Intro"},
    LibraryTextRow{43052, "Número de página"},
    LibraryTextRow{43053, "La página que se muestra; escriba un número de página y pulse Intro"},
    LibraryTextRow{43054, "La página del informe; sus textos se leen de arriba abajo y de izquierda a derecha"},
    LibraryTextRow{43055, "Cuántas copias imprimir, de 1 a 999; las flechas arriba y abajo suman o restan una"},
    LibraryTextRow{43056, "Imprime cada copia completa antes de la siguiente"},
    LibraryTextRow{43057, "Qué páginas del intervalo imprimir: todas, las impares o las pares"},
    LibraryTextRow{43058, "Escribe el informe en un archivo en lugar de enviarlo a la impresora"},
    LibraryTextRow{43059, "Tipo de archivo"},
    LibraryTextRow{43060, "Nombre del archivo"},
    LibraryTextRow{43061, "Elegir archivo"},
    LibraryTextRow{43062, "Barra de herramientas"},
    LibraryTextRow{44020, "El servidor de impresión no puede imprimir en la impresora elegida con su configuración actual."},
    LibraryTextRow{44100, "Imprimiendo la página <page> de <pagecount> del informe <documentname> en <printername>"},
    LibraryTextRow{44101, "Imprimiendo la página <page> del informe <documentname> en <printername>"},
    LibraryTextRow{44102, "Imprimiendo"},
    LibraryTextRow{44103, "Cancelar"},
    LibraryTextRow{44104, "Aceptar"},
    LibraryTextRow{44110, "Imprimir"},
    LibraryTextRow{44111, "Impresora"},
    LibraryTextRow{44112, "&Nombre:"},
    LibraryTextRow{44113, "Tipo:"},
    LibraryTextRow{44114, "Dónde:"},
    LibraryTextRow{44115, "&Propiedades"},
    LibraryTextRow{44116, "Intervalo de páginas"},
    LibraryTextRow{44117, "Todo"},
    LibraryTextRow{44118, "Página actual"},
    LibraryTextRow{44119, "Páginas"},
    LibraryTextRow{44120, "Escriba números de página o intervalos de páginas separados por comas. Por ejemplo, 1,3,5-12."},
    LibraryTextRow{44121, "Copias"},
    LibraryTextRow{44122, "Número de &copias"},
    LibraryTextRow{44123, "&Intercalar"},
    LibraryTextRow{44124, "Imp&rimir"},
    LibraryTextRow{44125, "Todas las páginas del intervalo"},
    LibraryTextRow{44126, "Páginas impares"},
    LibraryTextRow{44127, "Páginas pares"},
    LibraryTextRow{44128, "Imprimir a archivo"},
    LibraryTextRow{44129, "No se ha indicado ninguna página."},
    LibraryTextRow{44130, "Indique el nombre del archivo antes de continuar."},
    LibraryTextRow{44131, "No hay nada que imprimir: el informe tiene una página y no está entre las páginas elegidas (<selection>)."},
    LibraryTextRow{44132, "No hay nada que imprimir: el informe tiene <pagecount> páginas y ninguna está entre las páginas "
                          "elegidas (<selection>)."},
    LibraryTextRow{44133, "La impresora \"<printername>\" no está disponible: ya no está en el servidor de impresión. Se ha "
                          "vuelto a leer la lista de impresoras."},
    LibraryTextRow{44134, "La impresora \"<printername>\" no está disponible: no se puede acceder al servidor de impresión."},
    LibraryTextRow{44135, "La impresora predeterminada no está disponible: no se puede acceder al servidor de impresión."},
    LibraryTextRow{44136, "La carpeta \"<folder>\" no existe."},
    LibraryTextRow{44137, "No se puede escribir en la carpeta \"<folder>\"."},
    LibraryTextRow{44138, "El archivo \"<filename>\" ya existe. ¿Desea reemplazarlo?"},
    LibraryTextRow{44139, "No se puede escribir en el archivo \"<filename>\"."},
    LibraryTextRow{44140, "\"<filename>\" es una carpeta, no un archivo."},
    LibraryTextRow{44141, "No se pudo escribir el archivo \"<filename>\": <reason>."},
    LibraryTextRow{44142, "No hay impresora predeterminada en el servidor de impresión. Elija una impresora en el diálogo de "
                          "impresión."},
    LibraryTextRow{44143, "Predeterminada"},
    LibraryTextRow{44144, "Archivo PDF"},
    LibraryTextRow{44145, "Archivos PDF"},
    LibraryTextRow{44146, "Todos los archivos"},
    LibraryTextRow{44147, "no se pudo empezar a escribir el documento PDF"},
    LibraryTextRow{44148, "no se pudo empezar a escribir una página del documento PDF"},
    LibraryTextRow{44149, "no se pudo escribir el documento PDF entero (¿está lleno el disco?)"},
    LibraryTextRow{44150, "Imprimiendo la página <page> de <pagecount>, copia <copy> de <copies>, del informe "
                          "<documentname> en <printername>"},
    LibraryTextRow{44151, "Imprimiendo la página <page>, copia <copy> de <copies>, del informe <documentname> en "
                          "<printername>"},
    LibraryTextRow{44152, "El documento ya se había enviado a la impresora \"<printername>\": ya no se puede cancelar."},
    LibraryTextRow{44153, "ninguna página del informe estaba entre las páginas elegidas"},
    LibraryTextRow{44154, "no se indicó ningún archivo"},
    LibraryTextRow{44155, "El trabajo terminó con su documento sin acabar: no se imprimió nada de él."},
    LibraryTextRow{44170, "La impresora \"<printername>\" no está disponible: ya no está en el servidor de impresión. Se "
                          "ha vuelto a leer la lista de impresoras y en su lugar se ha elegido la impresora predeterminada, "
                          "\"<defaultprinter>\": pulse Aceptar para imprimir en ella o elija otra impresora."},
    LibraryTextRow{44171, "La impresora \"<printername>\" no está disponible: ya no está en el servidor de impresión. Se "
                          "ha vuelto a leer la lista de impresoras; como no hay impresora predeterminada, elija una "
                          "impresora antes de imprimir."},
    LibraryTextRow{44172, "Elija una impresora antes de imprimir."},
    LibraryTextRow{44173, "\"<copies>\" no es un número de copias: escriba un número entero de 1 a 999."},
    LibraryTextRow{44174, "\"<part>\" no es un número de página ni un intervalo de páginas. Escriba números de página e "
                          "intervalos separados por comas, por ejemplo 1,3,5-12."},
    LibraryTextRow{44175, "La hoja no cabe en la página con orientación horizontal. En Propiedades, elija la orientación "
                          "vertical o un papel más grande."},
    LibraryTextRow{44176, "La hoja no cabe en papel <paper>. En Propiedades, elija un papel más grande."},
    LibraryTextRow{44177, "Muestra las impresoras del servidor de impresión; F5 vuelve a leer la lista"},
};

static_assert(IsSortedTable(kSpanish));

} // namespace

LibraryTextTable SpanishLibraryTexts()
{
    return kSpanish;
}
