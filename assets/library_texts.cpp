#include "assets/library_texts.h"

#include "assets/library_text_table.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace {

using Entry = LibraryTextRow;

// The default language's table: every text exists here.
constexpr std::array kEntries{
    Entry{43002, "Accessing data..."},
    Entry{43004, "Calculating page <page> for report <documentname>"},
    Entry{43008, "There are no printers connected to your computer."},
    Entry{43010, "Drawing page <page> of <pagecount> for report <documentname>"},
    Entry{43016, "of"},
    Entry{43018, "Page"},
    Entry{43020, "Print Preview"},
    Entry{43021, "Close"},
    Entry{43022, "Search Data"},
    Entry{43023, "Whole Page"},
    Entry{43024, "Page Width"},
    Entry{43025, "100 %"},
    Entry{43026, "First Page"},
    Entry{43027, "Prior Page"},
    Entry{43028, "Next Page"},
    Entry{43029, "Last Page"},
    Entry{43040, "Opens the print dialog to print the report"},
    Entry{43041, "Searches the report's data"},
    Entry{43042, "Zooms so that the whole page shows"},
    Entry{43043, "Zooms so that the page's width fills the window"},
    Entry{43044, "Shows the page at its real size"},
    Entry{43045, "Shows the report's first page"},
    Entry{43046, "Shows the page before this one"},
    Entry{43047, "Shows the page after this one"},
    Entry{43048, "Shows the report's last page"},
    Entry{43049, "Closes the preview; while a page is being made, cancels it"},
    Entry{43050, "Zoom"},
    Entry{43051, "The zoom in per cent; type one and press Enter"},
    Entry{43052, "Page number"},
    Entry{43053, "The page on show; type a page number and press Enter"},
    Entry{43054, "The report's page; its texts are read from top to bottom and left to right"},
    Entry{43055, "How many copies to print, 1 to 999; the up and down arrows add or take away one"},
    Entry{43056, "Prints each copy whole before the next one"},
    Entry{43057, "Which pages of the range to print: all, the odd or the even ones"},
    Entry{43058, "Writes the report into a file instead of sending it to the printer"},
    Entry{43059, "File type"},
    Entry{43060, "File name"},
    Entry{43061, "Choose file"},
    Entry{43062, "Tool bar"},
    Entry{44020, "The print server cannot print on the chosen printer with its current setup."},
    Entry{44100, "Printing page <page> of <pagecount> for report <documentname> on the <printername>"},
    Entry{44101, "Printing page <page> for report <documentname> on the <printername>"},
    Entry{44102, "Printing"},
    Entry{44103, "Cancel"},
    Entry{44104, "OK"},
    Entry{44110, "Print"},
    Entry{44111, "Printer"},
    Entry{44112, "&Name:"},
    Entry{44113, "Type:"},
    Entry{44114, "Where:"},
    Entry{44115, "&Properties"},
    Entry{44116, "Page Range"},
    Entry{44117, "All"},
    Entry{44118, "Current Page"},
    Entry{44119, "Pages"},
    Entry{44120, "Enter page numbers and/or page ranges separated by commas.  For example, 1,3,5-12."},
    Entry{44121, "Copies"},
    Entry{44122, "Number of &copies"},
    Entry{44123, "Colla&te"},
    Entry{44124, "P&rint"},
    Entry{44125, "All pages in range"},
    Entry{44126, "Odd pages"},
    Entry{44127, "Even pages"},
    Entry{44128, "Print to File"},
    Entry{44129, "No pages entered."},
    Entry{44130, "Please specify file name before continuing."},
    Entry{44131, "Nothing to print: the report has one page, and it is not among the pages chosen (<selection>)."},
    Entry{44132, "Nothing to print: the report has <pagecount> pages, and none of them is among the pages chosen "
                 "(<selection>)."},
    Entry{44133, "The printer \"<printername>\" is not available: it is no longer on the print server. The list of "
                 "printers has been read again."},
    Entry{44134, "The printer \"<printername>\" is not available: the print server cannot be reached."},
    Entry{44135, "The default printer is not available: the print server cannot be reached."},
    Entry{44136, "The folder \"<folder>\" does not exist."},
    Entry{44137, "The folder \"<folder>\" cannot be written to."},
    Entry{44138, "The file \"<filename>\" already exists. Do you want to replace it?"},
    Entry{44139, "The file \"<filename>\" cannot be written to."},
    Entry{44140, "\"<filename>\" is a folder, not a file."},
    Entry{44141, "The file \"<filename>\" could not be written: <reason>."},
    Entry{44142, "There is no default printer on the print server. Choose a printer in the print dialog."},
    Entry{44143, "Default"},
    Entry{44144, "PDF File"},
    Entry{44145, "PDF files"},
    Entry{44146, "All files"},
    Entry{44147, "the PDF writer could not start the document"},
    Entry{44148, "the PDF writer could not start a page"},
    Entry{44149, "the PDF writer could not write the whole document (is the disk full?)"},
    Entry{44150, "Printing page <page> of <pagecount>, copy <copy> of <copies>, for report <documentname> on the "
                 "<printername>"},
    Entry{44151, "Printing page <page>, copy <copy> of <copies>, for report <documentname> on the <printername>"},
    Entry{44152, "The document had already been sent to the printer \"<printername>\": it can no longer be "
                 "cancelled."},
    Entry{44153, "no page of the report was among the pages chosen"},
    Entry{44154, "no file to write"},
    Entry{44155, "The job ended with its document unfinished: nothing of it was printed."},
    Entry{44170, "The printer \"<printername>\" is not available: it is no longer on the print server. The list of "
                 "printers has been read again and the default printer, \"<defaultprinter>\", is chosen instead: press "
                 "OK to print on it, or choose another printer."},
    Entry{44171, "The printer \"<printername>\" is not available: it is no longer on the print server. The list of "
                 "printers has been read again; as there is no default printer, choose a printer before printing."},
    Entry{44172, "Choose a printer before printing."},
    Entry{44173, "\"<copies>\" is not a number of copies: enter a whole number from 1 to 999."},
    Entry{44174, "\"<part>\" is not a page number or a range of pages. Enter page numbers and page ranges separated by "
                 "commas, for example 1,3,5-12."},
    Entry{44175, "The sheet does not fit on the page in landscape orientation. In Properties, choose Portrait "
                 "orientation or a larger paper."},
    Entry{44176, "The sheet does not fit on <paper> paper. In Properties, choose a larger paper."},
    Entry{44177, "Lists the printers of the print server; F5 reads the list again"},
};

static_assert(IsSortedTable(kEntries));

const char *Find(LibraryTextTable table, int entry)
{
    const auto it = std::lower_bound(table.begin(), table.end(), entry,
                                     [](const Entry &e, int n) { return e.number < n; });
    return it == table.end() || it->number != entry ? nullptr : it->text;
}

LibraryTextTable TableOf(std::int32_t languageIndex)
{
    return languageIndex == liSpanish ? SpanishLibraryTexts() : EnglishLibraryTexts();
}

// A placeholder is "<" followed by letters and ">"; anything else is text.
std::size_t PlaceholderLength(std::string_view text, std::size_t at)
{
    if (text[at] != '<')
        return 0;
    std::size_t end = at + 1;
    while (end < text.size() && std::isalpha(static_cast<unsigned char>(text[end])))
        ++end;
    if (end == at + 1 || end >= text.size() || text[end] != '>')
        return 0;
    return end + 1 - at;
}

} // namespace

LibraryTextTable EnglishLibraryTexts()
{
    return kEntries;
}

TppLanguageIndex LanguageIndexFor(std::string_view languageCode)
{
    return languageCode == "es" ? liSpanish : liEnglish;
}

const char *FindLibraryText(LibraryTextTable table, LibraryTextTable fallback, int entry)
{
    const char *text = Find(table, entry);
    return text ? text : Find(fallback, entry);
}

std::string LibraryTextEntry(int entry, std::int32_t languageIndex)
{
    // A text not yet translated is given in English rather than left out.
    const char *text = FindLibraryText(TableOf(languageIndex), EnglishLibraryTexts(), entry);
    return text ? text : std::string();
}

std::string TranslatedLibraryText(std::string_view englishText, std::int32_t languageIndex)
{
    for (const Entry &entry : kEntries) {
        if (englishText == entry.text)
            return LibraryTextEntry(entry.number, languageIndex);
    }
    return std::string(englishText);
}

std::string LibraryText(int textNumber, std::int32_t languageIndex)
{
    return LibraryTextEntry(kLibraryTextBase + textNumber, languageIndex);
}

std::string FillPlaceholders(std::string_view text, std::initializer_list<std::string_view> values)
{
    std::string result;
    result.reserve(text.size());
    auto value = values.begin();
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = PlaceholderLength(text, i);
        if (length == 0) {
            result += text[i++];
            continue;
        }
        if (value != values.end())
            result += *value++;
        i += length;
    }
    return result;
}

std::string FormatLibraryText(int textNumber, std::initializer_list<std::string_view> values)
{
    return FillPlaceholders(LibraryText(textNumber), values);
}

std::string FormatLibraryText(int textNumber, std::int32_t languageIndex,
                              std::initializer_list<std::string_view> values)
{
    return FillPlaceholders(LibraryText(textNumber, languageIndex), values);
}
