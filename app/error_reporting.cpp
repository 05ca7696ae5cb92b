#include "app/error_reporting.h"

#include "platform/message_box.h"

std::string ErrorMessageText(const std::string &message)
{
    return platform::WithFullStop(message);
}

void ReportError(const std::string &message)
{
    platform::ShowErrorMessage(message);
}
