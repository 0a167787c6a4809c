// Fuzz target: a GIF image loads any bytes or refuses them with a GIFException, and what loads
// can be written again; nothing is read or written outside.
#include "imaging/gif_exception.h"
#include "imaging/gif_image.h"
#include "platform/rtl/streams.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

// The pixel counts of the frames that have pixels (frames of extensions only merge on reading).
std::vector<int64_t> FrameSizes(TGIFImage& image)
{
    std::vector<int64_t> sizes;
    for (int i = 0; i < image.Images().Count(); ++i)
        if (!image.Images().Items(i)->Empty())
            sizes.push_back(image.Images().Items(i)->DataSize());
    return sizes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TMemoryStream input;
    input.WriteBuffer(data, int64_t(size));
    input.SetPosition(0);
    TGIFImage image;
    // Large frames only slow the fuzzer down; the limit itself is tested elsewhere.
    image.PixelByteLimit = int64_t(1) << 16;
    try {
        image.LoadFromStream(input);
    } catch (const GIFException&) {
        return 0;
    }
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
        if (FrameSizes(copy) != FrameSizes(image))
            __builtin_trap();
    }
    return 0;
}
