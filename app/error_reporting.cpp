#include "app/error_reporting.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>

std::string ErrorMessageText(const std::string &message)
{
    if (!message.empty() && message.back() != '.')
        return message + '.';
    return message;
}

void ReportError(const std::string &message)
{
    // Plain text: the message is shown as it is, never read as markup or a format.
    QMessageBox box(QMessageBox::Critical, QStringLiteral("VALDORA"),
                    QString::fromStdString(ErrorMessageText(message)), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}
