#include "preview/copies_up_down.h"

#include "output/integer_text.h"

#include <QLineEdit>
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
    if (!value)
        return std::nullopt;
    return std::max(*value, kFewestCopies);
}

int CopiesInText(const QString &text)
{
    return CopiesInBox(text).value_or(kFewestCopies);
}

int ReadCopies(const QString &text)
{
    if (const std::optional<int> copies = CopiesInBox(text))
        return *copies;
    return StrToInt(text.toStdString());
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
    const int copies = CopiesInText(m_edit->text());
    if (copies < kMostCopies)
        m_edit->setText(QString::number(copies + 1));
}

void TppCopiesUpDown::StepDown()
{
    const int copies = CopiesInText(m_edit->text());
    if (copies > kFewestCopies)
        m_edit->setText(QString::number(copies - 1));
    else if (m_edit->text() != QString::number(kFewestCopies))
        m_edit->setText(QString::number(kFewestCopies));
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
