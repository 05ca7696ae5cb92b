#include "app/text_field.h"

#include "app/system_colors.h"

#include <QEvent>
#include <QMouseEvent>
#include <QValidator>

namespace {

// QLineEdit checks a validator only on the user's edits, never on setText(),
// which is what a typing limit needs; its own maxLength would cut code's text.
class TypingLimitValidator : public QValidator {
public:
    TypingLimitValidator(int limit, QObject *parent) : QValidator(parent), m_limit(limit) {}

    State validate(QString &input, int &) const override
    {
        return input.size() > m_limit ? Invalid : Acceptable;
    }

private:
    int m_limit;
};

} // namespace

TextField::TextField(QWidget *parent)
    : QLineEdit(parent)
    , m_enabledColor(ToColor(SystemColor::Window))
{
    applyFieldColor();
}

void TextField::setTypingLimit(int characters)
{
    m_typingLimit = characters;
    setValidator(characters > 0 ? new TypingLimitValidator(characters, this) : nullptr);
}

void TextField::setEnabledColor(const QColor &color)
{
    m_enabledColor = color;
    applyFieldColor();
}

void TextField::mousePressEvent(QMouseEvent *event)
{
    QLineEdit::mousePressEvent(event);
    m_pressed = event->button() == Qt::LeftButton;
}

void TextField::mouseReleaseEvent(QMouseEvent *event)
{
    QLineEdit::mouseReleaseEvent(event);
    const bool click = m_pressed && event->button() == Qt::LeftButton
        && rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        emit clicked();
}

void TextField::changeEvent(QEvent *event)
{
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        applyFieldColor();
}

void TextField::applyFieldColor()
{
    const QColor color = isEnabled() ? m_enabledColor : ToColor(SystemColor::Menu);
    QPalette palette = this->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::Base, color);
    setPalette(palette);
}
