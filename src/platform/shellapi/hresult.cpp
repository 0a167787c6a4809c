// HResultFromErrno and SystemMessage.
#include "platform/shellapi/hresult.h"

#include "platform/system/error_text.h"
#include "platform/system/find_files.h"

#include <cerrno>

namespace {

struct TErrnoCode {
    int Errno;
    unsigned Code;
};

// Each errno the namespace reports with its Windows number; the first entry for a number is the
// errno whose text that number shows.
constexpr TErrnoCode ErrnoCodes[] = {
    {ENOENT, win::ERROR_FILE_NOT_FOUND},
    {ENOTDIR, win::ERROR_PATH_NOT_FOUND},
    {EACCES, win::ERROR_ACCESS_DENIED},
    {EPERM, win::ERROR_ACCESS_DENIED},
    {ENOMEM, win::ERROR_NOT_ENOUGH_MEMORY},
    {EXDEV, win::ERROR_NOT_SAME_DEVICE},
    {EINVAL, win::ERROR_INVALID_PARAMETER},
    {ENOSPC, win::ERROR_DISK_FULL},
    {EEXIST, win::ERROR_ALREADY_EXISTS},
    {ENAMETOOLONG, win::ERROR_FILENAME_EXCED_RANGE},
};

} // namespace

win::HRESULT win::HResultFromErrno(int Error)
{
    if (Error == ENOMEM)
        return E_OUTOFMEMORY;
    for (const TErrnoCode& entry : ErrnoCodes)
        if (entry.Errno == Error)
            return HRESULT_FROM_WIN32(entry.Code);
    return E_FAIL;
}

QString win::SystemMessage(HRESULT Code)
{
    switch (Code) {
    case S_OK: return QStringLiteral("The operation completed successfully.");
    case S_FALSE: return QStringLiteral("The operation completed without a result.");
    case E_NOTIMPL: return QStringLiteral("Not implemented.");
    case E_NOINTERFACE: return QStringLiteral("No such interface supported.");
    case E_FAIL: return QStringLiteral("Unspecified error.");
    case HRESULT_FROM_WIN32(ERROR_NO_MORE_ITEMS): return QStringLiteral("No more data is available.");
    default: break;
    }
    if ((unsigned(Code) & 0xFFFF0000u) == 0x80070000u) {
        const unsigned number = unsigned(Code) & 0xFFFF;
        for (const TErrnoCode& entry : ErrnoCodes)
            if (entry.Code == number)
                return SysErrorMessage(entry.Errno);
    }
    return QStringLiteral("Error 0x%1.").arg(QString::number(unsigned(Code), 16).toUpper().rightJustified(8, QLatin1Char('0')));
}
