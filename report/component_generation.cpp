// A component's part in band generation: its print rectangle on the page,
// and the draw command it adds.

#include "report/component.h"

#include "output/draw_command.h"
#include "output/page.h"
#include "report/band.h"
#include "report/band_context.h"
#include "report/generation_state.h"
#include "report/length_arithmetic.h"

#include <algorithm>

TppGenerationGroup TppComponent::GenerationGroup() const
{
    if (Stretches())
        return ggStretching;
    if (m_stretchWithParent)
        return ggStretchWithParent;
    if (m_shiftWithParent)
        return ggShiftWithParent;
    return ggOrdinary;
}

void TppComponent::ResetPass()
{
    m_outOfSpace = false;
    m_generationComplete = false;
    m_spaceUsed = 0;
}

void TppComponent::RunPrintEvent()
{
    if (m_reprintOnOverFlow && m_band && m_band->Continuing() && Visible())
        m_printsOnPage = true;
    const bool shownBefore = Visible() || m_printsOnPage;
    if (OnPrint)
        OnPrint(*this);
    if (!shownBefore && Visible())
        m_printsOnPage = true;
}

std::int32_t TppComponent::PlacedTop() const
{
    std::int32_t top = lengths::Add(m_band->PrintTop(), mmTop());
    if (m_band->Continuing())
        top = lengths::Subtract(top, m_band->OverFlowOffset());
    return top;
}

void TppComponent::SetPrintRect(std::int32_t left, std::int32_t top, std::int32_t right,
                                std::int32_t bottom)
{
    m_printLeft = left;
    m_printTop = top;
    m_printRight = right;
    m_printBottom = bottom;
}

void TppComponent::Generate(TppBandContext &)
{
    RunPrintEvent();
    if (m_printsOnPage && Visible() && m_band) {
        const std::int32_t left = lengths::Add(m_band->PrintLeft(), mmLeft());
        const std::int32_t top = PlacedTop();
        std::int32_t height = mmHeight();
        if (m_stretchWithParent) {
            height = std::max(height, lengths::Subtract(m_band->CurrentPrintBottom(), top));
            const std::int32_t available = m_band->AvailableBottom();
            if (available > top && available < lengths::Add(top, height))
                height = lengths::Subtract(available, top);
        }
        const std::int32_t bottom = lengths::Add(top, height);
        if (m_band->PrintHeight() == phDynamic && lengths::Subtract(bottom, m_band->AvailableBottom()) > 1) {
            m_outOfSpace = true;
            return;
        }
        SetPrintRect(left, top, lengths::Add(left, mmWidth()), bottom);
        m_spaceUsed = height;
    }
    m_generationComplete = true;
}

TppDrawCommand *TppComponent::AddDrawCommand(TppBandContext &context, TppPage &page)
{
    std::unique_ptr<TppDrawCommand> command = CreateDrawCommand();
    command->SetLeft(m_printLeft);
    command->SetTop(m_printTop);
    command->SetWidth(lengths::Subtract(m_printRight, m_printLeft));
    command->SetHeight(lengths::Subtract(m_printBottom, m_printTop));
    FillDrawCommand(context, *command);
    command->SetTag(Tag());
    command->SetClickable(bool(OnDrawCommandClick));
    const std::weak_ptr<TppComponent *> target = m_clickTarget;
    command->SetClickHandler([target](TppDrawCommand &clicked) {
        if (const auto alive = target.lock()) {
            TppComponent &component = **alive;
            if (component.OnDrawCommandClick)
                component.OnDrawCommandClick(component, clicked);
        }
    });
    if (OnDrawCommandCreate)
        OnDrawCommandCreate(*this, *command);
    return page.AddDrawCommand(std::move(command));
}

void TppComponent::ResetGeneration()
{
    ResetPass();
    m_printsOnPage = false;
    SetPrintRect(0, 0, 0, 0);
}

std::unique_ptr<TppComponentState> TppComponent::SaveGenerationState() const
{
    auto state = std::make_unique<TppComponentState>();
    state->PrintsOnPage = m_printsOnPage;
    return state;
}

void TppComponent::RestoreGenerationState(const TppComponentState &state)
{
    m_printsOnPage = state.PrintsOnPage;
}
