// The status codes the shell namespace returns (HRESULT and its codes are the OLE layer's), the
// errno they stand for, and their texts.
#pragma once

#include "platform/ole/types.h"
#include "platform/system/error_codes.h"
#include "platform/system/find_files.h"

#include <QString>
#include <cstdint>

namespace win {

constexpr HRESULT HRESULT_FROM_WIN32(unsigned Code)
{
    return Code == 0 ? S_OK : HRESULT(0x80070000u | (Code & 0xFFFF));
}

// A failed system call: ENOENT 2, ENOTDIR 3, EACCES and EPERM 5, EXDEV 17, ENOSPC 112, EEXIST 183,
// ENAMETOOLONG 206 as HRESULT_FROM_WIN32 of that Windows number; ENOMEM E_OUTOFMEMORY, EINVAL
// E_INVALIDARG; any other errno E_FAIL.
HRESULT HResultFromErrno(int Error);

// The text of a status code, as error messages show it: a code made from an errno gets the
// system's text for that errno (SysErrorMessage); the others a fixed English text.
QString SystemMessage(HRESULT Code);

} // namespace win
