#include "app/system_colors.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>

QColor ToColor(SystemColor role)
{
    const QPalette palette = QApplication::palette();
    switch (role) {
    case SystemColor::ButtonFace:
        return palette.color(QPalette::Active, QPalette::Button);
    case SystemColor::Window:
        return palette.color(QPalette::Active, QPalette::Base);
    case SystemColor::WindowText:
        return palette.color(QPalette::Active, QPalette::WindowText);
    case SystemColor::Menu:
        // Qt draws its menus in the window colour.
        return palette.color(QPalette::Active, QPalette::Window);
    case SystemColor::Desktop:
        // The palette has no desktop role: the classic desktop blue stands in.
        return QColor(58, 110, 165);
    case SystemColor::ActiveBorder:
        // Frames of active windows are drawn in the button colour.
        return palette.color(QPalette::Active, QPalette::Button);
    case SystemColor::CaptionText:
        return palette.color(QPalette::Active, QPalette::HighlightedText);
    }
    return {};
}

void SetBackground(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    // Buttons, check boxes and radio buttons fill with the button colour.
    palette.setColor(widget->backgroundRole(), color);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

namespace {

void SetTextColors(QWidget *widget, const QColor &enabled, const QColor &disabled)
{
    QPalette palette = widget->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const QColor &color = group == QPalette::Disabled ? disabled : enabled;
        palette.setColor(group, QPalette::WindowText, color);
        palette.setColor(group, QPalette::Text, color);
        palette.setColor(group, QPalette::ButtonText, color);
    }
    widget->setPalette(palette);
}

void SetCaptionColors(QWidget *widget, const QColor &enabled, const QColor &disabled)
{
    QPalette palette = widget->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::WindowText, group == QPalette::Disabled ? disabled : enabled);
    widget->setPalette(palette);
}

} // namespace

void SetTextColor(QWidget *widget, const QColor &color)
{
    SetTextColors(widget, color, color);
}

void SetCaptionColor(QWidget *widget, const QColor &color)
{
    SetCaptionColors(widget, color, color);
}

void SetFieldTextColor(QWidget *field, const QColor &color)
{
    const QPalette desktop = QApplication::palette();
    SetTextColors(field, color, desktop.color(QPalette::Disabled, QPalette::Text));
    QPalette palette = field->palette();
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, desktop.color(QPalette::Disabled, QPalette::ButtonText));
    field->setPalette(palette);
}

void SetEnabledTextColor(QWidget *widget, const QColor &color)
{
    SetTextColors(widget, color, kGrey);
}

void SetEnabledCaptionColor(QWidget *widget, const QColor &color)
{
    SetCaptionColors(widget, color, kGrey);
}
