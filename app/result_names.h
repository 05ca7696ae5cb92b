#pragma once

namespace Ui {
class Form3;
}

// Gives each value of the results screen the name assistive technology
// reads: its caption and its value ("Confianza: 95 %"), and, for a row with
// a check mark place, whether the user gave the value. Run after every
// change of the values or the marks.
void NameResultValues(Ui::Form3 &ui);
