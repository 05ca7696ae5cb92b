#include "app/screen_font.h"

QFont ScreenFont(const char *family, int pixels, bool bold)
{
    QFont font(QString::fromLatin1(family));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}
