// The table compressor's exceptions: input, output, header, size and data errors, and the two
// working tables that could not be had.
#pragma once

#include "platform/rtl/exception.h"

class ECompressorException : public Exception {
public:
    using Exception::Exception;
};

// The LZH coder's tables could not be allocated.
class ElzhException : public ECompressorException {
public:
    using ECompressorException::ECompressorException;
};

// The KH coder's hash table could not be allocated.
class ECompressorKHCompressor : public ECompressorException {
public:
    using ECompressorException::ECompressorException;
};
