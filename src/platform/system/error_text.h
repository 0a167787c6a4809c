// SysErrorMessage: the text of an operating-system error number.
#pragma once

#include <QString>

// The system's text for an errno value, as error messages show it.
QString SysErrorMessage(int ErrorCode);
