#pragma once

class QDialog;
class QWidget;

// Shows the dialog modally; closing it only hides it. Afterwards the window
// that opened it is made active again: a window manager does that on its own
// about 1 ms later, but without one nothing would, and the opener's
// activation handling must run either way (it arrives once in both cases).
int ShowModal(QDialog &dialog, QWidget &opener);
