#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

// The report engine's own user-visible texts. A text number N is entry
// 43000 + N of the program's string table, in the language a report's
// LanguageIndex names.
inline constexpr int kLibraryTextBase = 43000;

// The languages of the library texts, as a report's LanguageIndex holds them.
// A text the Spanish table lacks is given in English; so is every text of an
// index without a table.
enum TppLanguageIndex : std::int32_t { liEnglish = 0, liSpanish = 1 };

// The language for a locale's ISO 639 language code ("es", "en"; empty for
// the C locale): Spanish for Spanish, English for everything else.
TppLanguageIndex LanguageIndexFor(std::string_view languageCode);

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
    // The print preview window and its tool bar.
    ltPrintPreview = 20,            // "Print Preview"
    ltClose = 21,                   // "Close"
    ltSearchData = 22,              // "Search Data"
    ltWholePage = 23,               // "Whole Page"
    ltPageWidth = 24,               // "Page Width"
    ltHundredPercent = 25,          // "100 %"
    ltFirstPage = 26,               // "First Page"
    ltPriorPage = 27,               // "Prior Page"
    ltNextPage = 28,                // "Next Page"
    ltLastPage = 29,                // "Last Page"
    // What assistive technology says of the report windows' controls whose
    // caption alone does not tell what they are.
    ltPrintDescription = 40,        // "Opens the print dialog to print the report"
    ltSearchDataDescription = 41,   // "Searches the report's data"
    ltWholePageDescription = 42,    // "Zooms so that the whole page shows"
    ltPageWidthDescription = 43,    // "Zooms so that the page's width fills the window"
    ltHundredPercentDescription = 44, // "Shows the page at its real size"
    ltFirstPageDescription = 45,    // "Shows the report's first page"
    ltPriorPageDescription = 46,    // "Shows the page before this one"
    ltNextPageDescription = 47,     // "Shows the page after this one"
    ltLastPageDescription = 48,     // "Shows the report's last page"
    ltCloseDescription = 49,        // "Closes the preview; while a page is made, cancels it"
    ltZoom = 50,                    // "Zoom"
    ltZoomDescription = 51,         // "The zoom in per cent; type one and press Enter"
    ltPageNumber = 52,              // "Page number"
    ltPageNumberDescription = 53,   // "The page on show; type a page number and press Enter"
    ltPageDescription = 54,         // "The report's page; its texts are read from top to bottom ..."
    ltCopiesDescription = 55,       // "How many copies to print; the arrow keys ..."
    ltCollateDescription = 56,      // "Prints each copy whole before the next one"
    ltPrintWhatDescription = 57,    // "Which pages of the range to print: all, odd or even"
    ltPrintToFileDescription = 58,  // "Writes the report into a file instead of ..."
    ltFileType = 59,                // "File type"
    ltFileName = 60,                // "File name"
    ltChooseFile = 61,              // "Choose file"
    ltToolBar = 62,                 // "Tool bar"
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
    // Names the engine stores in English and shows translated: the stand-in
    // for the default printer, the file type, its save dialog filters.
    ltDefaultPrinterName = 1143,    // "Default"
    ltPdfFileType = 1144,           // "PDF File"
    ltPdfFiles = 1145,              // "PDF files"
    ltAllFiles = 1146,              // "All files"
    // Why the PDF writer failed, as its device reports it.
    ltPdfNotStarted = 1147,         // "the PDF writer could not start the document"
    ltPdfPageNotStarted = 1148,     // "the PDF writer could not start a page"
    ltPdfIncomplete = 1149,         // "the PDF writer could not write the whole document (is the disk full?)"
    // The printer's progress through the copies of a page, and a cancel
    // that came after the document had gone to the printer.
    ltPrintingCopyOf = 1150,        // "Printing page <page> of <pagecount>, copy <copy> of <copies>, ..."
    ltPrintingCopy = 1151,          // "Printing page <page>, copy <copy> of <copies>, for report ..."
    ltDocumentAlreadySent = 1152,   // "The document had already been sent to the printer ..."
    ltNoPageChosen = 1153,          // "no page of the report was among the pages chosen"
    ltNoFileToWrite = 1154,         // "no file to write"
    ltJobNotFinished = 1155,        // "The job ended with its document unfinished: nothing of it was printed."
    // The print dialog's checks of the printer, the copies, the pages and
    // the page setup, and the properties dialog's extra choices.
    ltPrinterGoneDefaultChosen = 1170, // "The printer "<printername>" is not available: ... "<defaultprinter>" ..."
    ltPrinterGoneNoneChosen = 1171, // "The printer "<printername>" is not available: ... choose a printer ..."
    ltChoosePrinter = 1172,         // "Choose a printer before printing."
    ltCopiesNotValid = 1173,        // ""<copies>" is not a number of copies: ..."
    ltPagesPartNotValid = 1174,     // ""<part>" is not a page number or a range of pages. ..."
    ltSheetNeedsPortrait = 1175,    // "The sheet does not fit on the page in landscape orientation ..."
    ltSheetNeedsLargerPaper = 1176, // "The sheet does not fit on <paper> paper. ..."
    ltPrinterListRead = 1177,       // "F5 reads the list of printers again"
};

// The text of number N in a language; empty when no table has it.
std::string LibraryText(int textNumber, std::int32_t languageIndex = liEnglish);

// A text the engine keeps in English (a stored name, a device's reason) in
// the language given, when the English table holds it; otherwise unchanged.
std::string TranslatedLibraryText(std::string_view englishText, std::int32_t languageIndex);

// The text of a whole string-table entry (43000 + N); empty when absent.
std::string LibraryTextEntry(int entry, std::int32_t languageIndex = liEnglish);

// The text of number N with its placeholders ("<page>", "<documentname>" ...)
// replaced, in the order they appear, by `values` in the order given. A
// placeholder without a value becomes empty; surplus values are dropped. The
// values are inserted literally.
std::string FormatLibraryText(int textNumber, std::initializer_list<std::string_view> values);
std::string FormatLibraryText(int textNumber, std::int32_t languageIndex,
                              std::initializer_list<std::string_view> values);

// The same substitution on any text.
std::string FillPlaceholders(std::string_view text, std::initializer_list<std::string_view> values);
