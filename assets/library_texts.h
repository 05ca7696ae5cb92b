#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// The report engine's own user-visible texts. A text number N is entry
// 43000 + N of the program's string table; only the default language exists.
inline constexpr int kLibraryTextBase = 43000;

// Text numbers the engine uses by name.
enum TppLibraryText : int {
    ltAccessingData = 2,            // "Accessing data..."
    ltCalculatingPage = 4,          // "Calculating page <page> for report <documentname>"
    ltNoPrinters = 8,               // "There are no printers connected to your computer."
    ltDrawingPage = 10,             // "Drawing page <page> of <pagecount> for report <documentname>"
    ltOf = 16,                      // "of"
    ltPage = 18,                    // "Page"
    ltPrinterSetupProblem = 1020,   // "The print server cannot print on the chosen printer ..."
    // The printer's progress, the print dialog and the cancel dialog.
    ltPrintingPageOf = 1100,        // "Printing page <page> of <pagecount> for report ..."
    ltPrintingPage = 1101,          // "Printing page <page> for report <documentname> on ..."
    ltPrinting = 1102,              // "Printing"
    ltCancel = 1103,                // "Cancel"
    ltOK = 1104,                    // "OK"
    ltPrint = 1110,                 // "Print"
    ltPrinter = 1111,               // "Printer"
    ltPrinterName = 1112,           // "&Name:"
    ltType = 1113,                  // "Type:"
    ltWhere = 1114,                 // "Where:"
    ltProperties = 1115,            // "&Properties"
    ltPageRange = 1116,             // "Page Range"
    ltAll = 1117,                   // "All"
    ltCurrentPage = 1118,           // "Current Page"
    ltPages = 1119,                 // "Pages"
    ltPageRangeDescription = 1120,  // "Enter page numbers and/or page ranges ..."
    ltCopies = 1121,                // "Copies"
    ltNumberOfCopies = 1122,        // "Number of &copies"
    ltCollate = 1123,               // "Colla&te"
    ltPrintWhat = 1124,             // "P&rint"
    ltAllPagesInRange = 1125,       // "All pages in range"
    ltOddPages = 1126,              // "Odd pages"
    ltEvenPages = 1127,             // "Even pages"
    ltPrintToFile = 1128,           // "Print to File"
    ltNoPagesEntered = 1129,        // "No pages entered."
    ltSpecifyFileName = 1130,       // "Please specify file name before continuing."
    // Why the print dialog stays open, and what a file target reports.
    ltNothingToPrintOnePage = 1131, // "Nothing to print: the report has one page, ..."
    ltNothingToPrintPages = 1132,   // "Nothing to print: the report has <pagecount> pages, ..."
    ltPrinterNotAvailable = 1133,   // "The printer "<printername>" is not available. ..."
    ltPrintServerUnreachable = 1134, // "The printer "<printername>" is not available: the print server ..."
    ltDefaultPrinterUnreachable = 1135, // "The default printer is not available: the print server ..."
    ltFolderMissing = 1136,         // "The folder "<folder>" does not exist."
    ltFolderNotWritable = 1137,     // "The folder "<folder>" cannot be written to."
    ltReplaceFile = 1138,           // "The file "<filename>" already exists. Do you want to replace it?"
    ltFileNotWritable = 1139,       // "The file "<filename>" cannot be written to."
    ltNotAFile = 1140,              // ""<filename>" is a folder, not a file."
    ltFileNotWritten = 1141,        // "The file "<filename>" could not be written: <reason>"
    ltNoDefaultPrinter = 1142,      // "There is no default printer on the print server. ..."
};

// The text of number N; empty when the table has no such entry.
std::string LibraryText(int textNumber);

// The text of a whole string-table entry (43000 + N); empty when absent.
std::string LibraryTextEntry(int entry);

// The text of number N with its placeholders ("<page>", "<documentname>" ...)
// replaced, in the order they appear, by `values` in the order given. A
// placeholder without a value becomes empty; surplus values are dropped. The
// values are inserted literally.
std::string FormatLibraryText(int textNumber, std::initializer_list<std::string_view> values);

// The same substitution on any text.
std::string FillPlaceholders(std::string_view text, std::initializer_list<std::string_view> values);
