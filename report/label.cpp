#include "report/label.h"

TppLabel::TppLabel() : TppCustomText(65, 17)
{
    TppCustomText::SetAutoSize(true);
}

void TppLabel::SetTextAlignment(TppTextAlignment value)
{
    // One line of text cannot be spread over its width.
    if (value == taFullJustified)
        return;
    TppCustomText::SetTextAlignment(value);
}
