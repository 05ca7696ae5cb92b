#include "app/enter_presses_button.h"

#include <QKeyEvent>
#include <QToolButton>
#include <QWidget>

namespace {

// Watches the window's buttons; a child of the window, so it lives as long.
class EnterPressesButton : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            return false;
        if (key->modifiers() & ~Qt::KeypadModifier)
            return false;
        auto *button = static_cast<QToolButton *>(watched);
        // A held key does not press again and again.
        if (!key->isAutoRepeat() && button->isEnabled())
            button->animateClick();
        return true;
    }
};

} // namespace

void PressFocusedButtonOnEnter(QWidget &window)
{
    auto *filter = new EnterPressesButton(&window);
    for (QToolButton *button : window.findChildren<QToolButton *>()) {
        // The arrows of spin fields take no focus and so no keys.
        if (button->focusPolicy() != Qt::NoFocus)
            button->installEventFilter(filter);
    }
}
