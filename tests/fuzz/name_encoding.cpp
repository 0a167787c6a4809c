// Fuzz target: any bytes decoded as a name and encoded again give the same bytes.
#include "platform/system/name_encoding.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    if (EncodeName(DecodeName(bytes)) != bytes)
        std::abort();
    return 0;
}
