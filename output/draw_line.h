#pragma once

#include "output/draw_command.h"
#include "platform/graphics_pen.h"
#include "platform/graphics_shape.h"

// A single or double line along one edge of the command's rectangle.
class TppDrawLine : public TppDrawCommand {
public:
    TppDrawLine() : TppDrawCommand(dtGraphic) { }

    const char *ClassName() const override { return "TppDrawLine"; }
    std::unique_ptr<TppDrawCommand> CreateSameClass() const override;
    void Assign(const TppDrawCommand &source) override;
    bool SameContentAs(const TppDrawCommand &other) const override;

    TppLinePositionType LinePosition() const { return m_linePosition; }
    void SetLinePosition(TppLinePositionType value) { m_linePosition = value; }

    TppLineStyleType LineStyle() const { return m_lineStyle; }
    void SetLineStyle(TppLineStyleType value) { m_lineStyle = value; }

    const TppPen &Pen() const { return m_pen; }
    TppPen &Pen() { return m_pen; }
    void SetPen(const TppPen &value) { m_pen = value; }

    // Thickness in points.
    float Weight() const { return m_weight; }
    void SetWeight(float value) { m_weight = value; }

private:
    TppLinePositionType m_linePosition = lpTop;
    TppLineStyleType m_lineStyle = lsSingle;
    TppPen m_pen;
    float m_weight = 0.0f;
};
