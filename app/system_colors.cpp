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

void SetTextColor(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::WindowText, color);
        palette.setColor(group, QPalette::Text, color);
        palette.setColor(group, QPalette::ButtonText, color);
    }
    widget->setPalette(palette);
}

void SetCaptionColor(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::WindowText, color);
    widget->setPalette(palette);
}
