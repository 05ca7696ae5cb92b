#pragma once

#include "report/custom_memo.h"

class TppMemo : public TppCustomMemo {
public:
    TppMemo();
    const char *ClassName() const override { return "TppMemo"; }
};
