#pragma once

#include "output/draw_command.h"
#include "platform/graphics_brush.h"
#include "platform/graphics_pen.h"
#include "platform/graphics_shape.h"

// A rectangle, rounded rectangle or ellipse on a page.
class TppDrawShape : public TppDrawCommand {
public:
    TppDrawShape() : TppDrawCommand(dtGraphic) { }

    const char *ClassName() const override { return "TppDrawShape"; }
    std::unique_ptr<TppDrawCommand> CreateSameClass() const override;
    void Assign(const TppDrawCommand &source) override;
    bool SameContentAs(const TppDrawCommand &other) const override;

    const TppBrush &Brush() const { return m_brush; }
    TppBrush &Brush() { return m_brush; }
    void SetBrush(const TppBrush &value) { m_brush = value; }

    const TppPen &Pen() const { return m_pen; }
    TppPen &Pen() { return m_pen; }
    void SetPen(const TppPen &value) { m_pen = value; }

    TppShapeType ShapeType() const { return m_shapeType; }
    void SetShapeType(TppShapeType value) { m_shapeType = value; }

    // Corner radii of rounded rectangles, thousandths of a millimetre.
    std::int32_t XCornerRound() const { return m_xCornerRound; }
    void SetXCornerRound(std::int32_t value) { m_xCornerRound = value; }
    std::int32_t YCornerRound() const { return m_yCornerRound; }
    void SetYCornerRound(std::int32_t value) { m_yCornerRound = value; }

private:
    TppBrush m_brush;
    TppPen m_pen;
    TppShapeType m_shapeType = stRectangle;
    std::int32_t m_xCornerRound = 0;
    std::int32_t m_yCornerRound = 0;
};
