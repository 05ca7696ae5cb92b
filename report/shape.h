#pragma once

#include "platform/graphics_brush.h"
#include "platform/graphics_pen.h"
#include "platform/graphics_shape.h"
#include "report/custom_graphic.h"

// A rectangle, square, rounded rectangle or square, ellipse or circle.
class TppShape : public TppCustomGraphic {
public:
    TppShape();
    const char *ClassName() const override { return "TppShape"; }

    TppShapeType Shape() const { return m_shape; }
    void SetShape(TppShapeType value) { m_shape = value; }
    const TppPen &Pen() const { return m_pen; }
    void SetPen(const TppPen &value) { m_pen = value; }
    const TppBrush &Brush() const { return m_brush; }
    void SetBrush(const TppBrush &value) { m_brush = value; }

    std::unique_ptr<TppDrawCommand> CreateDrawCommand() const override;

protected:
    // The outline inside the print rectangle, worked out in whole screen
    // pixels so that thick pens stay inside and squares and circles centre.
    void FillDrawCommand(TppBandContext &context, TppDrawCommand &command) override;

private:
    TppShapeType m_shape = stRectangle;
    TppPen m_pen;
    TppBrush m_brush;
};
