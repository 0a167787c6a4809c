// ESyntaxMemo: the exception class of the editor's own failures.
#pragma once

#include "platform/rtl/exception.h"

class ESyntaxMemo : public Exception {
public:
    using Exception::Exception;
};
