#include "report/shape.h"

#include "output/draw_shape.h"

TppShape::TppShape() : TppCustomGraphic(50, 50) { }

std::unique_ptr<TppDrawCommand> TppShape::CreateDrawCommand() const
{
    return std::make_unique<TppDrawShape>();
}
