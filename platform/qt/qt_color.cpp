#include "platform/qt/qt_color.h"

#include <QGuiApplication>
#include <QPalette>

namespace platform {

namespace {

// The desktop's usual colours, for when no application palette exists yet.
QColor FallbackColor(TppSystemColor role)
{
    switch (role) {
    case scWindow:
        return QColor(0xFF, 0xFF, 0xFF);
    case scButtonFace:
        return QColor(0xF0, 0xF0, 0xF0);
    case scButtonShadow:
        return QColor(0xA0, 0xA0, 0xA0);
    case scHighlight:
        return QColor(0x00, 0x78, 0xD7);
    case scHighlightText:
        return QColor(0xFF, 0xFF, 0xFF);
    case scGrayText:
        return QColor(0x6D, 0x6D, 0x6D);
    default:
        return QColor(0, 0, 0);
    }
}

QColor PaletteColor(const QPalette &palette, TppSystemColor role)
{
    switch (role) {
    case scWindow:
        return palette.color(QPalette::Active, QPalette::Base);
    case scWindowText:
        return palette.color(QPalette::Active, QPalette::Text);
    case scButtonFace:
        return palette.color(QPalette::Active, QPalette::Button);
    case scButtonShadow:
        return palette.color(QPalette::Active, QPalette::Dark);
    case scButtonText:
        return palette.color(QPalette::Active, QPalette::ButtonText);
    case scHighlight:
        return palette.color(QPalette::Active, QPalette::Highlight);
    case scHighlightText:
        return palette.color(QPalette::Active, QPalette::HighlightedText);
    case scGrayText:
        return palette.color(QPalette::Disabled, QPalette::Text);
    default:
        return QColor(0, 0, 0);
    }
}

} // namespace

QColor ToQColor(TppColor color)
{
    if (!color.IsSystem())
        return QColor(color.Red(), color.Green(), color.Blue());
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return FallbackColor(color.SystemRole());
    return PaletteColor(QGuiApplication::palette(), color.SystemRole());
}

} // namespace platform
