#pragma once

#include <QColor>

class QWidget;

// Screen colours named by their role on the screens, resolved from the
// desktop's palette at the time of use.
enum class SystemColor {
    ButtonFace,  // window and button background
    Window,      // background of enabled fields
    WindowText,
    Menu,        // group boxes, disabled fields, tiles not chosen
    Desktop,     // check-box strips and group titles
    ActiveBorder,
    CaptionText,
};

QColor ToColor(SystemColor role);

// Fixed colours the screens use besides the roles.
inline const QColor kGrey(128, 128, 128);
inline const QColor kTeal(64, 128, 128);

// Paints the widget's own background in the colour.
void SetBackground(QWidget *widget, const QColor &color);

// Sets the colour the widget draws its text in, enabled or not.
void SetTextColor(QWidget *widget, const QColor &color);

// Sets the colour of a check box's or radio button's caption only; its mark
// keeps the field text colour, so that it stays visible in its white box.
void SetCaptionColor(QWidget *widget, const QColor &color);

// The same two while the widget is enabled; disabled, it draws its text grey,
// as the screens' disabled controls do.
void SetEnabledTextColor(QWidget *widget, const QColor &color);
void SetEnabledCaptionColor(QWidget *widget, const QColor &color);

// The text colour of a field (digits, and a spin field's arrows) while it is
// enabled; disabled, it draws as the desktop draws disabled fields, whatever
// the colour of the group it lies in.
void SetFieldTextColor(QWidget *field, const QColor &color);
