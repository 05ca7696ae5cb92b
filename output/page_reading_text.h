#pragma once

#include <string>

class TppPage;

// A page's texts as a screen reader reads the sheet: the text draw commands
// in rows from top to bottom, each row from left to right. Texts whose
// heights overlap stand in one row, a blank between them; rows are
// separated by a line break. Wrapped and memo texts give their lines.
std::string PageReadingText(const TppPage &page);
