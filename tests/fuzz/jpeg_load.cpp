// Fuzz target: a JPEG picture decodes any file image or refuses it with its error; a picture it
// takes stays within the pixel limit and has the size its bitmap has.
#include "platform/graphics/graphics_errors.h"
#include "platform/graphics/jpeg_image.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TJPEGImage image;
    try {
        image.LoadFromData(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
        const QImage pixels = image.Bitmap().ToImage();
        if (pixels.width() != image.Width() || pixels.height() != image.Height() ||
            int64_t(image.Width()) * image.Height() * 3 > MaxJPEGPixelBytes)
            __builtin_trap();
    } catch (const EInvalidGraphic&) {
    } catch (const EOutOfResources&) {
    }
    return 0;
}
