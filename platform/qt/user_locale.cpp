#include "platform/user_locale.h"

#include <QLocale>

namespace platform {

char DecimalSeparator()
{
    const QString point = QLocale::system().decimalPoint();
    return point.size() == 1 && point.at(0).unicode() < 0x80 ? point.at(0).toLatin1() : '.';
}

std::string LanguageCode()
{
    const QLocale::Language language = QLocale::system().language();
    if (language == QLocale::C || language == QLocale::AnyLanguage)
        return {};
    return QLocale::languageToCode(language).toStdString();
}

} // namespace platform
