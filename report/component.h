#pragma once

#include "report/printable.h"

#include <functional>
#include <memory>

class TppBand;
class TppDrawCommand;

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

protected:
    using TppPrintable::TppPrintable;

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
