// The check both compressor fuzz targets run on their input.
#pragma once

#include "../highlighter/compress_bytes.h"
#include "highlighter/compressor_exceptions.h"

#include <cstdint>
#include <cstdlib>

// Unpacks Signature + Data, which must succeed or raise ECompressorException, and packs Data with
// Method, which must unpack to Data again.
inline void CheckContainer(const char (&signature)[5], const uint8_t* data, size_t size, std::uint8_t method)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    try {
        DecompressBytes(signature + bytes);
    } catch (const ECompressorException&) {
    }
    if (DecompressBytes(CompressBytes(bytes, method)) != bytes)
        std::abort();
}
