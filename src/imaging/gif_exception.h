// GIFException: the failure the image codecs raise.
#pragma once

#include "platform/rtl/exception.h"

class GIFException : public Exception {
public:
    using Exception::Exception;
};
