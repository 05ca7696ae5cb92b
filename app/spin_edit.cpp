#include "app/spin_edit.h"

#include <QKeyEvent>
#include <QToolButton>

#include <algorithm>
#include <climits>
#include <optional>

namespace {

constexpr int kArrowWidth = 15;

std::optional<int> WholeNumber(const QString &text)
{
    bool ok = false;
    const int number = text.trimmed().toInt(&ok, 10);
    return ok ? std::optional<int>(number) : std::nullopt;
}

} // namespace

SpinEdit::SpinEdit(QWidget *parent)
    : TextField(parent)
    , m_up(makeArrow(Qt::UpArrow))
    , m_down(makeArrow(Qt::DownArrow))
{
    connect(m_up, &QToolButton::pressed, this, &SpinEdit::arrowPressed);
    connect(m_down, &QToolButton::pressed, this, &SpinEdit::arrowPressed);
    connect(m_up, &QToolButton::clicked, this, &SpinEdit::stepUp);
    connect(m_down, &QToolButton::clicked, this, &SpinEdit::stepDown);
    setTextMargins(0, 0, kArrowWidth, 0);
}

QToolButton *SpinEdit::makeArrow(Qt::ArrowType arrow)
{
    auto *button = new QToolButton(this);
    button->setArrowType(arrow);
    button->setAccessibleName(arrow == Qt::UpArrow ? QStringLiteral("Aumentar") : QStringLiteral("Disminuir"));
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRepeat(true);
    button->setCursor(Qt::ArrowCursor);
    return button;
}

int SpinEdit::value() const
{
    return WholeNumber(text()).value_or(m_minValue);
}

int SpinEdit::withinLimits(long long value) const
{
    if (m_maxValue == m_minValue)
        return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
    return static_cast<int>(std::clamp<long long>(value, m_minValue, m_maxValue));
}

void SpinEdit::setValue(int value)
{
    setText(QString::number(withinLimits(value)));
}

void SpinEdit::stepUp()
{
    setText(QString::number(withinLimits(static_cast<long long>(value()) + 1)));
}

void SpinEdit::stepDown()
{
    setText(QString::number(withinLimits(static_cast<long long>(value()) - 1)));
}

void SpinEdit::arrowPressed()
{
    // The arrows belong to the field: using them moves the focus here.
    if (isEnabled() && !hasFocus())
        setFocus(Qt::MouseFocusReason);
}

void SpinEdit::focusOutEvent(QFocusEvent *event)
{
    TextField::focusOutEvent(event);
    const int current = value();
    if (withinLimits(current) != current)
        setValue(current);
}

void SpinEdit::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Up) {
        stepUp();
        return;
    }
    if (event->key() == Qt::Key_Down) {
        stepDown();
        return;
    }
    TextField::keyPressEvent(event);
}

void SpinEdit::resizeEvent(QResizeEvent *event)
{
    TextField::resizeEvent(event);
    const int upper = height() / 2;
    m_up->setGeometry(width() - kArrowWidth - 1, 1, kArrowWidth, upper - 1);
    m_down->setGeometry(width() - kArrowWidth - 1, upper, kArrowWidth, height() - upper - 1);
}
