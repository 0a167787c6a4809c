// Fuzz target: any text read as a style string either raises an Exception or gives settings whose
// style string reads back to itself.
#include "highlighter/style_string.h"
#include "editor/language/sm_settings.h"

#include "platform/rtl/exception.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromLatin1(reinterpret_cast<const char*>(data), qsizetype(size));
    TSM_Settings settings;
    try {
        ReadStyleString(settings, text);
    } catch (const Exception&) {
        return 0;
    }
    const QString written = StyleStringOf(settings);
    TSM_Settings reread;
    ReadStyleString(reread, written);
    if (StyleStringOf(reread) != written)
        std::abort();
    return 0;
}
