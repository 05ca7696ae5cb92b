#include "preview/collation_pictures.h"

#include <QApplication>
#include <QFont>
#include <QPainter>
#include <QPalette>

namespace {

constexpr int kSheetWidth = 21;
constexpr int kSheetHeight = 26;

QPixmap EmptyPicture()
{
    QPixmap picture(kCollationPictureWidth, kCollationPictureHeight);
    picture.fill(QApplication::palette().color(QPalette::Button));
    return picture;
}

// A sheet with its page number, over what is already drawn.
void DrawSheet(QPainter &painter, int left, int top, int number)
{
    const QRect sheet(left, top, kSheetWidth, kSheetHeight);
    painter.setPen(Qt::black);
    painter.setBrush(QApplication::palette().color(QPalette::Base));
    painter.drawRect(sheet.adjusted(0, 0, -1, -1));
    QFont font(QStringLiteral("Small Fonts"));
    font.setPointSize(7);
    painter.setFont(font);
    // In the top right corner, which the sheet in front leaves uncovered.
    painter.drawText(sheet.adjusted(0, 1, -3, 0), Qt::AlignRight | Qt::AlignTop, QString::number(number));
}

} // namespace

QPixmap CollatedPicture()
{
    QPixmap picture = EmptyPicture();
    QPainter painter(&picture);
    // Two sets of pages 1 to 3, the last page at the back, each sheet 7
    // pixels left and 13 down of the one behind it.
    for (const int start : {18, 75}) {
        for (int i = 0; i < 3; ++i)
            DrawSheet(painter, start - 7 * i, 1 + 13 * i, 3 - i);
    }
    return picture;
}

QPixmap NotCollatedPicture()
{
    QPixmap picture = EmptyPicture();
    QPainter painter(&picture);
    for (int i = 0; i < 3; ++i) {
        DrawSheet(painter, 8 + 36 * i, 7, i + 1);
        DrawSheet(painter, 1 + 36 * i, 20, i + 1);
    }
    return picture;
}
