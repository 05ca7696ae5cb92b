#include "output/draw_command.h"

#include "output/draw_target.h"

void TppDrawCommand::Assign(const TppDrawCommand &source)
{
    m_clickable = source.m_clickable;
    m_dataType = source.m_dataType;
    m_device = source.m_device;
    m_height = source.m_height;
    m_left = source.m_left;
    m_clickHandler = source.m_clickHandler;
    SetTag(source.Tag());
    m_top = source.m_top;
    m_width = source.m_width;
}

bool TppDrawCommand::DrawOnDevice(TppDrawTarget &device)
{
    return device.RenderCommand(*this);
}

bool TppDrawCommand::SameContentAs(const TppDrawCommand &other) const
{
    return m_left == other.m_left && m_height == other.m_height && m_top == other.m_top
        && m_width == other.m_width;
}

void TppDrawCommand::Click()
{
    if (m_clickHandler)
        m_clickHandler(*this);
}
