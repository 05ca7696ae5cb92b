#include "preview/copies_up_down.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr int kWidth = 15;

} // namespace

int CopiesInText(const QString &text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? value : 1;
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
}

void TppCopiesUpDown::StepUp()
{
    if (m_edit->text() == QStringLiteral("999"))
        return;
    m_edit->setText(QString::number(CopiesInText(m_edit->text()) + 1));
}

void TppCopiesUpDown::StepDown()
{
    if (m_edit->text() == QStringLiteral("1"))
        return;
    m_edit->setText(QString::number(CopiesInText(m_edit->text()) - 1));
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
