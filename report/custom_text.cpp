#include "report/custom_text.h"

#include "output/draw_text.h"

void TppCustomText::SetCharWrap(bool value)
{
    if (value == m_charWrap)
        return;
    m_charWrap = value;
    if (!IsReading())
        Changed();
}

std::unique_ptr<TppDrawCommand> TppCustomText::CreateDrawCommand() const
{
    return std::make_unique<TppDrawText>();
}
