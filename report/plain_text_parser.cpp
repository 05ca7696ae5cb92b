#include "report/plain_text_parser.h"

#include "report/text_markups.h"

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

std::string TppPlainTextParser::NextToken()
{
    std::string token;
    while (!m_endOfText) {
        if (m_position >= m_text.size()) {
            m_position = m_text.size() + 1;
            m_endOfText = true;
            break;
        }
        if (AtParagraphEnd()) {
            if (!token.empty())
                break;
            m_position += TppTextMarkups::ParagraphEnd.size();
            return std::string(TppTextMarkups::LineBreak);
        }
        const char c = m_text[m_position++];
        switch (c) {
        case TppTextMarkups::EndOfText:
            m_endOfText = true;
            return token;
        case TppTextMarkups::Space:
        case TppTextMarkups::Tab:
            if (token.empty())
                return std::string(1, c);
            --m_position;
            return token;
        case TppTextMarkups::CarriageReturn:
        case TppTextMarkups::LineFeed:
            if (!token.empty()) {
                --m_position;
                return token;
            }
            if (c == TppTextMarkups::CarriageReturn && m_position < m_text.size()
                && m_text[m_position] == TppTextMarkups::LineFeed)
                ++m_position;
            return std::string(TppTextMarkups::LineBreak);
        default:
            token += c;
        }
    }
    return token;
}
