// One call of a band on the page being generated: placing, component
// generation, draw commands, repetition, and the page state snapshot.

#include "report/band.h"

#include "output/draw_command.h"
#include "output/page.h"
#include "report/band_context.h"
#include "report/component.h"
#include "report/custom_report.h"
#include "report/engine.h"
#include "report/generation_state.h"
#include "report/length_arithmetic.h"
#include "report/print_error.h"

#include <algorithm>
#include <limits>

namespace {

// Sets the band's engine for the duration of a call, also when it throws.
class ContextScope
{
public:
    ContextScope(TppBandContext *&slot, TppBandContext &context) : m_slot(slot) { m_slot = &context; }
    ~ContextScope() { m_slot = nullptr; }
    ContextScope(const ContextScope &) = delete;
    ContextScope &operator=(const ContextScope &) = delete;

private:
    TppBandContext *&m_slot;
};

} // namespace

void TppBand::Generate()
{
    TppCustomReport *report = Report();
    auto *context = report ? dynamic_cast<TppBandContext *>(&report->Engine()) : nullptr;
    if (!context)
        throw EPrintError::CannotGenerate("The band " + UserName() + " belongs to no report engine.");
    Generate(*context);
}

void TppBand::Generate(TppBandContext &context)
{
    if (!m_report)
        throw EPrintError::CannotGenerate("The band " + UserName() + " belongs to no report.");
    ContextScope scope(m_context, context);
    m_outOfSpace = false;
    m_printsInCall = 0;
    m_heightUsed = 0;
    m_done = false;
    if (SkipsPage(context)) {
        m_done = true;
        return;
    }
    while (!m_done)
        RunPass(context);
}

void TppBand::RunPass(TppBandContext &context)
{
    if (!m_continuing) {
        for (const auto &object : m_objects)
            object->SetPrintsOnPage(object->Visible());
    }
    for (const auto &object : m_objects)
        object->ResetPass();
    m_outOfSpace = false;
    PreparePass(context);
    if (BeforePrint)
        BeforePrint(*this);

    const bool wasDeferred = m_positionDeferred;
    Place(context);
    const bool deferredNow = !wasDeferred && m_positionDeferred;

    bool generated = false;
    if (m_visible && !m_outOfSpace) {
        ++m_printsInCall;
        if (BeforeGenerate)
            BeforeGenerate(*this);
        GenerateComponents(context);
        if (AfterGenerate)
            AfterGenerate(*this);
        // A band that overflowed took what was left of the page.
        generated = !m_outOfSpace || m_continuing;
        if (generated) {
            m_heightUsed = lengths::Add(GeneratedHeight(), m_mmBottomOffset);
            context.SetCurrentPrintTop(lengths::Add(m_printTop, m_heightUsed));
            ++m_printsOnPage;
            Advanced(context);
        }
    }

    if (generated && m_drawPage)
        CreateDrawCommands(context);

    if (!m_visible)
        m_done = true;
    for (const auto &object : m_objects) {
        if (object->GenerationComplete())
            object->SetPrintsOnPage(false);
    }
    if (m_outOfSpace && !deferredNow)
        CheckProgress(context);
    else if (generated)
        m_lastOutOfSpaceTop = -1;
    if (!m_outOfSpace || m_continuing) {
        if (AfterPrint)
            AfterPrint(*this);
    }
    const bool printedCompletely = generated && !m_outOfSpace;
    if (CallOver(context, printedCompletely))
        m_done = true;
}

void TppBand::GenerateComponents(TppBandContext &context)
{
    m_dynamicHeight = 0;
    bool outOfSpace = false;
    bool overflow = false;
    std::int32_t overflowTop = std::numeric_limits<std::int32_t>::max();
    for (auto group : {ggOrdinary, ggStretching, ggStretchWithParent, ggShiftWithParent}) {
        for (const auto &object : m_objects) {
            if (object->GenerationGroup() != group)
                continue;
            object->Generate(context);
            if (object->OutOfSpace()) {
                outOfSpace = true;
                continue;
            }
            if (object->OverFlow()) {
                overflow = true;
                overflowTop = std::min(overflowTop, object->mmTop());
            }
            if (object->PrintsOnPage() && object->Visible()) {
                const std::int32_t bottom = lengths::Add(object->PrintTop(), object->SpaceUsed());
                m_dynamicHeight = std::max(m_dynamicHeight, lengths::Subtract(bottom, m_printTop));
            }
        }
    }
    // Read by the components while they generated: the state of the page before.
    m_continuing = overflow;
    m_overFlowOffset = overflow ? overflowTop : 0;
    m_outOfSpace = outOfSpace || overflow;
}

void TppBand::CreateDrawCommands(TppBandContext &context)
{
    TppPage *page = context.Page();
    if (!page)
        return;
    for (const auto &object : m_objects) {
        if (!object->PrintsOnPage() || !object->Visible() || object->OutOfSpace())
            continue;
        if (!object->GenerationComplete() && !object->OverFlow())
            continue;
        if (TppDrawCommand *command = object->AddDrawCommand(context, *page))
            m_pageCommands.push_back(command);
    }
}

void TppBand::CheckProgress(TppBandContext &)
{
    // Out of space again, no higher up the page than last time and with
    // nothing printed in between: no page will ever take the band.
    const bool progressed = m_continuing && m_heightUsed > m_mmBottomOffset;
    if (progressed) {
        m_lastOutOfSpaceTop = -1;
        return;
    }
    if (m_lastOutOfSpaceTop >= 0 && m_printTop >= m_lastOutOfSpaceTop)
        throw EPrintError::CannotGenerate("The band " + UserName() + " does not fit on any page.");
    m_lastOutOfSpaceTop = m_printTop;
}

std::int32_t TppBand::GeneratedHeight() const
{
    return m_printHeight == phStatic ? m_mmHeight : m_dynamicHeight;
}

std::int32_t TppBand::CurrentPrintBottom() const
{
    return m_printHeight == phStatic ? m_printBottom : lengths::Add(m_printTop, m_dynamicHeight);
}

void TppBand::SetPrintRect(std::int32_t left, std::int32_t top, std::int32_t width,
                           std::int32_t bottom, std::int32_t availableBottom)
{
    m_printLeft = left;
    m_printTop = top;
    m_printWidth = width;
    m_printBottom = bottom;
    m_availableBottom = availableBottom;
}

bool TppBand::SkipsPage(const TppBandContext &) const
{
    return false;
}

void TppBand::PreparePass(const TppBandContext &) { }

void TppBand::Place(TppBandContext &context)
{
    const std::int32_t available = lengths::Subtract(context.PageBottom(), m_mmBottomOffset);
    std::int32_t top = context.CurrentPrintTop();

    if (m_mmPrintPosition != 0) {
        if (m_mmPrintPosition >= available)
            throw EPrintError::CannotGenerate("The print position of the band " + UserName()
                                       + " lies at or below the bottom of the page.");
        const bool fits = m_printHeight == phDynamic || lengths::Add(m_mmPrintPosition, m_mmHeight) <= available;
        if (m_mmPrintPosition >= top && fits) {
            top = m_mmPrintPosition;
            m_positionDeferred = false;
        } else if (!m_positionDeferred) {
            // Tried at its position on the next page first.
            m_positionDeferred = true;
            m_outOfSpace = true;
        } else {
            m_positionDeferred = false;
        }
    }

    const bool isStatic = m_printHeight == phStatic;
    if (isStatic && m_visible && m_report) {
        const std::int32_t pageTop = m_report->PrinterSetup().PageDef().mmMarginTop;
        if (m_mmHeight > lengths::Subtract(available, pageTop))
            throw EPrintError::CannotGenerate("The band " + UserName() + " is taller than the page.");
    }
    const std::int32_t height = isStatic ? m_mmHeight : 0;
    if (m_visible && available < lengths::Add(top, height))
        m_outOfSpace = true;
    SetPrintRect(context.CurrentPrintLeft(), top, context.PrintWidth(),
                 isStatic ? lengths::Add(top, m_mmHeight) : available, available);
}

void TppBand::Advanced(TppBandContext &) { }

bool TppBand::CallOver(TppBandContext &context, bool)
{
    return m_outOfSpace || context.Cancelled() || m_printsInCall >= 1 || !KindActive(context);
}

TppBandKind TppBand::Kind() const
{
    switch (BandTypeCode()) {
    case 0: return bkHeader;
    case 1: return bkTitle;
    case 2: return bkColumnHeader;
    case 3: return bkGroupHeader;
    case 5: return bkGroupFooter;
    case 6: return bkColumnFooter;
    case 7: return bkSummary;
    case 8: return bkFooter;
    case 9: return bkNone;
    default: return bkDetail;
    }
}

bool TppBand::KindActive(const TppBandContext &context) const
{
    const TppBandKind kind = Kind();
    return kind == bkNone || context.BandKindActive(kind);
}

void TppBand::BeginPage(bool drawPage)
{
    m_drawPage = drawPage;
    m_pageCommands.clear();
    m_printsOnPage = 0;
}

void TppBand::RemovePageDrawCommands(TppPage &page)
{
    for (TppDrawCommand *command : m_pageCommands)
        page.RemoveDrawCommand(command);
    m_pageCommands.clear();
}

void TppBand::MovePageDrawCommands(std::int32_t offset)
{
    for (TppDrawCommand *command : m_pageCommands)
        command->SetTop(lengths::Add(command->Top(), offset));
}

std::int32_t TppBand::PageDrawCommandsTop() const
{
    std::int32_t top = std::numeric_limits<std::int32_t>::max();
    for (const TppDrawCommand *command : m_pageCommands)
        top = std::min(top, command->Top());
    return top;
}

void TppBand::ResetGeneration()
{
    m_outOfSpace = false;
    m_continuing = false;
    m_done = false;
    m_positionDeferred = false;
    m_heightUsed = 0;
    m_printsInCall = 0;
    m_printsOnPage = 0;
    m_printLeft = m_printTop = m_printWidth = m_printBottom = m_availableBottom = 0;
    m_overFlowOffset = 0;
    m_dynamicHeight = 0;
    m_lastOutOfSpaceTop = -1;
    m_pageCommands.clear();
    for (const auto &object : m_objects)
        object->ResetGeneration();
}

std::unique_ptr<TppGenerationState> TppBand::SaveState() const
{
    auto state = std::make_unique<TppBandState>();
    state->Continuing = m_continuing;
    state->PositionDeferred = m_positionDeferred;
    state->LastOutOfSpaceTop = m_lastOutOfSpaceTop;
    state->OverFlowOffset = m_overFlowOffset;
    for (const auto &object : m_objects)
        state->Components.push_back(object->SaveGenerationState());
    return state;
}

void TppBand::RestoreState(const TppGenerationState &saved)
{
    const auto *band = dynamic_cast<const TppBandState *>(&saved);
    if (!band)
        return;
    const TppBandState &state = *band;
    m_continuing = state.Continuing;
    m_positionDeferred = state.PositionDeferred;
    m_lastOutOfSpaceTop = state.LastOutOfSpaceTop;
    m_overFlowOffset = state.OverFlowOffset;
    // Components added since the snapshot start afresh.
    for (std::size_t i = 0; i < m_objects.size(); ++i) {
        if (i < state.Components.size() && state.Components[i])
            m_objects[i]->RestoreGenerationState(*state.Components[i]);
        else
            m_objects[i]->ResetGeneration();
    }
}
