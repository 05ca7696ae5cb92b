#pragma once

#include <functional>

class QWidget;

// Runs `work` from the event loop once `widget` has been painted for the
// first time, guarded as every handler is: for what the first window on
// screen does not need, so that it does not delay that window.
void RunAfterFirstPaint(QWidget &widget, std::function<void()> work);
