#pragma once

#include "output/draw_command.h"
#include "platform/graphics_alignment.h"
#include "platform/graphics_color.h"
#include "platform/graphics_font.h"
#include "platform/string_list.h"

#include <string_view>

// A text on a page: one line (Text), or the lines of WrappedText when WordWrap
// is set; memo texts add leading and tab stops.
class TppDrawText : public TppDrawCommand {
public:
    TppDrawText() : TppDrawCommand(dtString) { }

    const char *ClassName() const override { return "TppDrawText"; }
    std::unique_ptr<TppDrawCommand> CreateSameClass() const override;
    void Assign(const TppDrawCommand &source) override;
    bool SameContentAs(const TppDrawCommand &other) const override;

    // Alignment and TextAlignment follow each other; a setter acts only on a
    // change.
    TppAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TppAlignment value);
    TppTextAlignment TextAlignment() const { return m_textAlignment; }
    void SetTextAlignment(TppTextAlignment value);
    // An alignment identifier of an older stored page: "taLeftJustify",
    // "taCenter" and "taRightJustify" are understood, anything else ignored.
    void ReadAlignmentIdentifier(std::string_view identifier);

    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool value) { m_autoSize = value; }

    TppColor Color() const { return m_color; }
    void SetColor(TppColor value) { m_color = value; }

    const TppFont &Font() const { return m_font; }
    TppFont &Font() { return m_font; }
    void SetFont(const TppFont &value) { m_font = value; }

    bool IsMemo() const { return m_isMemo; }
    void SetIsMemo(bool value) { m_isMemo = value; }

    // Extra space between memo lines, thousandths of a millimetre.
    std::int32_t Leading() const { return m_leading; }
    void SetLeading(std::int32_t value) { m_leading = value; }

    const std::string &Text() const { return m_text; }
    void SetText(std::string value) { m_text = std::move(value); }

    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool value) { m_transparent = value; }

    bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool value) { m_wordWrap = value; }

    const TppStringList &WrappedText() const { return m_wrappedText; }
    TppStringList &WrappedText() { return m_wrappedText; }
    void SetWrappedText(const TppStringList &value) { m_wrappedText = value; }

    const TppStringList &TabStopPositions() const { return m_tabStopPositions; }
    TppStringList &TabStopPositions() { return m_tabStopPositions; }
    void SetTabStopPositions(const TppStringList &value) { m_tabStopPositions = value; }

    // Text-file export ordering; carried and copied only.
    bool BandSave() const { return m_bandSave; }
    void SetBandSave(bool value) { m_bandSave = value; }
    std::int32_t BandSaveNo() const { return m_bandSaveNo; }
    void SetBandSaveNo(std::int32_t value) { m_bandSaveNo = value; }
    bool ComponentSave() const { return m_componentSave; }
    void SetComponentSave(bool value) { m_componentSave = value; }
    std::int32_t ComponentSaveNo() const { return m_componentSaveNo; }
    void SetComponentSaveNo(std::int32_t value) { m_componentSaveNo = value; }
    std::int32_t SaveLength() const { return m_saveLength; }
    void SetSaveLength(std::int32_t value) { m_saveLength = value; }

    bool ForceJustifyLastLine() const { return m_forceJustifyLastLine; }
    void SetForceJustifyLastLine(bool value) { m_forceJustifyLastLine = value; }

private:
    TppAlignment m_alignment = taLeftJustify;
    bool m_autoSize = false;
    TppColor m_color = clWhite;
    TppFont m_font;
    bool m_isMemo = false;
    std::int32_t m_leading = 0;
    std::string m_text;
    bool m_transparent = false;
    bool m_wordWrap = false;
    TppStringList m_wrappedText;
    TppStringList m_tabStopPositions;
    bool m_bandSave = false;
    std::int32_t m_bandSaveNo = 0;
    bool m_componentSave = false;
    std::int32_t m_componentSaveNo = 0;
    bool m_forceJustifyLastLine = false;
    TppTextAlignment m_textAlignment = taLeftJustified;
    std::int32_t m_saveLength = 0;
};
