#pragma once

#include "report/custom_text.h"

#include <functional>
#include <string>

// One piece of text. Labels are auto-sized by default and refuse full
// justification.
class TppLabel : public TppCustomText {
public:
    using GetTextEvent = std::function<void(TppLabel &sender, std::string &text)>;

    TppLabel();
    const char *ClassName() const override { return "TppLabel"; }

    void SetTextAlignment(TppTextAlignment value) override;

    // May replace the text to print.
    GetTextEvent OnGetText;
};
