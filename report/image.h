#pragma once

#include "report/custom_image.h"

class TppImage : public TppCustomImage {
public:
    TppImage();
    const char *ClassName() const override { return "TppImage"; }
};
