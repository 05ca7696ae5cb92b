#pragma once

#include "platform/canvas.h"
#include "platform/graphics_alignment.h"
#include "platform/graphics_font.h"
#include "platform/string_list.h"
#include "report/plain_text_parser.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

class TppTextMeasuring;

// A rectangle of a page in thousandths of a millimetre.
struct TppTextRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;
};

// Breaks a text into the lines that fit a rectangle, measured with the font
// on the report's printer (or a screen bitmap without one). Where the
// rectangle is full, Position tells where a continuation must resume.
class TppTextWrapper
{
public:
    TppTextWrapper();
    TppTextWrapper(TppTextWrapper &&) noexcept;
    TppTextWrapper &operator=(TppTextWrapper &&) noexcept;
    ~TppTextWrapper();

    void SetText(std::string text)
    {
        // On the heap, so that a moved wrapper's view stays valid.
        m_ownText = std::make_unique<const std::string>(std::move(text));
        m_text = *m_ownText;
    }
    // The text without a copy: it must outlive Run.
    void SetTextView(std::string_view text) { m_text = text; }
    void SetRect(const TppTextRect &rect) { m_rect = rect; }
    // Bytes of the text already printed on earlier pages.
    void SetStartPosition(std::size_t position) { m_startPosition = position; }
    // The printer's canvas; none measures on a screen bitmap.
    void SetPrinterCanvas(platform::Canvas *canvas) { m_printerCanvas = canvas; }
    // Positions in thousandths as decimal text.
    void SetTabStops(const TppStringList &tabStops) { m_tabStops = tabStops; }
    void SetLeading(std::int32_t leading) { m_leading = leading; }
    void SetCharWrap(bool charWrap) { m_charWrap = charWrap; }
    void SetFont(const TppFont &font) { m_font = font; }
    // An auto-sized label gets a little more width than its rectangle.
    void SetAutoSize(bool autoSize) { m_autoSize = autoSize; }
    void SetTextAlignment(TppTextAlignment alignment) { m_alignment = alignment; }

    void Run();

    const TppStringList &Lines() const { return m_lines; }
    // Where printing resumes: bytes consumed up to there (the text's length
    // or more when everything was placed).
    std::size_t Position() const { return m_position; }
    std::int32_t LineHeight() const { return m_lineHeight; }
    std::int32_t AvailableWidth() const { return m_availableWidth; }
    std::int32_t WidestLine() const { return m_widestLine; }

private:
    struct LoopState;

    void Setup(TppTextMeasuring &measuring);
    bool RoomFor(std::size_t lineCount) const;
    void WrapLoop(TppTextMeasuring &measuring);
    void DropLeadingSpaces(LoopState &state);
    void BreakLine(TppTextMeasuring &measuring, LoopState &state);
    void SplitToken(TppTextMeasuring &measuring, LoopState &state) const;
    // `advance` is the line's measured advance before trailing blanks are
    // cut, when known.
    void AddLine(TppTextMeasuring &measuring, std::string line, bool paragraphEnd,
                 std::optional<double> advance);
    static std::optional<double> MeasuredAdvance(const LoopState &state);
    // The line so far, leaving an empty one of the same room, measured as 0.
    static std::string TakeLine(LoopState &state);
    std::optional<double> TokenAdvance(TppTextMeasuring &measuring, std::string_view token) const;
    std::optional<double> LoopTokenAdvance(TppTextMeasuring &measuring, LoopState &state) const;
    std::optional<double> LineAdvance(TppTextMeasuring &measuring, LoopState &state) const;
    bool TooWide(TppTextMeasuring &measuring, LoopState &state,
                 std::optional<double> tokenAdvance) const;
    bool TokenTooWide(TppTextMeasuring &measuring, std::string_view token) const;
    std::optional<std::size_t> PiecewiseFittingPrefix(TppTextMeasuring &measuring,
                                                      std::optional<double> lineAdvance,
                                                      std::string_view token) const;
    std::int32_t LineWidth(TppTextMeasuring &measuring, std::string_view line,
                           std::optional<double> knownAdvance) const;
    bool Fits(TppTextMeasuring &measuring, std::string_view line, std::string_view part) const;
    bool Wider(TppTextMeasuring &measuring, std::string_view line, std::string_view token) const;
    std::size_t FittingPrefix(TppTextMeasuring &measuring, std::string_view line,
                              std::string_view token) const;

    std::unique_ptr<const std::string> m_ownText;
    std::string_view m_text;
    TppTextRect m_rect;
    std::size_t m_startPosition = 0;
    platform::Canvas *m_printerCanvas = nullptr;
    TppStringList m_tabStops;
    std::int32_t m_leading = 0;
    bool m_charWrap = false;
    TppFont m_font;
    bool m_autoSize = false;
    TppTextAlignment m_alignment = taLeftJustified;

    TppStringList m_lines;
    std::size_t m_position = 0;
    std::int32_t m_lineHeight = 0;
    std::int32_t m_availableWidth = 0;
    std::int32_t m_widestLine = 0;
    platform::TabStops m_pixelTabStops;
    std::unique_ptr<TppPlainTextParser> m_parser;
    bool m_dropLeading = false;
};
