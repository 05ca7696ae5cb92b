#pragma once

struct SampleSizeParams;
class Form3;
class QLineEdit;

// Which optional elements the variable-selection screen's boxes mark.
struct ConsideredElements {
    bool Proportion = false;
    bool DesignEffect = false;
    bool ResponseRate = false;
    bool Population = false;
};

// Writes a completed calculation onto the results screen: the texts of the
// rows (the design effect passes through the variable-selection screen's DEFF
// field), then which rows carry a check mark and whether the population row
// shows at all. The caller then shows the results screen modally.
void PresentResult(const SampleSizeParams &params, const ConsideredElements &considered,
                   QLineEdit &designEffectField, Form3 &results);
