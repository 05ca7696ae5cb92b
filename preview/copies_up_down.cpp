#include "preview/copies_up_down.h"

#include "output/integer_text.h"

#include <QLineEdit>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace {

constexpr int kWidth = 15;
constexpr int kFewestCopies = 1;
constexpr int kMostCopies = 999;

} // namespace

std::optional<int> CopiesInBox(const QString &text)
{
    const std::optional<std::int32_t> value = ReadInteger(text.toStdString());
    if (!value || *value < kFewestCopies || *value > kMostCopies)
        return std::nullopt;
    return *value;
}

int CopiesToStepFrom(const QString &text)
{
    const std::optional<std::int32_t> value = ReadInteger(text.toStdString());
    return value ? std::clamp(*value, kFewestCopies, kMostCopies) : kFewestCopies;
}

TppCopiesUpDown::TppCopiesUpDown(QLineEdit *edit)
    : QWidget(edit->parentWidget())
    , m_edit(edit)
{
    const QRect box = edit->geometry();
    setGeometry(box.left() + box.width() - kWidth - 2, box.top() + 2, kWidth, box.height() - 4);
    setCursor(Qt::ArrowCursor);
    setFocusPolicy(Qt::NoFocus);
    // The box's text must not run under the arrows.
    edit->setTextMargins(0, 0, kWidth, 0);
    edit->installEventFilter(this);
}

void TppCopiesUpDown::StepUp()
{
    const QString stepped = QString::number(std::min(CopiesToStepFrom(m_edit->text()) + 1, kMostCopies));
    if (m_edit->text() != stepped)
        m_edit->setText(stepped);
}

void TppCopiesUpDown::StepDown()
{
    const QString stepped = QString::number(std::max(CopiesToStepFrom(m_edit->text()) - 1, kFewestCopies));
    if (m_edit->text() != stepped)
        m_edit->setText(stepped);
}

// The keys step as the arrows do; the box would only move its cursor.
bool TppCopiesUpDown::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_edit && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier) {
            if (key->key() == Qt::Key_Up) {
                StepUp();
                return true;
            }
            if (key->key() == Qt::Key_Down) {
                StepDown();
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TppCopiesUpDown::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.drawLine(0, height() / 2, width() - 1, height() / 2);
    // Two small black arrows of three lines each.
    painter.setPen(Qt::black);
    const int centre = width() / 2;
    const int upTip = height() / 4 - 1;
    const int downTip = height() * 3 / 4 + 1;
    for (int i = 0; i < 3; ++i) {
        painter.drawLine(centre - i, upTip + i, centre + i, upTip + i);
        painter.drawLine(centre - i, downTip - i, centre + i, downTip - i);
    }
}

void TppCopiesUpDown::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (event->position().y() < height() / 2.0)
        StepUp();
    else
        StepDown();
}
