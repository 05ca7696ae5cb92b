#pragma once

#include "app/text_field.h"

class QToolButton;

// A whole-number field with up and down arrows. Unlike QSpinBox it takes any
// text: a text that is not a whole number reads as the lower limit, and a
// typed number outside the limits is brought to the nearest limit when the
// field loses the focus (so before a clicked button's handling runs).
// Its change handling is textChanged: typing and the arrows both run it.
class SpinEdit : public TextField {
    Q_OBJECT
    Q_PROPERTY(int minValue READ minValue WRITE setMinValue)
    Q_PROPERTY(int maxValue READ maxValue WRITE setMaxValue)
    Q_PROPERTY(int value READ value WRITE setValue)

public:
    explicit SpinEdit(QWidget *parent = nullptr);

    int minValue() const { return m_minValue; }
    int maxValue() const { return m_maxValue; }
    void setMinValue(int value) { m_minValue = value; }
    void setMaxValue(int value) { m_maxValue = value; }

    // The text's number, not clamped; the lower limit when it is no whole number.
    int value() const;
    // Writes the value brought within the limits.
    void setValue(int value);

    void stepUp();
    void stepDown();

protected:
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    int withinLimits(long long value) const;
    QToolButton *makeArrow(Qt::ArrowType arrow);
    void arrowPressed();

    int m_minValue = 0;
    int m_maxValue = 100;
    QToolButton *m_up;
    QToolButton *m_down;
};
