#include "preview/printer_item_delegate.h"

#include <QApplication>
#include <QPainter>

TppPrinterItemDelegate::TppPrinterItemDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
{
}

QPixmap TppPrinterItemDelegate::PrinterPicture(bool network)
{
    QPixmap picture(16, 16);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setPen(Qt::black);
    // Paper in the tray, the printer's body, its output slot.
    painter.setBrush(Qt::white);
    painter.drawRect(4, 1, 7, 5);
    painter.setBrush(QColor(0xC0, 0xC0, 0xC0));
    painter.drawRect(1, 6, 13, 5);
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.drawLine(3, 9, 12, 9);
    painter.setPen(Qt::black);
    if (network) {
        // The cable to the network under the printer.
        painter.drawLine(7, 12, 7, 14);
        painter.drawLine(2, 14, 13, 14);
    } else {
        painter.setPen(QColor(0x00, 0x80, 0x00));
        painter.drawPoint(12, 7);
    }
    return picture;
}

void TppPrinterItemDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette &palette = option.palette;
    painter->save();
    painter->fillRect(option.rect, palette.color(selected ? QPalette::Highlight : QPalette::Base));
    const QRect rect = option.rect;
    painter->drawPixmap(rect.left() + 1, rect.top() + 1, PrinterPicture(index.data(NetworkRole).toBool()));
    painter->setPen(palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter->setFont(option.font);
    const QFontMetrics metrics(option.font);
    painter->drawText(QPoint(rect.left() + 21, rect.top() + 2 + metrics.ascent()), index.data(Qt::DisplayRole).toString());
    painter->restore();
}

QSize TppPrinterItemDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(ItemHeight);
    return size;
}
