// The exception of a failed OLE call.
#include "dragdrop/ole_check.h"

EOleSysError::EOleSysError(win::HRESULT ErrorCode)
    : Exception(QStringLiteral("OLE error %1").arg(quint32(ErrorCode), 8, 16, QLatin1Char('0')).toUpper()),
      ErrorCode(ErrorCode)
{
}

void OleCheck(win::HRESULT Result)
{
    if (win::FAILED(Result))
        throw EOleSysError(Result);
}
