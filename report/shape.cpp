#include "report/shape.h"

#include "output/draw_shape.h"
#include "report/length_arithmetic.h"

#include <algorithm>
#include <cmath>

namespace {

int ToScreenPixels(std::int32_t thousandths, TppResolutionAxis axis)
{
    return int(std::trunc(MMThousandthsToUnits(thousandths, utScreenPixels, axis)));
}

std::int32_t FromScreenPixels(int pixels, TppResolutionAxis axis)
{
    return UnitsToMMThousandths(float(pixels), utScreenPixels, axis);
}

bool IsSquare(TppShapeType shape)
{
    return shape == stSquare || shape == stRoundSquare || shape == stCircle;
}

// Commands hold rectangles, rounded rectangles and ellipses only.
TppShapeType CommandShape(TppShapeType shape)
{
    switch (shape) {
    case stSquare: return stRectangle;
    case stRoundSquare: return stRoundRect;
    case stCircle: return stEllipse;
    default: return shape;
    }
}

} // namespace

TppShape::TppShape() : TppCustomGraphic(50, 50) { }

std::unique_ptr<TppDrawCommand> TppShape::CreateDrawCommand() const
{
    return std::make_unique<TppDrawShape>();
}

void TppShape::FillDrawCommand(TppBandContext &, TppDrawCommand &command)
{
    auto &shape = static_cast<TppDrawShape &>(command);
    const int width = ToScreenPixels(lengths::Subtract(PrintRight(), PrintLeft()), raHorizontal);
    const int height = ToScreenPixels(lengths::Subtract(PrintBottom(), PrintTop()), raVertical);
    const int inset = m_pen.Width / 2;
    int x1 = inset;
    int y1 = inset;
    int x2 = inset + width - 2 * inset;
    int y2 = inset + height - 2 * inset;
    const int side = std::min(width, height);
    if (IsSquare(m_shape)) {
        x1 += (width - side) / 2;
        x2 -= (width - side) / 2;
        y1 += (height - side) / 2;
        y2 -= (height - side) / 2;
    }
    const int radius = side / 4;

    const std::int32_t left = lengths::Add(PrintLeft(), FromScreenPixels(x1, raHorizontal));
    const std::int32_t top = lengths::Add(PrintTop(), FromScreenPixels(y1, raVertical));
    const std::int32_t right = lengths::Add(PrintLeft(), FromScreenPixels(x2, raHorizontal));
    const std::int32_t bottom = lengths::Add(PrintTop(), FromScreenPixels(y2, raVertical));
    shape.SetLeft(left);
    shape.SetTop(top);
    shape.SetWidth(lengths::Subtract(right, left));
    shape.SetHeight(lengths::Subtract(bottom, top));
    shape.SetPen(m_pen);
    shape.SetBrush(m_brush);
    shape.SetXCornerRound(FromScreenPixels(radius, raHorizontal));
    shape.SetYCornerRound(FromScreenPixels(radius, raVertical));
    shape.SetShapeType(CommandShape(m_shape));
    shape.SetDataType(dtGraphic);
}
