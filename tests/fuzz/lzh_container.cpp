// Fuzz target: any bytes after the "!HZL" signature either unpack or raise ECompressorException,
// and any bytes packed with LZH unpack to themselves.
#include "fuzz_compressor.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CheckContainer("!HZL", data, size, TCompressor::MethodLZH);
    return 0;
}
