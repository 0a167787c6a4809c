// SysErrorMessage over the C library's error texts.
#include "platform/system/error_text.h"

#include <system_error>

QString SysErrorMessage(int ErrorCode)
{
    return QString::fromLocal8Bit(std::generic_category().message(ErrorCode));
}
