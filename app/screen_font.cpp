#include "app/screen_font.h"

#include <QWidget>

void UseScreenFontSubstitutes()
{
    QFont::insertSubstitution(QString::fromLatin1(kSansSerif), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QString::fromLatin1(kLucida), QStringLiteral("DejaVu Sans Condensed"));
}

QFont ScreenFont(const char *family, int pixels, bool bold)
{
    QFont font(QString::fromLatin1(family));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

void WidenToCaption(QWidget *control)
{
    const int needed = control->sizeHint().width();
    if (needed > control->width())
        control->resize(needed, control->height());
}
