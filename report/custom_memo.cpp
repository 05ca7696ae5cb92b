#include "report/custom_memo.h"

#include "output/draw_text.h"

void TppCustomMemo::SetLines(const TppStringList &lines)
{
    m_lines = lines;
    if (!IsReading())
        Changed();
}

void TppCustomMemo::SetCharWrap(bool value)
{
    if (value == m_charWrap)
        return;
    m_charWrap = value;
    if (!IsReading())
        Changed();
}

void TppCustomMemo::SetmmLeading(std::int32_t value)
{
    if (value == m_mmLeading)
        return;
    m_mmLeading = value;
    if (!IsReading())
        Changed();
}

void TppCustomMemo::SetTabStops(const TppStringList &value)
{
    m_tabStops = value;
    if (!IsReading())
        Changed();
}

void TppCustomMemo::SetStretch(bool value)
{
    if (value == m_stretch)
        return;
    m_stretch = value;
    if (!IsReading())
        Changed();
}

void TppCustomMemo::SetKeepTogether(bool value)
{
    if (value == m_keepTogether)
        return;
    m_keepTogether = value;
    if (!IsReading())
        Changed();
}

void TppCustomMemo::SetmmBottomOffset(std::int32_t value)
{
    if (value == m_mmBottomOffset)
        return;
    m_mmBottomOffset = value;
    if (!IsReading())
        Changed();
}

void TppCustomMemo::SetmmOverFlowOffset(std::int32_t value)
{
    if (value == m_mmOverFlowOffset)
        return;
    m_mmOverFlowOffset = value;
    if (!IsReading())
        Changed();
}

void TppCustomMemo::SetmmStopPosition(std::int32_t value)
{
    if (value == m_mmStopPosition)
        return;
    m_mmStopPosition = value;
    if (!IsReading())
        Changed();
}

void TppCustomMemo::SetShiftRelativeTo(TppStretchable *value)
{
    if (value == this || value == m_shiftRelativeTo)
        return;
    if (m_shiftRelativeTo)
        RemoveNotify(m_shiftRelativeTo);
    m_shiftRelativeTo = value;
    if (value)
        AddNotify(value);
}

void TppCustomMemo::Notify(TppCommunicator *removed)
{
    if (removed == m_shiftRelativeTo)
        m_shiftRelativeTo = nullptr;
    TppStretchable::Notify(removed);
}

std::unique_ptr<TppDrawCommand> TppCustomMemo::CreateDrawCommand() const
{
    return std::make_unique<TppDrawText>();
}
