#include "app/accessible_panes.h"

#include <QAccessibleWidget>
#include <QFrame>

namespace {

QAccessibleInterface *PaneForFrame(const QString &className, QObject *object)
{
    if (className != QLatin1String("QFrame") || !object || !object->isWidgetType())
        return nullptr;
    return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Pane);
}

// A screen that is a plain widget (the main screen) would be told as a
// filler, not as the window it is.
QAccessibleInterface *WindowForScreen(const QString &className, QObject *object)
{
    if (className != QLatin1String("QWidget") || !object || !object->isWidgetType())
        return nullptr;
    auto *widget = static_cast<QWidget *>(object);
    return widget->isWindow() ? new QAccessibleWidget(widget, QAccessible::Window) : nullptr;
}

} // namespace

void PresentPanelsAsPanes()
{
    static const bool installed = [] {
        QAccessible::installFactory(PaneForFrame);
        QAccessible::installFactory(WindowForScreen);
        return true;
    }();
    (void)installed;
}
