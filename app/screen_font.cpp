#include "app/screen_font.h"

#include <QFontMetrics>
#include <QLabel>
#include <QWidget>

#include <algorithm>

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

void WidenToLongestWord(QLabel *label, int maxWidth)
{
    const QFontMetrics metrics(label->font());
    int longest = 0;
    for (const QString &word : label->text().split(QLatin1Char(' '), Qt::SkipEmptyParts))
        longest = std::max(longest, metrics.horizontalAdvance(word));
    const int needed = std::min(longest + 2 * label->margin() + 2, maxWidth);
    if (needed > label->width())
        label->resize(needed, label->height());
}
