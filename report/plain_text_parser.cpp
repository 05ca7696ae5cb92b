#include "report/plain_text_parser.h"

#include "platform/text_markups.h"

#include <algorithm>
#include <array>

TppPlainTextParser::TppPlainTextParser(std::string_view text, std::size_t startPosition)
    : m_text(text)
    , m_position(startPosition)
{
    if (m_position > m_text.size())
        m_position = m_text.size() + 1;
}

bool TppPlainTextParser::AtParagraphEnd() const
{
    return m_text.substr(m_position).starts_with(TppTextMarkups::ParagraphEnd);
}

namespace {

// Bytes at which a token may end or a markup begin, as a table: looked up
// for every byte of every word.
constexpr std::array<bool, 256> kSpecialBytes = [] {
    std::array<bool, 256> special{};
    for (const char c : {TppTextMarkups::EndOfText, TppTextMarkups::Space, TppTextMarkups::Tab,
                         TppTextMarkups::CarriageReturn, TppTextMarkups::LineFeed, TppTextMarkups::ParagraphEnd.front()})
        special[static_cast<unsigned char>(c)] = true;
    return special;
}();

bool IsSpecial(char c)
{
    return kSpecialBytes[static_cast<unsigned char>(c)];
}

} // namespace

std::size_t TppPlainTextParser::EndOfPlainRun(std::size_t position) const
{
    // Words are read a byte at a time only to find where they end.
    while (position < m_text.size() && !IsSpecial(m_text[position]))
        ++position;
    return position;
}

std::string_view TppPlainTextParser::NextToken()
{
    // A token is always a run of the text itself, so it is answered as a view.
    const std::size_t start = m_position;
    auto token = [&] { return m_text.substr(start, m_position - start); };
    while (!m_endOfText) {
        if (m_position >= m_text.size()) {
            const std::string_view word = m_text.substr(std::min(start, m_text.size()));
            m_position = m_text.size() + 1;
            m_endOfText = true;
            return word;
        }
        if (m_text[m_position] == TppTextMarkups::ParagraphEnd.front() && AtParagraphEnd()) {
            if (m_position > start)
                return token();
            m_position += TppTextMarkups::ParagraphEnd.size();
            return TppTextMarkups::LineBreak;
        }
        const char c = m_text[m_position];
        switch (c) {
        case TppTextMarkups::EndOfText: {
            const std::string_view word = token();
            ++m_position;
            m_endOfText = true;
            return word;
        }
        case TppTextMarkups::Space:
        case TppTextMarkups::Tab:
            if (m_position > start)
                return token();
            ++m_position;
            return token();
        case TppTextMarkups::CarriageReturn:
        case TppTextMarkups::LineFeed:
            if (m_position > start)
                return token();
            ++m_position;
            if (c == TppTextMarkups::CarriageReturn && m_position < m_text.size()
                && m_text[m_position] == TppTextMarkups::LineFeed)
                ++m_position;
            return TppTextMarkups::LineBreak;
        default:
            m_position = EndOfPlainRun(m_position + 1);
        }
    }
    return {};
}
