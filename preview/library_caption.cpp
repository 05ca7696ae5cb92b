#include "preview/library_caption.h"

#include "assets/library_texts.h"

#include <QRegularExpression>

QString LibraryCaption(int textNumber, std::int32_t languageIndex)
{
    return QString::fromStdString(LibraryText(textNumber, languageIndex));
}

QString SpokenCaption(const QString &caption)
{
    QString spoken = caption;
    spoken.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    spoken.replace(QStringLiteral("&&"), QStringLiteral("&"));
    if (spoken.endsWith(QLatin1Char(':')))
        spoken.chop(1);
    return spoken.trimmed();
}
