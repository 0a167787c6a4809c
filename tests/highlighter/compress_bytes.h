// Packs or unpacks a whole byte array through TCompressor in stream mode (tests, fuzz targets and
// benchmarks).
#pragma once

#include "highlighter/table_compressor.h"
#include "platform/rtl/streams.h"

#include <QByteArray>

// Packs Input with Method, or unpacks it when Method is -1.
inline QByteArray TransformBytes(const QByteArray& input, int method)
{
    TMemoryStream in;
    in.WriteBuffer(input.constData(), input.size());
    in.SetPosition(0);
    TMemoryStream out;
    TCompressor compressor;
    compressor.UseStreams = true;
    compressor.InputStream = &in;
    compressor.OutputStream = &out;
    if (method < 0) {
        compressor.Decompress();
    } else {
        compressor.Method = std::uint8_t(method);
        compressor.Compress();
    }
    return QByteArray(out.Memory(), qsizetype(out.Size()));
}

inline QByteArray CompressBytes(const QByteArray& input, std::uint8_t method)
{
    return TransformBytes(input, method);
}
inline QByteArray DecompressBytes(const QByteArray& container)
{
    return TransformBytes(container, -1);
}
