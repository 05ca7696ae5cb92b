#include "report/text_wrapper.h"

#include "platform/text_markups.h"
#include "report/plain_text.h"
#include "report/length_arithmetic.h"
#include "report/text_measuring.h"

#include <algorithm>
#include <cmath>

namespace {

// Tokens are measured by growing prefixes of this many bytes and more, so
// that a huge word (a pasted text without blanks) costs no more than the part
// of it that matters.
constexpr std::size_t kFirstProbe = 256;

bool IsContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The character boundary at or before `index` (UTF-8 characters stay whole).
std::size_t BoundaryAtOrBefore(std::string_view text, std::size_t index)
{
    index = std::min(index, text.size());
    while (index > 0 && index < text.size() && IsContinuationByte(text[index]))
        --index;
    return index;
}

// The character boundary after the character that starts at `index`.
std::size_t NextBoundary(std::string_view text, std::size_t index)
{
    ++index;
    while (index < text.size() && IsContinuationByte(text[index]))
        ++index;
    return std::min(index, text.size());
}

bool IsBlankOrControl(char c)
{
    return static_cast<unsigned char>(c) <= static_cast<unsigned char>(TppTextMarkups::Space);
}

// Nearest integer, ties to even.
std::int32_t RoundHalfEven(long double x)
{
    long double lower = std::floor(x);
    const long double fraction = x - lower;
    if (fraction > 0.5L || (fraction == 0.5L && std::fmod(lower, 2.0L) != 0.0L))
        lower += 1.0L;
    return static_cast<std::int32_t>(lower);
}

} // namespace

struct TppTextWrapper::LoopState {
    std::string line;
    // The line's advance, summed token by token; none when the line cannot
    // be measured piece by piece. Worked out again when not up to date.
    std::optional<double> lineAdvance = 0.0;
    bool lineAdvanceUpToDate = true;
    std::string_view token;     // a part of the text, or the line break token
    std::string_view remainder; // the part of a split word still to place
    int leadingSpaces = 0;
    bool emitted = false;
    bool stopped = false;
    // The advance of a single space, measured once: every other token is one.
    std::optional<double> spaceAdvance;
    bool spaceMeasured = false;
};

TppTextWrapper::TppTextWrapper() = default;
TppTextWrapper::TppTextWrapper(TppTextWrapper &&) noexcept = default;
TppTextWrapper &TppTextWrapper::operator=(TppTextWrapper &&) noexcept = default;
TppTextWrapper::~TppTextWrapper() = default;

void TppTextWrapper::Run()
{
    m_lines.clear();
    m_position = m_startPosition;
    m_widestLine = 0;
    TppTextMeasuring measuring(m_printerCanvas);
    Setup(measuring);
    // A rectangle only one line tall takes no line at all.
    if (static_cast<long long>(m_rect.Top) + m_lineHeight >= m_rect.Bottom)
        return;
    m_parser = std::make_unique<TppPlainTextParser>(m_text, m_startPosition);
    m_dropLeading = m_startPosition != 0;
    WrapLoop(measuring);
    m_parser.reset();
}

void TppTextWrapper::Setup(TppTextMeasuring &measuring)
{
    platform::Canvas &canvas = measuring.Canvas();
    canvas.SetFont(m_font);
    m_lineHeight = lengths::Add(measuring.PixelsToThousandths(canvas.TextHeight("W"), raVertical), m_leading);
    m_pixelTabStops = TppPlainText::ConvertTabStops(m_tabStops, measuring.Resolution());
    m_availableWidth = lengths::Subtract(m_rect.Right, m_rect.Left);
    if (m_autoSize) {
        const std::int32_t space = measuring.Width(" ", m_pixelTabStops);
        m_availableWidth = lengths::Add(m_availableWidth, RoundHalfEven(0.3L * space));
    }
}

bool TppTextWrapper::RoomFor(std::size_t lineCount) const
{
    // Whether one more line fits below `lineCount` lines. A line height that
    // a negative leading made 0 or less always has room: every line is then
    // placed, and the text still comes to an end.
    const long long bottom = m_rect.Top + (static_cast<long long>(lineCount) + 1) * m_lineHeight;
    return bottom <= m_rect.Bottom;
}

std::optional<double> TppTextWrapper::TokenAdvance(TppTextMeasuring &measuring,
                                                   std::string_view token) const
{
    if (token.size() > kFirstProbe)
        return std::nullopt;
    return measuring.PiecewiseAdvance(token);
}

std::optional<double> TppTextWrapper::LoopTokenAdvance(TppTextMeasuring &measuring, LoopState &state) const
{
    if (state.token.size() != 1 || state.token.front() != TppTextMarkups::Space)
        return TokenAdvance(measuring, state.token);
    if (!state.spaceMeasured) {
        state.spaceAdvance = TokenAdvance(measuring, state.token);
        state.spaceMeasured = true;
    }
    return state.spaceAdvance;
}

std::optional<double> TppTextWrapper::LineAdvance(TppTextMeasuring &measuring,
                                                  LoopState &state) const
{
    if (!state.lineAdvanceUpToDate) {
        state.lineAdvance = measuring.PiecewiseAdvance(state.line);
        state.lineAdvanceUpToDate = true;
    }
    return state.lineAdvance;
}

bool TppTextWrapper::TooWide(TppTextMeasuring &measuring, LoopState &state,
                             std::optional<double> tokenAdvance) const
{
    // Measuring only the new token, not the whole line again, keeps long
    // lines from costing the square of their words.
    const std::optional<double> line = LineAdvance(measuring, state);
    if (tokenAdvance && line)
        return measuring.AdvanceWiderThan(*line + *tokenAdvance, m_availableWidth);
    if (!tokenAdvance && state.token.size() > kFirstProbe) {
        const std::optional<std::size_t> fits = PiecewiseFittingPrefix(measuring, line, state.token);
        if (fits)
            return *fits < state.token.size();
    }
    return Wider(measuring, state.line, state.token);
}

bool TppTextWrapper::TokenTooWide(TppTextMeasuring &measuring, std::string_view token) const
{
    if (const std::optional<double> advance = TokenAdvance(measuring, token))
        return measuring.AdvanceWiderThan(*advance, m_availableWidth);
    if (token.size() > kFirstProbe) {
        if (const std::optional<std::size_t> fits = PiecewiseFittingPrefix(measuring, 0.0, token))
            return *fits < token.size();
    }
    return Wider(measuring, {}, token);
}

std::optional<std::size_t> TppTextWrapper::PiecewiseFittingPrefix(
    TppTextMeasuring &measuring, std::optional<double> lineAdvance, std::string_view token) const
{
    // Character by character, only as far as the line has room: a long word
    // costs what one line of it takes. None when a character cannot be
    // measured on its own.
    if (!lineAdvance)
        return std::nullopt;
    double advance = *lineAdvance;
    std::size_t end = 0;
    while (end < token.size()) {
        const std::size_t next = NextBoundary(token, end);
        const std::string_view character = token.substr(end, next - end);
        if (!measuring.Piecewise(character))
            return std::nullopt;
        const double widened = advance + measuring.Advance(character);
        if (measuring.AdvanceWiderThan(widened, m_availableWidth))
            return end;
        advance = widened;
        end = next;
    }
    return end;
}

std::int32_t TppTextWrapper::LineWidth(TppTextMeasuring &measuring, std::string_view line,
                                       std::optional<double> knownAdvance) const
{
    if (knownAdvance)
        return measuring.WidthOfAdvance(*knownAdvance);
    if (const std::optional<double> advance = measuring.PiecewiseAdvance(line))
        return measuring.WidthOfAdvance(*advance);
    return measuring.Width(line, m_pixelTabStops);
}

bool TppTextWrapper::Fits(TppTextMeasuring &measuring, std::string_view line,
                          std::string_view part) const
{
    std::string text;
    text.reserve(line.size() + part.size());
    text += line;
    text += part;
    return !measuring.PixelsWiderThan(measuring.PixelWidth(text, m_pixelTabStops), m_availableWidth);
}

bool TppTextWrapper::Wider(TppTextMeasuring &measuring, std::string_view line,
                           std::string_view token) const
{
    // Widths grow with every character, so a prefix that is already too wide
    // answers for the whole token.
    for (std::size_t probe = kFirstProbe;; probe *= 2) {
        if (token.size() <= probe)
            return !Fits(measuring, line, token);
        if (!Fits(measuring, line, token.substr(0, BoundaryAtOrBefore(token, probe))))
            return true;
    }
}

std::size_t TppTextWrapper::FittingPrefix(TppTextMeasuring &measuring, std::string_view line,
                                          std::string_view token) const
{
    // The longest prefix that fits, as appending one character at a time
    // would find it: widening probes find a bound, bisection the boundary.
    std::size_t fits = 0;
    std::size_t tooWide = token.size() + 1;
    for (std::size_t probe = kFirstProbe; fits < token.size(); probe *= 2) {
        const std::size_t end = BoundaryAtOrBefore(token, fits + probe);
        if (Fits(measuring, line, token.substr(0, end))) {
            fits = end;
        } else {
            tooWide = end;
            break;
        }
    }
    while (fits < token.size() && NextBoundary(token, fits) < tooWide) {
        std::size_t middle = BoundaryAtOrBefore(token, fits + (tooWide - fits) / 2);
        if (middle <= fits)
            middle = NextBoundary(token, fits);
        if (Fits(measuring, line, token.substr(0, middle)))
            fits = middle;
        else
            tooWide = middle;
    }
    return fits;
}

void TppTextWrapper::WrapLoop(TppTextMeasuring &measuring)
{
    const bool fullJustified = m_alignment == taFullJustified;
    LoopState state;
    state.token = m_parser->NextToken();
    if (!RoomFor(m_lines.size()))
        state.stopped = true;

    while (!state.token.empty() && !state.stopped) {
        if (state.token == TppTextMarkups::LineBreak) {
            const std::optional<double> advance = MeasuredAdvance(state);
            AddLine(measuring, TakeLine(state), fullJustified, advance);
            m_position = m_parser->Position();
            state.token = {};
            m_dropLeading = false;
            state.leadingSpaces = 0;
            state.emitted = true;
        } else {
            if (m_dropLeading)
                DropLeadingSpaces(state);
            const std::optional<double> tokenAdvance = LoopTokenAdvance(measuring, state);
            if (TooWide(measuring, state, tokenAdvance)) {
                BreakLine(measuring, state);
                state.emitted = true;
            } else {
                if (state.token.size() == 1)
                    state.line.push_back(state.token.front());
                else
                    state.line += state.token;
                state.token = {};
                if (state.lineAdvanceUpToDate && state.lineAdvance) {
                    if (tokenAdvance)
                        *state.lineAdvance += *tokenAdvance;
                    else
                        state.lineAdvanceUpToDate = false;
                }
            }
        }

        if (state.emitted && !RoomFor(m_lines.size())) {
            state.stopped = true;
            if (!state.token.empty()) {
                // Resume where the pending token starts.
                const std::size_t back = state.token == " " ? 1 : state.token.size() + 1;
                m_position = m_parser->Position() >= back ? m_parser->Position() - back : 0;
            }
            break;
        }

        if (!state.remainder.empty()) {
            state.token = state.remainder;
            state.remainder = {};
        } else if (state.token.empty()) {
            state.token = m_parser->NextToken();
        }
        if (state.token.empty()) {
            if (!state.line.empty())
                AddLine(measuring, std::move(state.line), fullJustified, MeasuredAdvance(state));
            m_position = m_parser->Position();
        }
    }

    if (m_lines.empty())
        m_position = m_parser->Position();
}

void TppTextWrapper::DropLeadingSpaces(LoopState &state)
{
    if (!m_dropLeading)
        return;
    if (state.token == " ") {
        // One or two spaces at a line's start are a gap left by the break;
        // three or more are meant, and are kept.
        if (++state.leadingSpaces > 2) {
            state.leadingSpaces = 0;
            m_dropLeading = false;
        }
        return;
    }
    state.line.erase(0, std::min<std::size_t>(state.line.size(), state.leadingSpaces));
    state.lineAdvanceUpToDate = false;
    state.leadingSpaces = 0;
    m_dropLeading = false;
}

void TppTextWrapper::BreakLine(TppTextMeasuring &measuring, LoopState &state)
{
    const bool split = m_charWrap || state.line.empty() || TokenTooWide(measuring, state.token);
    std::optional<double> advance = MeasuredAdvance(state);
    if (split) {
        advance.reset();
        SplitToken(measuring, state);
        std::size_t position = m_parser->Position();
        position -= std::min(position, state.remainder.size());
        if (m_parser->PastEnd() && position > 0)
            --position;
        m_position = position;
    } else {
        m_position = m_parser->Position();
    }
    AddLine(measuring, TakeLine(state), false, advance);
}

void TppTextWrapper::SplitToken(TppTextMeasuring &measuring, LoopState &state) const
{
    const std::string_view token = state.token;
    const std::optional<std::size_t> piecewise
        = PiecewiseFittingPrefix(measuring, LineAdvance(measuring, state), token);
    std::size_t fits = piecewise ? *piecewise : FittingPrefix(measuring, state.line, token);
    // A line must take at least one character, or the loop would never end.
    if (fits == 0 && state.line.empty() && !token.empty())
        fits = NextBoundary(token, 0);
    state.line += token.substr(0, fits);
    state.remainder = token.substr(fits);
    state.token = {};
}

std::string TppTextWrapper::TakeLine(LoopState &state)
{
    // The next line is about as long: one allocation for it, not one per
    // doubling.
    const std::size_t room = state.line.capacity();
    std::string line = std::move(state.line);
    state.line.clear();
    state.line.reserve(room);
    state.lineAdvance = 0.0;
    state.lineAdvanceUpToDate = true;
    return line;
}

std::optional<double> TppTextWrapper::MeasuredAdvance(const LoopState &state)
{
    return state.lineAdvanceUpToDate ? state.lineAdvance : std::nullopt;
}

void TppTextWrapper::AddLine(TppTextMeasuring &measuring, std::string line, bool paragraphEnd,
                             std::optional<double> advance)
{
    if (!line.empty() && line.back() == TppTextMarkups::Space) {
        std::size_t kept = line.size();
        while (kept > 0 && IsBlankOrControl(line[kept - 1]))
            --kept;
        // The line was measured as it grew; what is cut off is taken off its
        // advance (piecewise advances add and subtract exactly).
        if (advance) {
            const std::optional<double> cut = measuring.PiecewiseAdvance(std::string_view(line).substr(kept));
            advance = cut ? std::optional<double>(*advance - *cut) : std::nullopt;
        }
        line.resize(kept);
    }
    m_widestLine = std::max(m_widestLine, LineWidth(measuring, line, advance));
    if (paragraphEnd)
        line += TppTextMarkups::ParagraphEnd;
    m_lines.push_back(std::move(line));
    m_dropLeading = true;
}
