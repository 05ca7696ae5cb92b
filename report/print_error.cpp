#include "report/print_error.h"

EPrintError EPrintError::CannotGenerate(const std::string &reason)
{
    return EPrintError("Cannot generate report.\r\n\r\n" + reason);
}
