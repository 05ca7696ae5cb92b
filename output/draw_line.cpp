#include "output/draw_line.h"

std::unique_ptr<TppDrawCommand> TppDrawLine::CreateSameClass() const
{
    return std::make_unique<TppDrawLine>();
}

void TppDrawLine::Assign(const TppDrawCommand &source)
{
    TppDrawCommand::Assign(source);
    const auto *line = dynamic_cast<const TppDrawLine *>(&source);
    if (!line)
        return;
    m_linePosition = line->m_linePosition;
    m_lineStyle = line->m_lineStyle;
    m_pen = line->m_pen;
    m_weight = line->m_weight;
}

bool TppDrawLine::SameContentAs(const TppDrawCommand &other) const
{
    const auto *line = dynamic_cast<const TppDrawLine *>(&other);
    if (!line || !TppDrawCommand::SameContentAs(other))
        return false;
    return m_linePosition == line->m_linePosition && m_lineStyle == line->m_lineStyle
        && m_pen.Color == line->m_pen.Color && m_pen.Style == line->m_pen.Style
        && m_pen.Width == line->m_pen.Width;
}
