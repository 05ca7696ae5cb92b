#pragma once

#include <QRadioButton>

// A radio button grouped with the other RadioButtons of its parent. Selecting
// it, by the user or from code, deselects the others first and then emits
// toggled(true), the only signal the screens handle, so the click handling
// runs only when the button was not selected before. Unlike Qt's exclusive
// buttons it can be deselected from code, which runs no handling; a click on
// the selected button changes nothing.
class RadioButton : public QRadioButton {
    Q_OBJECT

public:
    explicit RadioButton(QWidget *parent = nullptr);

protected:
    void nextCheckState() override;

private:
    void deselectSiblings();
};
