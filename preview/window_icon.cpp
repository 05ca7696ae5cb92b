#include "preview/window_icon.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QWidget>

void SetWindowIconFromPicture(QWidget &window, const TppPicture &icon)
{
    try {
        const TppBitmap bitmap = platform::RenderPicture(icon, icon.Width(), icon.Height());
        const QImage image(reinterpret_cast<const uchar *>(bitmap.Pixels.data()), bitmap.Width,
                           bitmap.Height, QImage::Format_ARGB32);
        window.setWindowIcon(QIcon(QPixmap::fromImage(image.copy())));
    } catch (const TppPictureError &) {
    }
}
