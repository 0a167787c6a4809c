// The socket layer's exception class and the texts of Winsock error numbers.
#pragma once

#include "platform/rtl/exception.h"

#include <QString>

class ESocketException : public Exception {
public:
    using Exception::Exception;
};

// The description of a Winsock error number; "Not a WinSock error" for any other number.
QString WSocketErrorDesc(int ErrCode);
