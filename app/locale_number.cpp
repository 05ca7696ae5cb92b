#include "app/locale_number.h"

#include "calc/number_text.h"

#include <QLocale>

char DecimalSeparator()
{
    const QString point = QLocale::system().decimalPoint();
    if (point.size() == 1 && point.at(0).unicode() < 0x80)
        return static_cast<char>(point.at(0).unicode());
    return '.';
}

double ReadNumber(const QString &text)
{
    return calc::ParseFloat(text.toStdString(), DecimalSeparator());
}

QString WriteNumber(long double value)
{
    return QString::fromStdString(calc::FormatGeneral(value, DecimalSeparator()));
}
