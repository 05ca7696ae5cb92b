#include "preview/tool_bar_panel.h"

#include <QAccessibleWidget>

namespace {

QAccessibleInterface *ToolBarFor(const QString &className, QObject *object)
{
    if (className != QLatin1String("TppToolBarPanel") || !object || !object->isWidgetType())
        return nullptr;
    return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::ToolBar);
}

} // namespace

TppToolBarPanel::TppToolBarPanel(QWidget *parent)
    : QWidget(parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(ToolBarFor);
        return true;
    }();
    (void)installed;
}
