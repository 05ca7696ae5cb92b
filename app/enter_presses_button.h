#pragma once

class QWidget;

// On a desktop Enter presses the focused button, as Space does; Qt's tool
// buttons, which the screens' picture buttons are, take only Space. Makes
// every tool button of the window take Enter (and the keypad's Enter) too.
void PressFocusedButtonOnEnter(QWidget &window);
