#pragma once

#include "report/printable.h"

#include <cstdint>
#include <functional>
#include <memory>

class TppBand;
class TppBandContext;
class TppDrawCommand;
class TppPage;
struct TppComponentState;

// The order in which a band lets its components generate: ordinary ones
// first, then stretching ones, then those that stretch with the band, then
// those that shift with it.
enum TppGenerationGroup : std::uint8_t { ggOrdinary, ggStretching, ggStretchWithParent, ggShiftWithParent };

// A printable that belongs to a band. The band owns it; SetBand moves it.
class TppComponent : public TppPrintable {
public:
    using Event = std::function<void(TppComponent &sender)>;
    using DrawCommandEvent = std::function<void(TppComponent &sender, TppDrawCommand &command)>;

    TppCustomReport *Report() const override;

    TppBand *Band() const { return m_band; }
    // Moves a placed component into another band (see TppBand::AddObject);
    // null is ignored: TppBand::RemoveObject takes a component out.
    void SetBand(TppBand *band);

    // The band-type code of its band (4 until placed) and the group number
    // (-1 outside group bands). A stored code is kept only until placement.
    int BandType() const { return m_bandType; }
    void SetBandType(int value);
    int GroupNo() const { return m_groupNo; }
    void SetGroupNo(int value) { m_groupNo = value; }

    bool ParentWidth() const { return m_parentWidth; }
    void SetParentWidth(bool value);
    bool ParentHeight() const { return m_parentHeight; }
    void SetParentHeight(bool value);
    bool ShiftWithParent() const { return m_shiftWithParent; }
    void SetShiftWithParent(bool value) { m_shiftWithParent = value; }
    bool StretchWithParent() const { return m_stretchWithParent; }
    void SetStretchWithParent(bool value) { m_stretchWithParent = value; }
    bool ReprintOnOverFlow() const { return m_reprintOnOverFlow; }
    void SetReprintOnOverFlow(bool value) { m_reprintOnOverFlow = value; }

    // Takes the band's full width or height where ParentWidth/ParentHeight say so.
    void ApplyParentSize();

    // A stretchable component with stretching turned on (it makes a static
    // band dynamic when placed in it).
    virtual bool Stretches() const { return false; }

    // The draw-command class of this kind, new and empty; the kind fills it
    // when the component prints on a page.
    virtual std::unique_ptr<TppDrawCommand> CreateDrawCommand() const = 0;

    Event OnPrint;
    DrawCommandEvent OnDrawCommandCreate;
    DrawCommandEvent OnDrawCommandClick;

    // ---- Generation, called by the band ----------------------------------

    TppGenerationGroup GenerationGroup() const;
    // Marked to print on the page being generated.
    bool PrintsOnPage() const { return m_printsOnPage; }
    void SetPrintsOnPage(bool value) { m_printsOnPage = value; }
    // Clears what one pass of the band decides.
    virtual void ResetPass();
    // Decides whether it prints and where, or that it is out of space; the
    // band is placed and is the engine's current band.
    virtual void Generate(TppBandContext &context);
    bool OutOfSpace() const { return m_outOfSpace; }
    bool GenerationComplete() const { return m_generationComplete; }
    // Height taken on this page (a memo's bottom offset included).
    std::int32_t SpaceUsed() const { return m_spaceUsed; }
    // A stretching component that continues on the next page.
    virtual bool OverFlow() const { return false; }
    // The print rectangle, page coordinates in thousandths.
    std::int32_t PrintLeft() const { return m_printLeft; }
    std::int32_t PrintTop() const { return m_printTop; }
    std::int32_t PrintRight() const { return m_printRight; }
    std::int32_t PrintBottom() const { return m_printBottom; }

    // Creates its draw command, lets OnDrawCommandCreate see it and adds it
    // to the page; answers it.
    TppDrawCommand *AddDrawCommand(TppBandContext &context, TppPage &page);

    // Start of a report, and the page state cache.
    virtual void ResetGeneration();
    virtual std::unique_ptr<TppComponentState> SaveGenerationState() const;
    virtual void RestoreGenerationState(const TppComponentState &state);

protected:
    using TppPrintable::TppPrintable;

    // Copies the kind's fields into its new command.
    virtual void FillDrawCommand(TppBandContext &context, TppDrawCommand &command) = 0;
    // The rectangle's top: the band's print top + mmTop, less the band's
    // overflow offset when it continues from the previous page.
    std::int32_t PlacedTop() const;
    void SetPrintRect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom);
    void SetSpaceUsed(std::int32_t value) { m_spaceUsed = value; }
    void SetOutOfSpace(bool value) { m_outOfSpace = value; }
    void SetGenerationComplete(bool value) { m_generationComplete = value; }
    // The OnPrint step: reprint after an overflow, the event, marking a
    // component that the event made visible.
    void RunPrintEvent();

private:
    friend class TppBand;

    TppBand *m_band = nullptr;
    int m_bandType = 4;
    int m_groupNo = -1;
    bool m_parentWidth = false;
    bool m_parentHeight = false;
    bool m_shiftWithParent = false;
    bool m_stretchWithParent = false;
    bool m_reprintOnOverFlow = false;

    // Lets a draw command kept beyond the component's life (a cached page)
    // see that its click handler has nobody to call any more.
    std::shared_ptr<TppComponent *> m_clickTarget = std::make_shared<TppComponent *>(this);
    bool m_printsOnPage = false;
    bool m_outOfSpace = false;
    bool m_generationComplete = false;
    std::int32_t m_spaceUsed = 0;
    std::int32_t m_printLeft = 0;
    std::int32_t m_printTop = 0;
    std::int32_t m_printRight = 0;
    std::int32_t m_printBottom = 0;
};

// Base of the simple components: texts, graphics, pictures.
class TppCustomComponent : public TppComponent {
protected:
    using TppComponent::TppComponent;
};

// A component whose height can grow and continue on the next page.
class TppStretchable : public TppComponent {
protected:
    using TppComponent::TppComponent;
};
