#include "preview/accessible_lists.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>

namespace {

class NamedList : public QAccessibleWidget
{
public:
    explicit NamedList(QComboBox *box)
        : QAccessibleWidget(box, QAccessible::ComboBox)
    {
        addControllingSignal(QStringLiteral("activated(int)"));
    }

    QString text(QAccessible::Text t) const override
    {
        switch (t) {
        case QAccessible::Name:
            return Box()->accessibleName().isEmpty() ? Box()->currentText() : Box()->accessibleName();
        case QAccessible::Value:
            return Box()->currentText();
        default:
            return QAccessibleWidget::text(t);
        }
    }

    // The popup list, so that a screen reader can walk the choices.
    int childCount() const override { return 1; }
    QAccessibleInterface *child(int index) const override
    {
        return index == 0 ? QAccessible::queryAccessibleInterface(Box()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child && child->object() == Box()->view() ? 0 : -1;
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.expandable = true;
        s.expanded = Box()->view()->isVisible();
        return s;
    }

    QStringList actionNames() const override
    {
        return {showMenuAction(), pressAction()};
    }
    void doAction(const QString &actionName) override
    {
        if (actionName == showMenuAction() || actionName == pressAction()) {
            if (Box()->view()->isVisible())
                Box()->hidePopup();
            else
                Box()->showPopup();
        }
    }

private:
    QComboBox *Box() const { return static_cast<QComboBox *>(widget()); }
};

QAccessibleInterface *NamedListFor(const QString &className, QObject *object)
{
    if (className != QLatin1String("QComboBox"))
        return nullptr;
    auto *box = qobject_cast<QComboBox *>(object);
    // An editable list's text is its own field: Qt's interface serves it.
    return box && !box->isEditable() ? new NamedList(box) : nullptr;
}

} // namespace

void SpeakListsByTheirNames()
{
    static const bool installed = [] {
        QAccessible::installFactory(NamedListFor);
        return true;
    }();
    (void)installed;
}
