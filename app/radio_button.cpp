#include "app/radio_button.h"

RadioButton::RadioButton(QWidget *parent)
    : QRadioButton(parent)
{
    setAutoExclusive(false);
    // Connected before any handler, so the group is settled when they run.
    connect(this, &QAbstractButton::toggled, this, [this](bool selected) {
        if (selected)
            deselectSiblings();
    });
}

void RadioButton::nextCheckState()
{
    if (!isChecked())
        setChecked(true);
}

void RadioButton::deselectSiblings()
{
    if (!parentWidget())
        return;
    const auto siblings = parentWidget()->findChildren<RadioButton *>(Qt::FindDirectChildrenOnly);
    for (RadioButton *sibling : siblings) {
        if (sibling != this)
            sibling->setChecked(false);
    }
}
