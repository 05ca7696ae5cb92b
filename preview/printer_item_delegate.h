#pragma once

#include <QPixmap>
#include <QStyledItemDelegate>

// The print dialog's printer list draws its items itself: the picture of a
// local or a network printer, then the name.
class TppPrinterItemDelegate : public QStyledItemDelegate
{
public:
    // Item data under this role: true for a network printer.
    static constexpr int NetworkRole = Qt::UserRole + 1;
    static constexpr int ItemHeight = 16;

    explicit TppPrinterItemDelegate(QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    // The 16 x 16 pictures of the list.
    static QPixmap PrinterPicture(bool network);
};
