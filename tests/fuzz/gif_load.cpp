// Fuzz target: a GIF image loads any bytes or refuses them with a GIFException, and what loads
// can be written again; nothing is read or written outside.
#include "imaging/gif_exception.h"
#include "imaging/gif_image.h"
#include "platform/rtl/streams.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TMemoryStream input;
    input.WriteBuffer(data, int64_t(size));
    input.SetPosition(0);
    TGIFImage image;
    int64_t pixels = 0;
    try {
        image.LoadFromStream(input);
    } catch (const GIFException&) {
        return 0;
    }
    for (int i = 0; i < image.Images().Count(); ++i)
        pixels += image.Images().Items(i)->DataSize();
    // Writing large frames back teaches the fuzzer nothing new and only slows it down.
    if (pixels > (int64_t(1) << 22))
        return 0;
    for (TGIFEncoding encoding : {geLZW, geRLE}) {
        image.Encoding = encoding;
        TMemoryStream output;
        try {
            image.SaveToStream(output);
        } catch (const GIFException&) {
            return 0;
        }
        output.SetPosition(0);
        TGIFImage copy;
        copy.LoadFromStream(output);
        if (copy.Images().Count() != image.Images().Count())
            __builtin_trap();
    }
    return 0;
}
