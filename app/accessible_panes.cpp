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

} // namespace

void PresentPanelsAsPanes()
{
    static const bool installed = [] {
        QAccessible::installFactory(PaneForFrame);
        return true;
    }();
    (void)installed;
}
