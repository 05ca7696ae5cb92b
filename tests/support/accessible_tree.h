#pragma once

// Walks a window's accessible tree as assistive technology sees it, through
// Qt's accessibility interface, and lists the controls a user can reach that
// it would announce without a name.

#include <QAccessible>
#include <QAccessibleInterface>
#include <QStringList>
#include <QWidget>

namespace accessible {

// Qt builds the interfaces only while accessibility is active, as it is
// with a screen reader listening.
inline void Activate()
{
    QAccessible::setActive(true);
}

// A control is what a user operates: it takes the focus, or it is a button,
// box or field that the mouse or a screen reader's commands can use.
inline bool IsControl(QAccessibleInterface *node)
{
    if (node->state().focusable)
        return true;
    switch (node->role()) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::EditableText:
    case QAccessible::SpinBox:
    case QAccessible::ButtonMenu:
    case QAccessible::ButtonDropDown:
        return true;
    default:
        return false;
    }
}

inline QString Describe(QAccessibleInterface *node)
{
    const QObject *object = node->object();
    return QStringLiteral("%1 (%2, role %3)")
        .arg(object ? object->objectName() : QStringLiteral("?"),
             object ? QString::fromLatin1(object->metaObject()->className()) : QStringLiteral("?"))
        .arg(int(node->role()));
}

struct Control {
    QString id;
    QString name;
    QString description;
    // Inside an element that says it is a window (a frame): a screen reader
    // takes that for the control's window, finds it inactive and stays silent.
    bool insideInnerWindow = false;
};

inline bool LooksLikeAWindow(QAccessibleInterface *node)
{
    const QAccessible::Role role = node->role();
    return role == QAccessible::Border || role == QAccessible::Window || role == QAccessible::Dialog;
}

// Every visible control under the window (enabled or not), with what it would be
// announced as.
inline QList<Control> ReachableControls(QWidget &window)
{
    QList<Control> found;
    QAccessibleInterface *root = QAccessible::queryAccessibleInterface(&window);
    if (!root)
        return found;
    QList<QPair<QAccessibleInterface *, bool>> pending{{root, false}};
    while (!pending.isEmpty()) {
        const auto [node, insideWindow] = pending.takeFirst();
        const QAccessible::State state = node->state();
        if (state.invisible)
            continue;
        if (node != root && IsControl(node))
            found.append({Describe(node), node->text(QAccessible::Name), node->text(QAccessible::Description),
                          insideWindow});
        const bool childrenInsideWindow = insideWindow || (node != root && LooksLikeAWindow(node));
        for (int i = 0; i < node->childCount(); ++i) {
            if (QAccessibleInterface *child = node->child(i))
                pending.append({child, childrenInsideWindow});
        }
    }
    return found;
}

// The controls of ReachableControls that have no name.
inline QStringList NamelessControls(QWidget &window)
{
    QStringList nameless;
    for (const Control &control : ReachableControls(window)) {
        if (control.name.trimmed().isEmpty())
            nameless << control.id;
    }
    return nameless;
}

// The controls of ReachableControls inside an element that says it is a window.
inline QStringList ControlsInsideInnerWindows(QWidget &window)
{
    QStringList inside;
    for (const Control &control : ReachableControls(window)) {
        if (control.insideInnerWindow)
            inside << control.id;
    }
    return inside;
}

} // namespace accessible
