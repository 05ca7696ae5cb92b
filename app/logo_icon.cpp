#include "app/logo_icon.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>

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
    // Two windows carry the icon and the main screen shows the logo itself:
    // the logo is decoded once (QPixmap loads through the pixmap cache) and
    // each icon size scaled once.
    QImage logo;
    QIcon icon;
    for (const int side : {16, 32, 48}) {
        const QString key = QStringLiteral("logo-icon:%1").arg(side);
        QPixmap pixmap;
        if (!QPixmapCache::find(key, &pixmap)) {
            if (logo.isNull())
                logo = QPixmap(QStringLiteral(":/assets/logo.jpg")).toImage();
            pixmap = SquareIcon(logo, side);
            QPixmapCache::insert(key, pixmap);
        }
        icon.addPixmap(pixmap);
    }
    return icon;
}
