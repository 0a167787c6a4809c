// TCompressor: packs data into a KH ("WRZL") or LZH ("!HZL") container and unpacks it, between two
// streams or two files; the parsers keep their compiled tables in KH containers.
#pragma once

#include "platform/rtl/object.h"

#include <QString>
#include <cstdint>
#include <memory>

class TStream;
class KhBlockCoder;

// Container: the 4-byte signature, the uncompressed size (32-bit little-endian), then the coded data.
// All failures raise ECompressorException (or one of its descendants) with the texts below.
class TCompressor : public TObject {
public:
    static constexpr std::uint8_t MethodLZH = 0;
    static constexpr std::uint8_t MethodKH = 1;
    // Compress picks the method with Advise.
    static constexpr std::uint8_t MethodAdvise = 2;

    TCompressor();
    ~TCompressor() override;

    // File mode (UseStreams false): the files read and written.
    QString InputFile;
    QString OutputFile;
    std::uint8_t Method = MethodKH;
    bool UseStreams = false;
    // Stream mode: the streams read and written, not owned. Reading starts at the input's position,
    // writing at the output's.
    TStream* InputStream = nullptr;
    TStream* OutputStream = nullptr;
    // Advise picks KH when two samples shrink below this many percent of their size.
    std::int32_t AdviseThreshold = 40;

    // Packs the rest of the input; returns the number of bytes written.
    std::int64_t Compress();
    // Unpacks one container; returns the number of bytes written. In file mode the output file is
    // created only once the input has shown a valid signature.
    std::int64_t Decompress();
    // MethodKH or MethodLZH for the input, judged from two samples; an input below 96 KiB gets
    // MethodLZH, which is also stored in Method then.
    int Advise();

private:
    std::unique_ptr<KhBlockCoder> kh_;
};
