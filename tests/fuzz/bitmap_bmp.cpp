// Fuzz target: a bitmap loads any BMP file image or refuses it; it never reads or writes outside.
#include "platform/graphics/bitmap.h"
#include "platform/graphics/graphics_errors.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TBitmap bitmap;
    try {
        bitmap.LoadFromBMP(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
        const QImage image = bitmap.ToImage();
        if (image.width() != bitmap.Width() || image.height() != bitmap.Height())
            __builtin_trap();
        bitmap.SetPixelFormat(pf24bit);
    } catch (const EInvalidGraphic&) {
    } catch (const EOutOfResources&) {
    }
    return 0;
}
