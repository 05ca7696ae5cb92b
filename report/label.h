#pragma once

#include "report/custom_text.h"

#include <functional>
#include <string>

// One piece of text. Labels are auto-sized by default and refuse full
// justification. An auto-sized label (or one that neither auto-sizes nor
// wraps) is measured again when its text or font changes.
class TppLabel : public TppCustomText {
public:
    using GetTextEvent = std::function<void(TppLabel &sender, std::string &text)>;

    TppLabel();
    const char *ClassName() const override { return "TppLabel"; }

    void SetTextAlignment(TppTextAlignment value) override;
    void SetCaption(const std::string &value) override;
    void SetFont(const TppFont &font) override;
    void SetAutoSize(bool value) override;
    void SetWordWrap(bool value) override;

    // Takes the measured size of the caption: an auto-sized label keeps its
    // left edge (left alignment), its right edge (right alignment) or its
    // centre; one that neither auto-sizes nor wraps takes the measured height
    // only. Skipped while a definition is read or a page is generated.
    void Measure();

    // May replace the text to print.
    GetTextEvent OnGetText;

protected:
    std::string PrintText() override;
};
