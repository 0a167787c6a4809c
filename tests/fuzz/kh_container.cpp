// Fuzz target: any bytes after the "WRZL" signature either unpack or raise ECompressorException,
// and any bytes packed with KH unpack to themselves.
#include "fuzz_compressor.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CheckContainer("WRZL", data, size, TCompressor::MethodKH);
    return 0;
}
