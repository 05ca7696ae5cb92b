#pragma once

#include "report/component.h"

// Base of drawn graphics (shapes, lines).
class TppCustomGraphic : public TppCustomComponent {
protected:
    using TppCustomComponent::TppCustomComponent;
};
