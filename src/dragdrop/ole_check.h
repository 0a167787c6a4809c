// OleCheck: raises EOleSysError for a failed OLE result, as registration and marshalling do.
#pragma once

#include "platform/ole/types.h"
#include "platform/rtl/exception.h"

class EOleSysError : public Exception {
public:
    explicit EOleSysError(win::HRESULT ErrorCode);

    win::HRESULT ErrorCode;
};

void OleCheck(win::HRESULT Result);
