#include "app/fitting_label.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QStyle>

FittingLabel::FittingLabel(QWidget *parent)
    : QLabel(parent)
{
}

int FittingLabel::room() const
{
    return contentsRect().width() - 2 * margin();
}

QFont FittingLabel::drawnFont() const
{
    QFont fitted = font();
    const int room = this->room();
    const QString text = this->text();
    if (fitted.pixelSize() <= 0)
        return fitted;
    while (fitted.pixelSize() > kSmallestPixelSize && QFontMetrics(fitted).horizontalAdvance(text) > room)
        fitted.setPixelSize(fitted.pixelSize() - 1);
    return fitted;
}

QString FittingLabel::drawnText() const
{
    return QFontMetrics(drawnFont()).elidedText(text(), Qt::ElideMiddle, room());
}

bool FittingLabel::event(QEvent *event)
{
    // A value shown shortened can still be read whole.
    if (event->type() == QEvent::ToolTip)
        setToolTip(drawnText() == text() ? QString() : text());
    return QLabel::event(event);
}

void FittingLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setFont(drawnFont());
    const QRect box = contentsRect().marginsRemoved(QMargins(margin(), margin(), margin(), margin()));
    style()->drawItemText(&painter, box, int(alignment()), palette(), isEnabled(), drawnText(), foregroundRole());
}
