#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Splits a text into the tokens text wrapping works with: words, single
// spaces, single tabs and line breaks (CR LF, CR, LF or the paragraph-end
// marker, each answered as CR LF). Positions count bytes of the UTF-8 text.
class TppPlainTextParser
{
public:
    // The text is referred to, not copied: it must outlive the parser.
    explicit TppPlainTextParser(std::string_view text, std::size_t startPosition = 0);

    // The next token: a part of the text (or LineBreak for any line break),
    // valid as long as the text; empty once the text is exhausted.
    std::string_view NextToken();

    // Bytes consumed so far. A byte that ends a token and is left for the
    // next call is not counted; the attempt to read past the end is, so at
    // the end the position is the text's length + 1.
    std::size_t Position() const { return m_position; }
    bool EndOfText() const { return m_endOfText; }
    // True once the end of the text itself (not a character 0) was reached.
    bool PastEnd() const { return m_position > m_text.size(); }
    std::size_t Length() const { return m_text.size(); }

private:
    bool AtParagraphEnd() const;
    // The first byte at or after `position` that may end a word.
    std::size_t EndOfPlainRun(std::size_t position) const;

    std::string_view m_text;
    std::size_t m_position = 0;
    bool m_endOfText = false;
};
