#pragma once

#include "platform/string_list.h"
#include "report/component.h"
#include "report/text_wrapper.h"
#include "report/wrap_cache.h"

#include <cstddef>
#include <memory>
#include <string>

// Multi-line text that can grow downwards and continue on the next page.
// Memos always wrap and never auto-size.
class TppCustomMemo : public TppStretchable {
public:
    // The text; lines are joined with CR LF after each. Assigning the list
    // announces a change, editing the list in place does not. The joined
    // text is kept from page to page; taking the list for editing makes the
    // next page join it again, so edit through a reference taken after the
    // last page was generated.
    const TppStringList &Lines() const { return m_lines; }
    TppStringList &Lines()
    {
        m_joinedText.reset();
        return m_lines;
    }
    void SetLines(const TppStringList &lines);
    std::string Text() const { return JoinedText(m_lines); }

    bool CharWrap() const { return m_charWrap; }
    void SetCharWrap(bool value);
    std::int32_t mmLeading() const { return m_mmLeading; }
    void SetmmLeading(std::int32_t value);
    // Tab stops as whole thousandths in decimal text.
    const TppStringList &TabStops() const { return m_tabStops; }
    void SetTabStops(const TppStringList &value);
    // The tab stops in the report's units, with up to 7 significant digits
    // and the user's decimal separator; an entry that is not an integer reads
    // as zero. Assigning converts each entry back to thousandths; one that is
    // not a number becomes "0".
    TppStringList TabStopPositions() const;
    void SetTabStopPositions(const TppStringList &value);
    bool ForceJustifyLastLine() const { return m_forceJustifyLastLine; }
    void SetForceJustifyLastLine(bool value) { m_forceJustifyLastLine = value; }
    bool Stretch() const { return m_stretch; }
    void SetStretch(bool value);
    bool KeepTogether() const { return m_keepTogether; }
    void SetKeepTogether(bool value);
    std::int32_t mmBottomOffset() const { return m_mmBottomOffset; }
    void SetmmBottomOffset(std::int32_t value);
    std::int32_t mmOverFlowOffset() const { return m_mmOverFlowOffset; }
    void SetmmOverFlowOffset(std::int32_t value);
    // A bottom limit measured from the paper's top edge; 0 for none.
    std::int32_t mmStopPosition() const { return m_mmStopPosition; }
    void SetmmStopPosition(std::int32_t value);
    TppStretchable *ShiftRelativeTo() const { return m_shiftRelativeTo; }
    void SetShiftRelativeTo(TppStretchable *value);

    // Memos never auto-size and always wrap by their own rules.
    void SetAutoSize(bool) override { }
    void SetWordWrap(bool) override { }

    bool Stretches() const override { return m_stretch; }
    std::unique_ptr<TppDrawCommand> CreateDrawCommand() const override;

    // ---- Generation --------------------------------------------------------

    // Lays the memo's text out in its rectangle for this page (see the .cpp).
    void Generate(TppBandContext &context) override;
    bool OverFlow() const override { return m_overFlow; }
    // Bytes of the text printed on earlier pages; 0 on a fresh start.
    std::size_t ContinuationPosition() const { return m_continuation; }
    bool KeptForNextPage() const { return m_keptForNextPage; }
    // The lines of this page's layout.
    const TppStringList &PageLines() const { return m_pageLines; }

    void ResetGeneration() override;
    std::unique_ptr<TppComponentState> SaveGenerationState() const override;
    void RestoreGenerationState(const TppComponentState &state) override;

protected:
    using TppStretchable::TppStretchable;
    void Notify(TppCommunicator *removed) override;
    void FillDrawCommand(TppBandContext &context, TppDrawCommand &command) override;

private:
    TppStringList m_lines;
    bool m_charWrap = false;
    std::int32_t m_mmLeading = 0;
    TppStringList m_tabStops;
    bool m_forceJustifyLastLine = false;
    bool m_stretch = false;
    bool m_keepTogether = false;
    std::int32_t m_mmBottomOffset = 0;
    std::int32_t m_mmOverFlowOffset = 0;
    std::int32_t m_mmStopPosition = 0;
    TppStretchable *m_shiftRelativeTo = nullptr;

    // Whether the memo grows with its text on this band, and whether its
    // rectangle reaches down to its bottom limit.
    bool StretchesInBand() const;
    void LayOutStretching(TppBandContext &context, const std::shared_ptr<const std::string> &text,
                          const TppTextRect &rect);
    // The lines joined, made again only after they may have changed: a page
    // costs what it prints, not the length of the whole text.
    const std::shared_ptr<const std::string> &JoinedLines();

    std::shared_ptr<const std::string> m_joinedText;

    std::size_t m_continuation = 0;
    bool m_overFlow = false;
    bool m_keptForNextPage = false;
    TppStringList m_pageLines;
    TppWrapCache m_wrapCache;
};
