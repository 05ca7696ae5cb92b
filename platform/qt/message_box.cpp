#include "platform/message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>

namespace platform {

static MessageRedirect &Redirect()
{
    static MessageRedirect redirect;
    return redirect;
}

void RedirectMessages(MessageRedirect redirect)
{
    Redirect() = std::move(redirect);
}

static QMessageBox::Icon IconOf(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Error:
        return QMessageBox::Critical;
    case MessageKind::Warning:
        return QMessageBox::Warning;
    case MessageKind::Information:
        break;
    }
    return QMessageBox::Information;
}

void ShowMessage(MessageKind kind, const std::string &text)
{
    if (Redirect()) {
        Redirect()(kind, text);
        return;
    }
    QMessageBox box(IconOf(kind), QCoreApplication::applicationName(),
                    QString::fromStdString(text), QMessageBox::Ok, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool AskYesNo(const std::string &text)
{
    if (Redirect()) {
        Redirect()(MessageKind::Warning, text);
        return false;
    }
    QMessageBox box(QMessageBox::Question, QCoreApplication::applicationName(), QString::fromStdString(text),
                    QMessageBox::Yes | QMessageBox::No, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

std::string WithFullStop(const std::string &message)
{
    if (!message.empty() && message.back() != '.')
        return message + '.';
    return message;
}

void ShowErrorMessage(const std::string &message)
{
    ShowMessage(MessageKind::Error, WithFullStop(message));
}

} // namespace platform
