#include "output/draw_text.h"

std::unique_ptr<TppDrawCommand> TppDrawText::CreateSameClass() const
{
    return std::make_unique<TppDrawText>();
}

void TppDrawText::SetAlignment(TppAlignment value)
{
    if (value == m_alignment)
        return;
    m_alignment = value;
    m_textAlignment = TextAlignmentOf(value);
}

void TppDrawText::SetTextAlignment(TppTextAlignment value)
{
    if (value == m_textAlignment)
        return;
    m_textAlignment = value;
    m_alignment = AlignmentOf(value);
}

void TppDrawText::ReadAlignmentIdentifier(std::string_view identifier)
{
    if (identifier == "taLeftJustify")
        SetAlignment(taLeftJustify);
    else if (identifier == "taCenter")
        SetAlignment(taCenter);
    else if (identifier == "taRightJustify")
        SetAlignment(taRightJustify);
}

void TppDrawText::Assign(const TppDrawCommand &source)
{
    TppDrawCommand::Assign(source);
    const auto *text = dynamic_cast<const TppDrawText *>(&source);
    if (!text)
        return;
    // Both alignments are copied as they are: they are in step in the source.
    m_alignment = text->m_alignment;
    m_textAlignment = text->m_textAlignment;
    m_autoSize = text->m_autoSize;
    m_color = text->m_color;
    m_font = text->m_font;
    m_isMemo = text->m_isMemo;
    m_leading = text->m_leading;
    m_text = text->m_text;
    m_transparent = text->m_transparent;
    m_wordWrap = text->m_wordWrap;
    m_wrappedText = text->m_wrappedText;
    m_tabStopPositions = text->m_tabStopPositions;
    m_bandSave = text->m_bandSave;
    m_bandSaveNo = text->m_bandSaveNo;
    m_componentSave = text->m_componentSave;
    m_componentSaveNo = text->m_componentSaveNo;
    m_forceJustifyLastLine = text->m_forceJustifyLastLine;
    m_saveLength = text->m_saveLength;
}

bool TppDrawText::SameContentAs(const TppDrawCommand &other) const
{
    const auto *text = dynamic_cast<const TppDrawText *>(&other);
    if (!text || !TppDrawCommand::SameContentAs(other))
        return false;
    return m_alignment == text->m_alignment && m_textAlignment == text->m_textAlignment
        && m_forceJustifyLastLine == text->m_forceJustifyLastLine
        && m_autoSize == text->m_autoSize && m_color == text->m_color
        && m_font.Name() == text->m_font.Name() && m_font.Size() == text->m_font.Size()
        && m_font.Style() == text->m_font.Style() && m_isMemo == text->m_isMemo
        && m_leading == text->m_leading && m_saveLength == text->m_saveLength
        && m_text == text->m_text && m_transparent == text->m_transparent
        && JoinedText(m_tabStopPositions) == JoinedText(text->m_tabStopPositions)
        && m_wordWrap == text->m_wordWrap
        && JoinedText(m_wrappedText) == JoinedText(text->m_wrappedText);
}
