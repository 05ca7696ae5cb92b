#include "output/draw_shape.h"

std::unique_ptr<TppDrawCommand> TppDrawShape::CreateSameClass() const
{
    return std::make_unique<TppDrawShape>();
}

void TppDrawShape::Assign(const TppDrawCommand &source)
{
    TppDrawCommand::Assign(source);
    const auto *shape = dynamic_cast<const TppDrawShape *>(&source);
    if (!shape)
        return;
    m_shapeType = shape->m_shapeType;
    m_xCornerRound = shape->m_xCornerRound;
    m_yCornerRound = shape->m_yCornerRound;
    m_brush = shape->m_brush;
    m_pen = shape->m_pen;
}

bool TppDrawShape::SameContentAs(const TppDrawCommand &other) const
{
    const auto *shape = dynamic_cast<const TppDrawShape *>(&other);
    if (!shape || !TppDrawCommand::SameContentAs(other))
        return false;
    return m_brush.Color == shape->m_brush.Color && m_brush.Style == shape->m_brush.Style
        && m_pen.Color == shape->m_pen.Color && m_pen.Style == shape->m_pen.Style
        && m_pen.Width == shape->m_pen.Width && m_shapeType == shape->m_shapeType
        && m_xCornerRound == shape->m_xCornerRound && m_yCornerRound == shape->m_yCornerRound;
}
