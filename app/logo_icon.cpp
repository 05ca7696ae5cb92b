#include "app/logo_icon.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>

namespace {

QPixmap SquareIcon(const QImage &logo, int side)
{
    QPixmap icon(side, side);
    icon.fill(Qt::transparent);
    const QImage scaled = logo.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QPainter painter(&icon);
    painter.drawImage((side - scaled.width()) / 2, (side - scaled.height()) / 2, scaled);
    return icon;
}

} // namespace

QIcon LogoIcon()
{
    const QImage logo(QStringLiteral(":/assets/logo.jpg"));
    QIcon icon;
    for (const int side : {16, 32, 48})
        icon.addPixmap(SquareIcon(logo, side));
    return icon;
}
