#include "report/custom_memo.h"

#include "output/draw_text.h"
#include "report/band.h"
#include "report/band_context.h"
#include "report/generation_state.h"
#include "report/length_arithmetic.h"
#include "platform/user_locale.h"
#include "report/plain_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

void TppCustomMemo::SetLines(const TppStringList &lines)
{
    m_lines = lines;
    m_joinedText.reset();
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

// ---- Generation ------------------------------------------------------------

bool TppCustomMemo::StretchesInBand() const
{
    return m_stretch && Band() && Band()->PrintHeight() == phDynamic;
}

void TppCustomMemo::Generate(TppBandContext &context)
{
    RunPrintEvent();
    if (!PrintsOnPage() || !Visible() || !Band()) {
        SetGenerationComplete(true);
        return;
    }
    const TppBand &band = *Band();
    const bool stretches = StretchesInBand();
    const bool bounded = stretches || m_mmStopPosition != 0;

    const std::int32_t top = m_overFlow && m_mmStopPosition == 0
        ? lengths::Add(band.PrintTop(), m_mmOverFlowOffset)
        : PlacedTop();
    std::int32_t limit = band.AvailableBottom();
    if (m_mmStopPosition != 0 && m_mmStopPosition < limit)
        limit = m_mmStopPosition;
    limit = lengths::Subtract(limit, m_mmBottomOffset);

    const std::int32_t left = lengths::Add(band.PrintLeft(), mmLeft());
    const std::int32_t bottom = bounded ? limit : lengths::Add(top, mmHeight());
    if (lengths::Subtract(bounded ? top : bottom, limit) > 1) {
        SetOutOfSpace(true);
        return;
    }
    const TppTextRect rect{left, top, lengths::Add(left, mmWidth()), bottom};
    const std::shared_ptr<const std::string> text = JoinedLines();
    if (stretches) {
        LayOutStretching(context, text, rect);
    } else {
        // Whatever does not fit is left out; the memo keeps its height.
        m_continuation = 0;
        std::size_t position = 0;
        m_wrapCache.Wrap(text, rect, m_pageLines, position, context.MeasuringCanvas(), m_tabStops,
                         m_mmLeading, m_charWrap, Font(), false, TextAlignment());
        SetSpaceUsed(mmHeight());
        m_overFlow = false;
    }
    SetPrintRect(rect.Left, top, rect.Right, lengths::Add(top, SpaceUsed()));
    if (SpaceUsed() > 0)
        SetSpaceUsed(lengths::Add(SpaceUsed(), m_mmBottomOffset));
    // An overflowing memo prints again on the next page.
    SetGenerationComplete(!m_overFlow);
}

const std::shared_ptr<const std::string> &TppCustomMemo::JoinedLines()
{
    if (!m_joinedText)
        m_joinedText = std::make_shared<const std::string>(JoinedText(m_lines));
    return m_joinedText;
}

void TppCustomMemo::LayOutStretching(TppBandContext &context, const std::shared_ptr<const std::string> &text,
                                     const TppTextRect &rect)
{
    platform::Canvas *canvas = context.MeasuringCanvas();
    const std::size_t start = m_continuation;
    std::size_t position = start;
    m_wrapCache.Wrap(text, rect, m_pageLines, position, canvas, m_tabStops, m_mmLeading,
                     m_charWrap, Font(), false, TextAlignment());
    const std::int32_t lineHeight = m_wrapCache.LineHeight(Font(), m_mmLeading, canvas);
    const auto lines = std::int32_t(m_pageLines.size());
    SetSpaceUsed(lengths::Multiply(lines, lineHeight));

    if (position >= text->size()) {
        m_overFlow = false;
        m_continuation = 0;
        m_keptForNextPage = false;
        return;
    }
    m_overFlow = true;
    // Without a line placed the text resumes where this page's wrap began:
    // going back to its start would print again what earlier pages hold.
    m_continuation = lines > 0 ? position : start;
    const TppBand &band = *Band();
    if (m_keepTogether && !m_keptForNextPage
        && (context.PageHoldsBodyBand() || band.PrintsOnPage() > 0)) {
        SetSpaceUsed(0);
        m_keptForNextPage = true;
        m_continuation = start;
        m_pageLines.clear();
    }
}

void TppCustomMemo::FillDrawCommand(TppBandContext &, TppDrawCommand &command)
{
    auto &text = static_cast<TppDrawText &>(command);
    // The rectangle ends where the lines end, without the bottom offset.
    text.SetHeight(lengths::Subtract(PrintBottom(), PrintTop()));
    text.SetIsMemo(true);
    text.SetWordWrap(true);
    text.SetWrappedText(m_pageLines);
    text.SetTabStopPositions(m_tabStops);
    text.SetLeading(m_mmLeading);
    text.SetTextAlignment(TextAlignment());
    text.SetForceJustifyLastLine(m_forceJustifyLastLine);
    text.SetAlignment(AlignmentOf(TextAlignment()));
    text.SetColor(Color());
    text.SetTransparent(Transparent());
    text.SetFont(Font());
    text.SetDataType(dtMemo);
}

void TppCustomMemo::ResetGeneration()
{
    TppStretchable::ResetGeneration();
    m_continuation = 0;
    m_overFlow = false;
    m_keptForNextPage = false;
    m_pageLines.clear();
    m_wrapCache.Clear();
}

std::unique_ptr<TppComponentState> TppCustomMemo::SaveGenerationState() const
{
    auto state = std::make_unique<TppMemoState>();
    state->PrintsOnPage = PrintsOnPage();
    state->ContinuationPosition = m_continuation;
    state->OverFlow = m_overFlow;
    state->KeptForNextPage = m_keptForNextPage;
    return state;
}

void TppCustomMemo::RestoreGenerationState(const TppComponentState &state)
{
    TppStretchable::RestoreGenerationState(state);
    if (const auto *memo = dynamic_cast<const TppMemoState *>(&state)) {
        m_continuation = memo->ContinuationPosition;
        m_overFlow = memo->OverFlow;
        m_keptForNextPage = memo->KeptForNextPage;
    }
}

// ---- Tab stops in the report's units ---------------------------------------

namespace {

bool ParseWhole(std::string_view text, std::int32_t &value)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

// A number written with '.' or the user's decimal separator.
bool ParseNumber(std::string text, double &value)
{
    std::replace(text.begin(), text.end(), platform::DecimalSeparator(), '.');
    const auto first = text.find_first_not_of(' ');
    const auto last = text.find_last_not_of(' ');
    if (first == std::string::npos)
        return false;
    text = text.substr(first, last - first + 1);
    if (!text.empty() && text.front() == '+')
        text.erase(0, 1);
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && std::isfinite(value);
}

std::string WithSeparator(std::string text)
{
    std::replace(text.begin(), text.end(), '.', platform::DecimalSeparator());
    return text;
}

} // namespace

TppStringList TppCustomMemo::TabStopPositions() const
{
    TppStringList positions;
    for (const auto &entry : m_tabStops) {
        std::int32_t thousandths = 0;
        if (!ParseWhole(entry, thousandths)) {
            positions.push_back(WithSeparator("0.0"));
            continue;
        }
        char text[32];
        std::snprintf(text, sizeof text, "%.7g",
                      double(MMThousandthsToUnits(thousandths, Units(), raHorizontal)));
        positions.push_back(WithSeparator(text));
    }
    return positions;
}

void TppCustomMemo::SetTabStopPositions(const TppStringList &value)
{
    TppStringList stops;
    for (const auto &entry : value) {
        double number = 0;
        if (!ParseNumber(entry, number) || std::fabs(number) > 3.0e38) {
            stops.push_back("0");
            continue;
        }
        stops.push_back(std::to_string(UnitsToMMThousandths(float(number), Units(), raHorizontal)));
    }
    SetTabStops(stops);
}
