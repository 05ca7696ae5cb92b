#pragma once

#include "report/component.h"
#include "report/wrap_cache.h"

// Base of one-piece texts: the legacy three-value alignment kept in step with
// TextAlignment, character wrapping and the text-export fields.
class TppCustomText : public TppCustomComponent {
public:
    TppAlignment Alignment() const { return AlignmentOf(TextAlignment()); }

    bool CharWrap() const { return m_charWrap; }
    void SetCharWrap(bool value);

    // Text export only; carried into the draw command.
    bool Save() const { return m_save; }
    void SetSave(bool value) { m_save = value; }
    std::int32_t SaveOrder() const { return m_saveOrder; }
    void SetSaveOrder(std::int32_t value) { m_saveOrder = value; }
    std::int32_t SaveLength() const { return m_saveLength; }
    void SetSaveLength(std::int32_t value) { m_saveLength = value; }

    std::unique_ptr<TppDrawCommand> CreateDrawCommand() const override;

protected:
    using TppCustomComponent::TppCustomComponent;

    // The text a page shows.
    virtual std::string PrintText() { return Caption(); }
    void FillDrawCommand(TppBandContext &context, TppDrawCommand &command) override;

private:
    TppWrapCache m_wrapCache;
    bool m_charWrap = false;
    bool m_save = false;
    std::int32_t m_saveOrder = -1;
    std::int32_t m_saveLength = 0;
};
